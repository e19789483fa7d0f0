#include "tools/vessa_config/config_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/mod_folder.h"
#include "tests/support/param_names.h"
#include "tests/support/use_jiggle_verdicts.h"

namespace {

using Folder = test_support::ModFolder;

struct CheckCase {
    const char* what;
    std::optional<std::string> config;
    bool useJiggle;
    const char* verdictMentions;
    std::vector<std::string> warningsMention;  // one entry per expected warning, in order
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.what;
}

const std::string kHeader = "[Vessa Alt Costume]\n";

class CheckFolder : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFolder, GivesThePluginsVerdictAndNamesTheNearMisses) {
    const CheckCase& c = GetParam();
    Folder folder;
    if (c.config) {
        folder.WriteConfig(*c.config);
    }
    ConfigCheck check;
    std::string error;
    ASSERT_TRUE(CheckConfigFolder(folder.Path(), check, error)) << error;

    EXPECT_EQ(check.path, folder.Path() + "\\config.ini");
    EXPECT_EQ(check.useJiggle, c.useJiggle);
    EXPECT_NE(check.verdict.find(c.useJiggle ? "UseJiggle is ON" : "UseJiggle is OFF"),
              std::string::npos)
        << check.verdict;
    EXPECT_NE(check.verdict.find(c.verdictMentions), std::string::npos) << check.verdict;
    ASSERT_EQ(check.warnings.size(), c.warningsMention.size())
        << testing::PrintToString(check.warnings);
    for (std::size_t i = 0; i < c.warningsMention.size(); ++i) {
        EXPECT_NE(check.warnings[i].find(c.warningsMention[i]), std::string::npos)
            << check.warnings[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Configs, CheckFolder,
    testing::Values(CheckCase{"on", kHeader + "UseJiggle=TRUE\n", true, "UseJiggle=TRUE", {}},
                    CheckCase{"plain off", kHeader + "UseJiggle=false\n", false, "\"false\"", {}},
                    CheckCase{"missing file", std::nullopt, false, "no config.ini", {}},
                    CheckCase{"empty file", "", false, "no section [Vessa Alt Costume]", {}},
                    CheckCase{"missing key", kHeader + "Other=1\n", false, "no key UseJiggle", {}},
                    CheckCase{"byte-order mark",
                              "\xEF\xBB\xBF" + kHeader + "UseJiggle=true\n",
                              false,
                              "no section",
                              {"byte-order mark", "before any section header"}},
                    CheckCase{"section in other case",
                              "[vessa alt costume]\nUseJiggle=true\n",
                              false,
                              "no section",
                              {"section [vessa alt costume] is not [Vessa Alt Costume]"}},
                    CheckCase{"section in other case and value yes",
                              "[vessa alt costume]\nUseJiggle=yes\n",
                              false,
                              "no section",
                              {"section [vessa alt costume] is not", "\"yes\" reads as off"}},
                    CheckCase{"section with spaces",
                              "[ Vessa Alt Costume ]\nUseJiggle=true\n",
                              false,
                              "no section",
                              {"section [ Vessa Alt Costume ] is not"}},
                    CheckCase{"spaces around equals",
                              kHeader + "UseJiggle = true\n",
                              false,
                              "no key UseJiggle",
                              {"key \"UseJiggle \" in [Vessa Alt Costume]",
                               "\" true\" is \"true\" apart from spaces"}},
                    CheckCase{"key in other case",
                              kHeader + "useJiggle=true\n",
                              false,
                              "no key",
                              {"key \"useJiggle\""}},
                    CheckCase{"trailing space before comment",
                              kHeader + "UseJiggle=true ;on\n",
                              false,
                              "\"true \"",
                              {"apart from spaces"}},
                    CheckCase{
                        "yes", kHeader + "UseJiggle=yes\n", false, "\"yes\"", {"only \"true\""}},
                    CheckCase{"one", kHeader + "UseJiggle=1\n", false, "\"1\"", {"only \"true\""}},
                    CheckCase{"key before any header",
                              "UseJiggle=true\n" + kHeader,
                              false,
                              "no key UseJiggle",
                              {"before any section header"}},
                    CheckCase{"key in another section",
                              "[Other]\nUseJiggle=true\n",
                              false,
                              "no section",
                              {"in section [Other]"}},
                    CheckCase{"long line",
                              kHeader + "Note=" + std::string(1100, 'x') + "\nUseJiggle=true\n",
                              true,
                              "UseJiggle=true",
                              {"line 2 is 1106 bytes long"}}));

// The tool's verdict is the plug-in's, for every config.ini the plug-in is tested on.
class CheckVerdict : public testing::TestWithParam<test_support::VerdictCase> {};

TEST_P(CheckVerdict, IsThePluginsVerdict) {
    const test_support::VerdictCase& c = GetParam();
    const Folder folder;
    test_support::WriteVerdictConfig(folder, c);
    ConfigCheck check;
    std::string error;
    ASSERT_TRUE(CheckConfigFolder(folder.Path(), check, error)) << error;
    EXPECT_EQ(check.useJiggle, c.useJiggle) << check.verdict;
}

INSTANTIATE_TEST_SUITE_P(Verdicts, CheckVerdict,
                         testing::ValuesIn(test_support::UseJiggleVerdicts()),
                         test_support::NameFromWhat());

TEST(CheckFolderErrors, UnreadableFolderIsAnErrorNotAVerdict) {
    Folder folder;
    const std::string file = folder.Path() + "/config.ini";
    folder.WriteConfig("[Vessa Alt Costume]\nUseJiggle=true\n");
    for (const std::string& path : {folder.Path() + "/no-such-folder", file}) {
        ConfigCheck check;
        std::string error;
        EXPECT_FALSE(CheckConfigFolder(path, check, error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}

TEST(CheckFolderErrors, ConfigIniThatIsADirectoryReadsAsOff) {
    Folder folder;
    ASSERT_EQ(mkdir((folder.Path() + "/config.ini").c_str(), 0700), 0);
    ConfigCheck check;
    std::string error;
    ASSERT_TRUE(CheckConfigFolder(folder.Path(), check, error)) << error;
    EXPECT_FALSE(check.useJiggle);
    EXPECT_NE(check.verdict.find("could not be read"), std::string::npos) << check.verdict;
}

}  // namespace
