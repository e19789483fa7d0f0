// vessa-config as a user runs it: the built binary, its exit status, and the exact bytes it
// writes to stdout and stderr.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/case_names.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/temp_file.h"

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

// Runs the tool with stdout to a scratch file, or to `stdoutTo` (such as /dev/full) when
// given; `out` is then empty.
ToolRun RunTool(const std::vector<std::string>& args, const std::string& stdoutTo = "") {
    const test_support::TempFile out("");
    const test_support::TempFile err("");
    std::string command = ShellQuote(VESSA_CONFIG_TOOL);
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " >" + ShellQuote(stdoutTo.empty() ? out.Path() : stdoutTo) + " 2>" +
               ShellQuote(err.Path());
    const int wait_status = std::system(command.c_str());

    ToolRun run;
    if (wait_status != -1 && WIFEXITED(wait_status)) {
        run.status = WEXITSTATUS(wait_status);
    }
    run.out = test_support::ReadWholeFile(out.Path());
    run.err = test_support::ReadWholeFile(err.Path());
    return run;
}

// Every golden input through the real binary; the folder is listed when the test runs, so a
// new pair of files is checked without rebuilding.
TEST(VessaConfigDump, PrintsExactlyTheDumpFileOfEveryGoldenInput) {
    const std::vector<std::string> names = test_support::GoldenNames(kTestData.string());
    ASSERT_FALSE(names.empty()) << "no golden files in " << kTestData;
    for (const std::string& name : names) {
        const ToolRun run = RunTool({"dump", (kTestData / (name + ".ini")).string()});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        EXPECT_EQ(run.out, test_support::ReadWholeFile((kTestData / (name + ".dump")).string()))
            << name;
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

TEST(VessaConfigCheck, GivesTheVerdictThenTheFindingsOnStdoutAndExitsZero) {
    const test_support::ScratchFolder folder;
    ASSERT_TRUE(folder.WriteFile("config.ini", "[Vessa Alt Costume]\nUseJiggle = true\n"));
    const ToolRun run = RunTool({"check", folder.Path()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Checked " + folder.Path() +
                           "\\config.ini\n"
                           "UseJiggle is OFF: [Vessa Alt Costume] (config.ini:1) has no key "
                           "UseJiggle; the game's jiggle set-up is passed over.\n"
                           "config.ini:2: warning: nothing is trimmed: the space before '=' is "
                           "part of the key; the space after '=' is part of the value; write: "
                           "UseJiggle=true\n");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string::npos ? text.size() : lf;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Whatever the file holds, check answers with a verdict and at most 20 findings, then the
// number of the rest.
TEST(VessaConfigCheck, BadInputGetsAVerdictAndAtMostTwentyFindingsThenTheirCount) {
    std::string binary(1 << 20, '\0');
    std::uint32_t state = 12345;
    for (char& byte : binary) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    std::string manyLines = "[Vessa Alt Costume]\n";
    for (int i = 0; i < 100'000; ++i) {
        manyLines += "usejiggle=true\n";
    }
    std::string big = "[Vessa Alt Costume]\n";
    while (big.size() < (64u << 20)) {
        big += "UseJiggle=\"true\" # on\n";
    }
    const struct {
        const char* what;
        const std::string& config;
        const char* verdictStart;
        const char* more;  // the last line, when there are more than 20 findings
    } cases[] = {
        {"binary", binary, "UseJiggle is OFF: ", nullptr},
        {"100,000 lines", manyLines, "UseJiggle is OFF: [Vessa Alt Costume] (config.ini:1) has no",
         "... and 99980 more findings; fix the ones above and check again."},
        {"64 MiB", big, "UseJiggle is OFF: config.ini:", nullptr},
    };
    for (const auto& c : cases) {
        const test_support::ScratchFolder folder;
        ASSERT_TRUE(folder.WriteFile("config.ini", c.config));
        const ToolRun run = RunTool({"check", folder.Path()});
        EXPECT_EQ(run.status, 0) << c.what;
        EXPECT_EQ(run.err, "") << c.what;
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_GE(lines.size(), 2u) << c.what;
        EXPECT_EQ(lines[0], "Checked " + folder.Path() + "\\config.ini") << c.what;
        EXPECT_EQ(lines[1].rfind(c.verdictStart, 0), 0u) << c.what << ": " << lines[1];
        std::size_t findings = 0;
        for (std::size_t i = 2; i < lines.size(); ++i) {
            findings += lines[i].rfind("config.ini:", 0) == 0 ? 1 : 0;
        }
        EXPECT_LE(findings, 20u) << c.what;
        if (c.more != nullptr) {
            EXPECT_EQ(findings, 20u) << c.what;
            EXPECT_EQ(lines.back(), c.more) << c.what;
            EXPECT_EQ(lines.size(), 2u + 20u + 1u) << c.what;
        } else {
            EXPECT_EQ(lines.size(), 2u + findings + (findings == 20 ? 1u : 0u)) << c.what;
        }
    }
}

// A full disk or a closed pipe must not pass for success: the report or the dump did not
// reach its reader.
TEST(VessaConfig, OutputThatCannotBeWrittenExitsOneWithAMessageOnStderr) {
    const test_support::ScratchFolder folder;
    ASSERT_TRUE(folder.WriteFile("config.ini", "[Vessa Alt Costume]\nUseJiggle=true\n"));
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"check", folder.Path()}, "vessa-config: cannot write the report on "},
        {{"dump", folder.PathOf("config.ini")}, "vessa-config: cannot write the dump of "},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.args, "/dev/full");
        EXPECT_EQ(run.status, 1) << c.args[0];
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    }
}

TEST(VessaConfigCheck, MissingConfigIsAVerdictButAnUnreadableFolderExitsOne) {
    const test_support::ScratchFolder folder;
    const ToolRun missing = RunTool({"check", folder.Path()});
    EXPECT_EQ(missing.status, 0);
    EXPECT_NE(missing.out.find("no config.ini"), std::string::npos) << missing.out;

    const std::string gone = folder.Path() + "/no-such-folder";
    const ToolRun unreadable = RunTool({"check", gone});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find(gone), std::string::npos) << unreadable.err;
}

// Without a folder the tool says which one it chose: beside its own folder there is no
// VessaAltCostume in the build tree, so its own folder. A folder alone, as dropping one onto
// the .exe passes it, is checked like `check FOLDER`.
TEST(VessaConfigCheck, NamesTheFolderItChoseAndTakesADroppedFolder) {
    const std::string toolFolder = fs::path(VESSA_CONFIG_TOOL).parent_path().string();
    const ToolRun chosen = RunTool({"check"});
    EXPECT_EQ(chosen.status, 0);
    EXPECT_EQ(chosen.out.substr(0, chosen.out.find('\n')),
              "No folder given: checking " + toolFolder + ", the folder the tool is in.");

    const test_support::ScratchFolder folder;
    ASSERT_TRUE(folder.WriteFile("config.ini", "[Vessa Alt Costume]\nUseJiggle=true\n"));
    const ToolRun dropped = RunTool({folder.Path()});
    EXPECT_EQ(dropped.status, 0);
    EXPECT_EQ(dropped.out, RunTool({"check", folder.Path()}).out);
    EXPECT_NE(dropped.out.find("UseJiggle is ON"), std::string::npos) << dropped.out;
}

TEST(VessaConfigCheck, MoreThanOneFolderIsWrongUsage) {
    const ToolRun run = RunTool({"check", "a", "b"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: vessa-config check [FOLDER]"), std::string::npos) << run.err;
}

}  // namespace
