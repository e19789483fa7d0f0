// Init as the mod loader calls it: what it writes into the game, in which order.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/game.h"
#include "patch/jump_record.h"
#include "plugin/plugin.h"
#include "plugin/routines.h"
#include "sim/game.h"
#include "sim/write_log.h"
#include "tests/support/jumps.h"

namespace {

std::vector<std::uint8_t> CostumeJump() {
    return test_support::JumpBytes(host::kCostumeLoadSite, &CostumeLoadHook);
}

class InitInGame : public testing::Test {
  protected:
    void SetUp() override { sim::ClearWriteLog(); }
    sim::Game game_;
};

TEST_F(InitInGame, ModInfoRecordIsVersionFiveThenZeros) {
    EXPECT_EQ(KorvModInfo.version, 5u);
    for (std::uint32_t field : KorvModInfo.reserved) {
        EXPECT_EQ(field, 0u);
    }
}

TEST_F(InitInGame, CostumeJumpIsTheFirstWriteAndLandsInTheGameCode) {
    Init("C:\\Games\\mods\\VessaAltCostume");
    const auto& log = sim::WriteLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].address, host::kCostumeLoadSite);
    EXPECT_EQ(log[0].Bytes(), CostumeJump());
    EXPECT_TRUE(log[0].written);
    EXPECT_EQ(game_.CodeBytes(host::kCostumeLoadSite, 5), CostumeJump());
    // The 43 bytes behind the record are the game's own and stay as they were.
    EXPECT_EQ(game_.CodeBytes(host::kCostumeLoadSite + 5, host::kCostumeLoadBytes - 5),
              std::vector<std::uint8_t>(host::kCostumeLoadBytes - 5, 0xCC));
}

TEST_F(InitInGame, SecondInitWritesTheSameRecordAgainWithTheSameHandle) {
    Init("C:\\Games\\mods\\VessaAltCostume");
    const std::size_t firstCallWrites = sim::WriteLog().size();
    Init("C:\\Games\\mods\\VessaAltCostume");

    const auto& log = sim::WriteLog();
    ASSERT_EQ(log.size(), 2 * firstCallWrites);
    for (std::size_t i = 0; i < firstCallWrites; ++i) {
        EXPECT_EQ(log[firstCallWrites + i].address, log[i].address);
        EXPECT_EQ(log[firstCallWrites + i].Bytes(), log[i].Bytes());
    }
    EXPECT_EQ(sim::CurrentProcessCalls(), 1u);
}

TEST_F(InitInGame, NullFolderStillPlacesTheCostumeJump) {
    Init(nullptr);
    ASSERT_FALSE(sim::WriteLog().empty());
    EXPECT_EQ(sim::WriteLog()[0].address, host::kCostumeLoadSite);
    EXPECT_EQ(game_.CodeBytes(host::kCostumeLoadSite, 5), CostumeJump());
}

}  // namespace
