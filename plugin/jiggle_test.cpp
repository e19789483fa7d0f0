// The configuration pass end to end: real config.ini files, the real Init, the real
// routines in the simulated game. Each case checks which jump records Init wrote, in
// which order, and whether the game's own jiggle block ran when the game got there.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "host/game.h"
#include "patch/jump_record.h"
#include "plugin/plugin.h"
#include "plugin/routines.h"
#include "sim/game.h"
#include "sim/write_log.h"
#include "tests/support/case_names.h"
#include "tests/support/jumps.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/sim/registers.h"
#include "tests/support/use_jiggle_verdicts.h"

namespace {

using test_support::JumpBytes;
using test_support::ScratchFolder;

// Runs the game into the jiggle site and reports whether the game's own block ran.
bool GameRanItsJiggleBlock(sim::Game& game) {
    const unsigned before = game.JiggleBlockRuns();
    const sim::RunResult run = game.Run(host::kJiggleSetupSite, game.EntryState());
    EXPECT_TRUE(run.landed) << "signal " << run.signal << " at " << std::hex << run.faultEip;
    EXPECT_EQ(run.exit.eip, host::kJiggleSetupContinue);
    return game.JiggleBlockRuns() != before;
}

// Init's writes for a given verdict: the costume jump always first, the bypass only when
// the setting is off.
void ExpectWritesFor(bool useJiggle) {
    const auto& log = sim::WriteLog();
    ASSERT_EQ(log.size(), useJiggle ? 1u : 2u);
    EXPECT_EQ(log[0].address, host::kCostumeLoadSite);
    EXPECT_EQ(log[0].Bytes(), JumpBytes(host::kCostumeLoadSite, &CostumeLoadHook));
    if (!useJiggle) {
        EXPECT_EQ(log[1].address, host::kJiggleSetupSite);
        EXPECT_EQ(log[1].Bytes(), JumpBytes(host::kJiggleSetupSite, &JiggleSkipStub));
    }
}

const std::string kHeader = "[Vessa Alt Costume]\n";

class ConfigFile : public testing::TestWithParam<test_support::VerdictCase> {
  protected:
    void SetUp() override { sim::ClearWriteLog(); }
    ScratchFolder folder_;
    sim::Game game_;
};

TEST_P(ConfigFile, DecidesTheBypassAndTheGameFollows) {
    const test_support::VerdictCase& c = GetParam();
    test_support::WriteVerdictConfig(folder_, c);
    Init(folder_.Path().c_str());
    ExpectWritesFor(c.useJiggle);
    EXPECT_EQ(GameRanItsJiggleBlock(game_), c.useJiggle);
}

INSTANTIATE_TEST_SUITE_P(Verdicts, ConfigFile, testing::ValuesIn(test_support::UseJiggleVerdicts()),
                         test_support::NameFromWhat());

class FolderPath : public testing::Test {
  protected:
    void SetUp() override { sim::ClearWriteLog(); }
    ScratchFolder folder_;
    sim::Game game_;
};

TEST_F(FolderPath, TrailingBackslashStillFindsTheFile) {
    ASSERT_TRUE(folder_.WriteFile("config.ini", kHeader + "UseJiggle=true\n"));
    Init((folder_.Path() + "\\").c_str());
    ExpectWritesFor(true);
    EXPECT_TRUE(GameRanItsJiggleBlock(game_));
}

TEST_F(FolderPath, UnreadableFoldersLeaveTheSettingOff) {
    const std::string longFolder(100000, 'a');
    const std::string file = folder_.Path() + "/plain-file";
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    const struct {
        const char* what;
        const char* folder;
    } cases[] = {
        {"null folder", nullptr},
        {"empty folder", ""},
        {"100,000-byte folder", longFolder.c_str()},
        {"folder that is a file", file.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::ClearWriteLog();
        Init(c.folder);
        ExpectWritesFor(false);
        EXPECT_FALSE(GameRanItsJiggleBlock(game_));
    }
    std::remove(file.c_str());
}

TEST_F(FolderPath, ConfigIniThatIsADirectoryLeavesTheSettingOff) {
    ASSERT_EQ(mkdir((folder_.Path() + "/config.ini").c_str(), 0700), 0);
    Init(folder_.Path().c_str());
    ExpectWritesFor(false);
    EXPECT_FALSE(GameRanItsJiggleBlock(game_));
}

TEST_F(FolderPath, EveryInitReadsTheFileAgainButNeverRemovesTheBypass) {
    ASSERT_TRUE(folder_.WriteFile("config.ini", kHeader + "UseJiggle=true\n"));
    Init(folder_.Path().c_str());
    ExpectWritesFor(true);

    ASSERT_TRUE(folder_.WriteFile("config.ini", kHeader + "UseJiggle=false\n"));
    sim::ClearWriteLog();
    Init(folder_.Path().c_str());
    ExpectWritesFor(false);

    ASSERT_TRUE(folder_.WriteFile("config.ini", kHeader + "UseJiggle=true\n"));
    sim::ClearWriteLog();
    Init(folder_.Path().c_str());
    ExpectWritesFor(true);
    EXPECT_EQ(game_.CodeBytes(host::kJiggleSetupSite, 5),
              JumpBytes(host::kJiggleSetupSite, &JiggleSkipStub))
        << "a later 'true' does not take the bypass out";
    EXPECT_FALSE(GameRanItsJiggleBlock(game_));
    EXPECT_EQ(sim::CurrentProcessCalls(), 1u);
}

// JiggleSkipStub on its own: EBX gets the record's first byte sign-extended; every other
// register, every flag and ESP come through untouched.
class JiggleStub : public testing::TestWithParam<std::tuple<std::uint8_t, std::uint32_t>> {
  protected:
    void SetUp() override {
        sim::ClearWriteLog();
        Init(nullptr);  // no configuration: the bypass is placed
    }
    sim::Game game_;
};

TEST_P(JiggleStub, LoadsSignExtendedFirstByteAndKeepsEverythingElse) {
    const auto [firstByte, flags] = GetParam();
    game_.FillRecord(0x33);
    game_.SetRecordByte(host::record::kFirstByte, firstByte);
    sim::Cpu entry = game_.EntryState();
    entry.eflags = 0x0202 | flags;

    const sim::RunResult run = game_.Run(host::kJiggleSetupSite, entry);

    ASSERT_TRUE(run.landed);
    EXPECT_EQ(run.exit.eip, host::kJiggleSetupContinue);
    EXPECT_EQ(run.exit.ebx, static_cast<std::uint32_t>(
                                static_cast<std::int32_t>(static_cast<std::int8_t>(firstByte))));
    EXPECT_TRUE(
        test_support::RegistersKept(entry, run.exit,
                                    {&sim::Cpu::eax, &sim::Cpu::ecx, &sim::Cpu::edx, &sim::Cpu::esi,
                                     &sim::Cpu::edi, &sim::Cpu::ebp, &sim::Cpu::esp}));
    EXPECT_EQ(run.exit.eflags & sim::kFlagMask, entry.eflags & sim::kFlagMask);
    EXPECT_TRUE(game_.CallerFrameIntact());
    EXPECT_EQ(game_.JiggleBlockRuns(), 0u);
    EXPECT_EQ(game_.RecordBytes()[0], firstByte) << "the stub only reads the record";
}

INSTANTIATE_TEST_SUITE_P(FirstBytesAndFlags, JiggleStub,
                         testing::Combine(testing::Values(std::uint8_t{0x00}, std::uint8_t{0x7F},
                                                          std::uint8_t{0x80}, std::uint8_t{0xFF}),
                                          testing::Values(0x0000u,     // all clear
                                                          0x0CD5u,     // CF PF AF ZF SF DF OF
                                                          0x0041u,     // CF ZF
                                                          0x0884u)));  // PF SF OF

}  // namespace
