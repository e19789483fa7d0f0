#include "tools/vessa_config/launch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/case_names.h"

namespace {

TEST(Launch, WaitsForEnterOnlyInAConsoleOfItsOwn) {
    const struct {
        std::size_t processes;
        bool waits;
    } cases[] = {
        {0, false},  // no console, or GetConsoleProcessList failed
        {1, true},   // double-clicked, or a folder dropped onto it: the window is ours
        {2, false},  // started from cmd.exe or PowerShell
        {3, false},  // from a script run in a terminal
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShouldWaitForEnter(c.processes), c.waits) << c.processes << " processes";
    }
}

struct ArgumentsCase {
    const char* what;
    std::vector<std::string> given;
    bool ownConsole;
    std::vector<std::string> run;
};

void PrintTo(const ArgumentsCase& c, std::ostream* os) {
    *os << c.what;
}

class LaunchArguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(LaunchArguments, MapADoubleClickOrADroppedFolderToCheck) {
    const ArgumentsCase& c = GetParam();
    const std::set<std::string> folders = {"C:\\mods\\VessaAltCostume", "dump"};
    const auto isCommand = [](std::string_view name) { return name == "check" || name == "dump"; };
    const auto isFolder = [&folders](const std::string& path) { return folders.count(path) > 0; };
    EXPECT_EQ(ArgumentsToRun(c.given, c.ownConsole, isCommand, isFolder), c.run);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, LaunchArguments,
    testing::Values(
        ArgumentsCase{"double-click", {}, true, {"check"}},
        ArgumentsCase{"no arguments from a terminal", {}, false, {}},
        ArgumentsCase{"folder dropped onto the exe",
                      {"C:\\mods\\VessaAltCostume"},
                      true,
                      {"check", "C:\\mods\\VessaAltCostume"}},
        ArgumentsCase{"folder alone from a terminal",
                      {"C:\\mods\\VessaAltCostume"},
                      false,
                      {"check", "C:\\mods\\VessaAltCostume"}},
        ArgumentsCase{"a command wins over a folder of its name", {"dump"}, true, {"dump"}},
        ArgumentsCase{
            "an argument that is no folder", {"C:\\mods\\nothing"}, true, {"C:\\mods\\nothing"}},
        ArgumentsCase{"a command with its folder",
                      {"check", "C:\\mods\\VessaAltCostume"},
                      true,
                      {"check", "C:\\mods\\VessaAltCostume"}}),
    test_support::NameFromWhat{});

struct FolderCase {
    const char* what;
    std::string exePath;
    std::set<std::string> folders;  // those that exist
    std::string chosen;
    std::string why;
    std::vector<std::string> asked;  // the folders whose existence decided
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.what;
}

class LaunchFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(LaunchFolder, PrefersTheModFolderBesideTheToolsFolder) {
    const FolderCase& c = GetParam();
    std::vector<std::string> asked;
    const DefaultFolder chosen = ChooseDefaultFolder(c.exePath, [&](const std::string& path) {
        asked.push_back(path);
        return c.folders.count(path) > 0;
    });
    EXPECT_EQ(chosen.path, c.chosen);
    EXPECT_EQ(chosen.why, c.why);
    EXPECT_EQ(asked, c.asked);
}

const std::string kBeside = "the mod folder beside the tool's folder";
const std::string kOwn = "the folder the tool is in";

INSTANTIATE_TEST_SUITE_P(
    Layouts, LaunchFolder,
    testing::Values(FolderCase{"as the zip unpacks",
                               "C:\\Games\\mods\\tools\\vessa-config.exe",
                               {"C:\\Games\\mods\\VessaAltCostume", "C:\\Games\\mods\\tools"},
                               "C:\\Games\\mods\\VessaAltCostume",
                               kBeside,
                               {"C:\\Games\\mods\\VessaAltCostume"}},
                    FolderCase{"no mod folder beside it",
                               "C:\\Games\\mods\\tools\\vessa-config.exe",
                               {"C:\\Games\\mods\\tools"},
                               "C:\\Games\\mods\\tools",
                               kOwn,
                               {"C:\\Games\\mods\\VessaAltCostume"}},
                    FolderCase{"copied into the mod folder itself",
                               "C:\\Games\\mods\\VessaAltCostume\\vessa-config.exe",
                               {"C:\\Games\\mods\\VessaAltCostume"},
                               "C:\\Games\\mods\\VessaAltCostume",
                               kOwn,
                               {}},
                    FolderCase{"slashes",
                               "/opt/vessa/tools/vessa-config",
                               {"/opt/vessa/VessaAltCostume"},
                               "/opt/vessa/VessaAltCostume",
                               kBeside,
                               {"/opt/vessa/VessaAltCostume"}},
                    FolderCase{"in a drive's root", "C:\\vessa-config.exe", {}, "C:", kOwn, {}},
                    FolderCase{"own path unknown",
                               "",
                               {},
                               ".",
                               "the current folder, as the tool's own is not known",
                               {}}),
    test_support::NameFromWhat{});

}  // namespace
