// vessa-config as a user runs it: the built binary, its exit status, and the exact bytes it
// writes to stdout and stderr.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/testing/ini_test_support.h"
#include "tests/support/mod_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kTestData = VESSA_CONFIG_TESTDATA_DIR;

struct ToolRun {
    int status = -1;  // exit status, or -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char byte : text) {
        quoted += byte == '\'' ? std::string("'\\''") : std::string(1, byte);
    }
    return quoted + "'";
}

ToolRun RunTool(const std::vector<std::string>& args) {
    const TempIniFile out("");
    const TempIniFile err("");
    std::string command = ShellQuote(VESSA_CONFIG_TOOL);
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " >" + ShellQuote(out.Path()) + " 2>" + ShellQuote(err.Path());
    const int wait_status = std::system(command.c_str());

    ToolRun run;
    if (wait_status != -1 && WIFEXITED(wait_status)) {
        run.status = WEXITSTATUS(wait_status);
    }
    run.out = ReadWholeFile(out.Path());
    run.err = ReadWholeFile(err.Path());
    return run;
}

// Every golden input through the real binary; the folder is listed when the test runs, so a
// new pair of files is checked without rebuilding.
TEST(VessaConfigDump, PrintsExactlyTheDumpFileOfEveryGoldenInput) {
    const std::vector<std::string> names = GoldenNames(kTestData.string());
    ASSERT_FALSE(names.empty()) << "no golden files in " << kTestData;
    for (const std::string& name : names) {
        const ToolRun run = RunTool({"dump", (kTestData / (name + ".ini")).string()});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        EXPECT_EQ(run.out, ReadWholeFile((kTestData / (name + ".dump")).string())) << name;
        EXPECT_EQ(run.err, "") << name;
    }
}

TEST(VessaConfigDump, UnopenableFileExitsOneNamingThePathWithNothingOnStdout) {
    const std::string path = testing::TempDir() + "no-such-dir/config.ini";
    const ToolRun run = RunTool({"dump", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
}

// A directory opens on Linux and fails on the first read; the tool must not print the
// reader's empty result as if it were the file's content.
TEST(VessaConfigDump, DirectoryExitsOneWithNothingOnStdout) {
    const ToolRun run = RunTool({"dump", testing::TempDir()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(testing::TempDir()), std::string::npos) << run.err;
}

TEST(VessaConfig, WrongUsageExitsTwoWithUsageOnStderr) {
    const std::vector<std::vector<std::string>> wrong_usages = {
        {}, {"dump"}, {"dump", "a.ini", "b.ini"}, {"frobnicate", "a.ini"}};
    for (const auto& args : wrong_usages) {
        const ToolRun run = RunTool(args);
        const std::string shown = args.empty() ? "(no arguments)" : args[0];
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_NE(run.err.find("usage: vessa-config dump PATH"), std::string::npos) << shown;
    }
}

TEST(VessaConfig, HelpExplainsDumpAndTheExitStatusesOnStdout) {
    const ToolRun run = RunTool({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* expected :
         {"dump PATH", "check [FOLDER]", "\\x", "Exit status", "  1  ", "  2  "}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
    }
}

// The version comes from project(... VERSION) through a generated header; the test gets the
// project's version straight from CMake, so a header that fell out of step would show.
TEST(VessaConfig, VersionPrintsTheProjectVersionOnStdout) {
    const ToolRun run = RunTool({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "vessa-config " VESSA_PROJECT_VERSION "\n");
}

TEST(VessaConfigCheck, GivesTheVerdictOnStdoutAndExitsZero) {
    const test_support::ModFolder folder;
    folder.WriteConfig("[Vessa Alt Costume]\nUseJiggle = true\n");
    const ToolRun run = RunTool({"check", folder.Path()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("UseJiggle is OFF"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("warning: key \"UseJiggle \""), std::string::npos) << run.out;
}

TEST(VessaConfigCheck, MissingConfigIsAVerdictButAnUnreadableFolderExitsOne) {
    const test_support::ModFolder folder;
    const ToolRun missing = RunTool({"check", folder.Path()});
    EXPECT_EQ(missing.status, 0);
    EXPECT_NE(missing.out.find("no config.ini"), std::string::npos) << missing.out;

    const std::string gone = folder.Path() + "/no-such-folder";
    const ToolRun unreadable = RunTool({"check", gone});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find(gone), std::string::npos) << unreadable.err;
}

TEST(VessaConfigCheck, MoreThanOneFolderIsWrongUsage) {
    const ToolRun run = RunTool({"check", "a", "b"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: vessa-config check [FOLDER]"), std::string::npos) << run.err;
}

}  // namespace
