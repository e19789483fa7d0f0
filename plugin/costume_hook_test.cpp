// CostumeLoadHook, run for real in the simulated game: the jump is placed by the real
// Init, the game enters the patched site with canaries in every register, and the
// outcome is compared with a plain C++ reference of what the hook must do.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host/game.h"
#include "plugin/plugin.h"
#include "sim/game.h"
#include "tests/support/case_names.h"
#include "tests/support/sim/registers.h"

namespace {

using sim::Loader;

constexpr std::uint8_t kRecordPoison = 0xA5;
constexpr std::uint32_t kSlot = 7;

struct HookCase {
    const char* what;
    std::uint8_t selector;
    std::uint32_t handles[3];  // what the game's loaders return, in call order
    bool loadersClobber;       // loaders overwrite every register the game does not keep
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const HookCase& c, std::ostream* os) {
    *os << c.what;
}

void PutWord(std::vector<std::uint8_t>& record, host::Field field, std::uint32_t value) {
    std::memcpy(record.data() + field.offset, &value, sizeof value);
}

// What the hook must do, in plain C++: which files it asks for, in order, and the record
// it must leave behind. Returns the effect handle, which must also be in EAX.
struct Expected {
    std::vector<std::pair<Loader, std::string>> loads;
    std::vector<std::uint8_t> record;
    std::uint32_t eax;
};

Expected ReferenceHook(std::vector<std::uint8_t> record, std::uint8_t selector,
                       const std::uint32_t (&handles)[3]) {
    Expected e;
    std::size_t next = 0;
    if (selector == 0 || selector == 1) {
        const bool alternate = selector == 1;
        if (alternate) {
            record[host::record::kAltCostumeFlag.offset] = 1;
        }
        e.loads.emplace_back(Loader::Textures, alternate ? "VESSA1TEX" : "VESSATEX");
        PutWord(record, host::record::kTextureHandle, handles[next++]);
        e.loads.emplace_back(Loader::Model, alternate ? "VESSA1MDL.PRS" : "VESSAMDL.PRS");
        PutWord(record, host::record::kModelHandle, handles[next++]);
    }
    e.loads.emplace_back(Loader::Textures, "GLOAM_EFFTEX");
    PutWord(record, host::record::kEffectHandle, handles[next]);
    e.eax = handles[next];
    e.record = std::move(record);
    return e;
}

class CostumeHook : public testing::TestWithParam<HookCase> {
  protected:
    void SetUp() override {
        const HookCase& c = GetParam();
        Init("C:\\Games\\mods\\VessaAltCostume");
        game_.FillRecord(kRecordPoison);
        game_.SetRecordWord(host::record::kSlotIndex, kSlot);
        // Neighbouring slots hold other choices, so a hook that read the wrong slot shows.
        for (std::uint32_t slot = 0; slot < 16; ++slot) {
            game_.SetCostumeSelector(slot, static_cast<std::uint8_t>(c.selector == 1 ? 0 : 1));
        }
        game_.SetCostumeSelector(kSlot, c.selector);
        game_.SetLoaderClobbers(c.loadersClobber);
        for (std::uint32_t h : c.handles) {
            game_.QueueHandle(h);
        }
    }

    sim::Game game_;
};

TEST_P(CostumeHook, LoadsStoresAndResumesAsTheReferenceSays) {
    const HookCase& c = GetParam();
    const Expected expected = ReferenceHook(game_.RecordBytes(), c.selector, c.handles);
    const sim::Cpu entry = game_.EntryState();

    const sim::RunResult run = game_.Run(host::kCostumeLoadSite, entry);

    ASSERT_TRUE(run.landed) << c.what << ": stopped by signal " << run.signal << " at " << std::hex
                            << run.faultEip;
    EXPECT_EQ(run.exit.eip, host::kCostumeLoadContinue);

    std::vector<std::pair<Loader, std::string>> loads;
    for (const sim::LoadCall& call : game_.Loads()) {
        loads.emplace_back(call.loader, call.name);
        EXPECT_EQ(call.ebp, entry.ebp) << "EBP must be the record at every call";
    }
    EXPECT_EQ(loads, expected.loads);
    // The whole record: the handles and flag where they belong, nothing else touched.
    EXPECT_EQ(game_.RecordBytes(), expected.record);
    EXPECT_EQ(run.exit.eax, expected.eax) << "EAX must hold the effect archive's handle";

    EXPECT_EQ(run.exit.esp, entry.esp);
    EXPECT_EQ(run.exit.ebp, entry.ebp);
    EXPECT_TRUE(game_.CallerFrameIntact()) << "the game's stack above ESP was written";
    if (!c.loadersClobber) {
        // With loaders that keep everything, only the hook's own writes can show: it may
        // write EAX, ECX and flags, nothing else.
        EXPECT_TRUE(test_support::RegistersKept(
            entry, run.exit, {&sim::Cpu::ebx, &sim::Cpu::edx, &sim::Cpu::esi, &sim::Cpu::edi}));
    }
}

TEST_P(CostumeHook, EachStoreFollowsItsLoadAtOnce) {
    const HookCase& c = GetParam();
    const std::uint8_t flagBefore = game_.RecordByte(host::record::kAltCostumeFlag);
    ASSERT_TRUE(game_.Run(host::kCostumeLoadSite, game_.EntryState()).landed);

    const std::vector<sim::LoadCall>& loads = game_.Loads();
    ASSERT_FALSE(loads.empty());
    // The flag as each loader saw it: raised before the first load for the alternate
    // costume, never touched otherwise.
    for (const sim::LoadCall& call : loads) {
        EXPECT_EQ(call.altCostumeFlag, c.selector == 1 ? 1 : flagBefore) << call.name;
    }
    if (loads.size() == 3) {
        EXPECT_EQ(loads[1].textureHandle, c.handles[0]) << "texture stored before model load";
        EXPECT_EQ(loads[2].modelHandle, c.handles[1]) << "model stored before effect load";
        EXPECT_EQ(loads[2].textureHandle, c.handles[0]);
    }
    const std::uint32_t untouched = 0xA5A5A5A5;
    EXPECT_EQ(loads.back().effectHandle, untouched) << "effect handle stored too early";
}

INSTANTIATE_TEST_SUITE_P(
    Selectors, CostumeHook,
    testing::Values(
        HookCase{"default costume", 0, {0x11110001, 0x22220002, 0x33330003}, true},
        HookCase{"alternate costume", 1, {0x11110001, 0x22220002, 0x33330003}, true},
        HookCase{"unknown selector 2", 2, {0x33330003, 0, 0}, true},
        HookCase{"unknown selector 255", 255, {0x33330003, 0, 0}, true},
        HookCase{"default, loaders keep registers", 0, {0x11110001, 0x22220002, 0x33330003}, false},
        HookCase{
            "alternate, loaders keep registers", 1, {0x11110001, 0x22220002, 0x33330003}, false},
        HookCase{"unknown, loaders keep registers", 2, {0x33330003, 0, 0}, false},
        HookCase{"zero handles stored as they come", 1, {0, 0, 0}, true},
        HookCase{"zero effect handle", 0, {0x11110001, 0x22220002, 0}, true}),
    test_support::NameFromWhat());

}  // namespace
