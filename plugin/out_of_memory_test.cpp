// Init when memory runs out part-way through the configuration pass: whichever allocation
// fails, no exception may reach the game, the costume jump is in place, the setting counts
// as off, so the bypass is placed even though config.ini says "true", and config.ini is
// closed again: the game would otherwise lose a file handle to every such Init.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "host/game.h"
#include "patch/jump_record.h"
#include "plugin/plugin.h"
#include "plugin/routines.h"
#include "sim/game.h"
#include "sim/write_log.h"
#include "tests/support/jumps.h"
#include "tests/support/scratch_folder.h"

namespace {

// Allocation number g_failAt (counting from 0 once armed) throws std::bad_alloc.
long g_failAt = -1;
long g_allocations = 0;
bool g_failed = false;

}  // namespace

void* operator new(std::size_t size) {
    if (g_failAt >= 0 && g_allocations++ == g_failAt) {
        g_failed = true;
        throw std::bad_alloc();
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using test_support::JumpBytes;

// Open file descriptors of this process; a config.ini left open shows as one more.
std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

TEST(InitOutOfMemory, EveryFailedAllocationLeavesTheSettingOff) {
    const test_support::ScratchFolder modFolder;
    ASSERT_TRUE(modFolder.WriteFile("config.ini", "[Vessa Alt Costume]\nUseJiggle=true\n"));
    const std::string& folder = modFolder.Path();

    bool completedWithoutFailure = false;
    long failAt = 0;
    for (; failAt < 1000 && !completedWithoutFailure; ++failAt) {
        SCOPED_TRACE("allocation " + std::to_string(failAt) + " fails");
        sim::Game game;
        const std::vector<std::uint8_t> jiggleBlock = game.CodeBytes(host::kJiggleSetupSite, 5);

        sim::ClearWriteLog();
        const std::size_t descriptorsBefore = OpenDescriptors();
        g_allocations = 0;
        g_failed = false;
        g_failAt = failAt;
        Init(folder.c_str());  // noexcept: an escaping exception would end the test process
        g_failAt = -1;

        EXPECT_EQ(OpenDescriptors(), descriptorsBefore) << "config.ini left open";
        EXPECT_EQ(game.CodeBytes(host::kCostumeLoadSite, 5),
                  JumpBytes(host::kCostumeLoadSite, &CostumeLoadHook));
        // The write log allocates nothing, so every failed allocation is the plug-in's own.
        if (g_failed) {
            EXPECT_EQ(game.CodeBytes(host::kJiggleSetupSite, 5),
                      JumpBytes(host::kJiggleSetupSite, &JiggleSkipStub));
        } else {
            completedWithoutFailure = true;
            EXPECT_EQ(game.CodeBytes(host::kJiggleSetupSite, 5), jiggleBlock)
                << "with memory to spare, 'true' keeps the game's block";
        }
    }
    EXPECT_TRUE(completedWithoutFailure);
    EXPECT_GT(failAt, 3) << "the pass allocates the path, the document and its entries";
}

}  // namespace
