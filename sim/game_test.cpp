// The simulated game itself: it must fail loudly where the real game would misbehave,
// and its stand-ins must keep exactly the game's contract, or the plug-in's tests prove
// nothing.
#include "sim/game.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstring>

#include "tests/support/sim/registers.h"

namespace sim {
namespace {

class SimulatedGame : public testing::Test {
  protected:
    // Enters game code as if called from the costume continuation's landing pad, so a
    // routine that returns lands there.
    Cpu EntryReturningToPad() {
        Cpu cpu = game_.EntryState();
        cpu.esp -= 4;
        const std::uint32_t returnAddress = host::kCostumeLoadContinue;
        std::memcpy(reinterpret_cast<void*>(std::uintptr_t{cpu.esp}), &returnAddress, 4);
        return cpu;
    }

    Game game_;
};

TEST_F(SimulatedGame, UnpatchedCostumeSiteTrapsInsteadOfRunning) {
    const RunResult run = game_.Run(host::kCostumeLoadSite, game_.EntryState());
    EXPECT_FALSE(run.landed);
    EXPECT_EQ(run.signal, SIGTRAP);
    EXPECT_EQ(run.faultEip, host::kCostumeLoadSite + 1);
    EXPECT_TRUE(game_.Loads().empty());
}

TEST_F(SimulatedGame, TexturesLoaderTakesNameInEcxAndKeepsOnlyEbpAndEsp) {
    Cpu cpu = EntryReturningToPad();
    const char name[] = "SOMETEX";
    cpu.ecx = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name));
    const RunResult run = game_.Run(host::kHostLoadTextures, cpu);

    ASSERT_TRUE(run.landed);
    ASSERT_EQ(game_.Loads().size(), 1u);
    const LoadCall& call = game_.Loads()[0];
    EXPECT_EQ(call.loader, Loader::Textures);
    EXPECT_EQ(call.name, "SOMETEX");
    EXPECT_EQ(call.ebp, cpu.ebp);
    EXPECT_EQ(run.exit.eax, call.handle);
    EXPECT_EQ(run.exit.ebp, cpu.ebp);
    EXPECT_EQ(run.exit.esp, cpu.esp + 4) << "ret pops the return address only";
    EXPECT_TRUE(test_support::RegistersOverwritten(
        cpu, run.exit, {&Cpu::ebx, &Cpu::ecx, &Cpu::edx, &Cpu::esi, &Cpu::edi}))
        << "stand-in must overwrite what the game may";
}

TEST_F(SimulatedGame, ModelLoaderTakesNameInEaxAndCanKeepEverything) {
    game_.SetLoaderClobbers(false);
    game_.QueueHandle(0);
    Cpu cpu = EntryReturningToPad();
    const char name[] = "SOME.PRS";
    cpu.eax = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name));
    const RunResult run = game_.Run(host::kHostLoadModel, cpu);

    ASSERT_TRUE(run.landed);
    ASSERT_EQ(game_.Loads().size(), 1u);
    EXPECT_EQ(game_.Loads()[0].loader, Loader::Model);
    EXPECT_EQ(game_.Loads()[0].name, "SOME.PRS");
    EXPECT_EQ(run.exit.eax, 0u) << "queued handle";
    EXPECT_TRUE(test_support::RegistersKept(
        cpu, run.exit, {&Cpu::ebx, &Cpu::ecx, &Cpu::edx, &Cpu::esi, &Cpu::edi}));
}

TEST_F(SimulatedGame, HandlesAreDistinctPerCall) {
    Cpu cpu = EntryReturningToPad();
    const char name[] = "X";
    cpu.ecx = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name));
    ASSERT_TRUE(game_.Run(host::kHostLoadTextures, cpu).landed);
    cpu = EntryReturningToPad();
    cpu.ecx = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name));
    ASSERT_TRUE(game_.Run(host::kHostLoadTextures, cpu).landed);
    ASSERT_EQ(game_.Loads().size(), 2u);
    EXPECT_NE(game_.Loads()[0].handle, game_.Loads()[1].handle);
}

// A field read at another width than its own would take in its neighbours and let a test
// pass on bytes the routines never stored.
TEST(SimulatedGameDeathTest, RecordFieldsAreAccessedAtTheirOwnWidthOnly) {
    Game game;
    EXPECT_DEATH(game.RecordWord(host::record::kAltCostumeFlag),
                 "record field \\+002 of width 1 accessed as 4 bytes");
    EXPECT_DEATH(game.SetRecordWord(host::record::kFirstByte, 1), "width 1 accessed as 4");
    EXPECT_DEATH(game.RecordByte(host::record::kSlotIndex), "width 4 accessed as 1");
    EXPECT_DEATH(game.SetRecordByte(host::record::kModelHandle, 1), "width 4 accessed as 1");
}

TEST_F(SimulatedGame, JiggleBlockRunsAndHandsSignExtendedFirstByteOn) {
    game_.SetRecordByte(host::record::kFirstByte, 0x80);
    const Cpu cpu = game_.EntryState();
    const RunResult run = game_.Run(host::kJiggleSetupSite, cpu);
    ASSERT_TRUE(run.landed);
    EXPECT_EQ(run.exit.eip, host::kJiggleSetupContinue);
    EXPECT_EQ(run.exit.ebx, 0xFFFFFF80u);
    EXPECT_EQ(game_.JiggleBlockRuns(), 1u);
}

TEST_F(SimulatedGame, LandingPadCapturesRegistersAndFlagsExactly) {
    // Entering straight at a continuation: nothing runs in between, so the capture must
    // give back exactly what went in.
    Cpu cpu = game_.EntryState();
    cpu.eflags |= 0x0400 | 0x0080 | 0x0004;  // DF SF PF
    const RunResult run = game_.Run(host::kJiggleSetupContinue, cpu);
    ASSERT_TRUE(run.landed);
    EXPECT_EQ(run.exit.eip, host::kJiggleSetupContinue);
    EXPECT_TRUE(test_support::RegistersKept(
        cpu, run.exit,
        {&Cpu::eax, &Cpu::ebx, &Cpu::ecx, &Cpu::edx, &Cpu::esi, &Cpu::edi, &Cpu::ebp, &Cpu::esp}));
    EXPECT_EQ(run.exit.eflags & kFlagMask, cpu.eflags & kFlagMask);
}

}  // namespace
}  // namespace sim
