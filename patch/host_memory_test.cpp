#include "patch/host_memory.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstring>

#include "patch/jump_record.h"
#include "sim/write_log.h"

namespace patch {
namespace {

// A page of our own standing in for game code, mapped read+exec like a code section.
class CodePage : public testing::Test {
  protected:
    void SetUp() override {
        page_ = mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(page_, MAP_FAILED);
        sim::ClearWriteLog();
    }
    void TearDown() override { munmap(page_, 4096); }

    host::Address At(std::uint32_t offset) const {
        return static_cast<host::Address>(reinterpret_cast<std::uintptr_t>(page_) + offset);
    }
    const std::uint8_t* Bytes(std::uint32_t offset) const {
        return static_cast<const std::uint8_t*>(page_) + offset;
    }

    void* page_ = nullptr;
};

TEST_F(CodePage, RelativeJumpLandsAsOneFiveByteWriteIntoReadOnlyCode) {
    const host::Address site = At(0x100);
    WriteRelativeJump(site, At(0x200));

    const JumpRecord expected = MakeJumpRecord(site, At(0x200));
    EXPECT_EQ(std::memcmp(Bytes(0x100), expected.data(), expected.size()), 0);
    EXPECT_EQ(Bytes(0x0FF)[0], 0) << "byte before the site touched";
    EXPECT_EQ(Bytes(0x105)[0], 0) << "byte after the record touched";

    const auto& log = sim::WriteLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].address, site);
    EXPECT_EQ(log[0].Bytes(), std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_TRUE(log[0].written);
}

TEST_F(CodePage, WriteToUnmappedAddressFailsSilently) {
    // An address inside our own page once the page is unmapped: nothing is mapped there
    // any more. A page is mapped again afterwards, so that TearDown has one to unmap.
    const host::Address gone = At(0x10);
    ASSERT_EQ(munmap(page_, 4096), 0);
    const std::uint8_t bytes[3] = {1, 2, 3};
    WriteHostMemory(gone, bytes, sizeof bytes);  // must not fault
    ASSERT_EQ(sim::WriteLog().size(), 1u);
    EXPECT_FALSE(sim::WriteLog()[0].written);
    page_ = mmap(page_, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
}

TEST_F(CodePage, ProcessHandleIsObtainedOnceForAllWrites) {
    WriteRelativeJump(At(0x10), At(0x40));
    WriteRelativeJump(At(0x20), At(0x40));
    const std::uint8_t byte = 0x90;
    WriteHostMemory(At(0x30), &byte, 1);

    // Whichever test wrote first obtained the handle; nobody asks for it again.
    EXPECT_EQ(sim::CurrentProcessCalls(), 1u);
    EXPECT_EQ(sim::WriteLog().size(), 3u);
}

}  // namespace
}  // namespace patch
