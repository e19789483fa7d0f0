#include "tools/vessa_config/config_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/case_names.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/use_jiggle_verdicts.h"

namespace {

using Folder = test_support::ScratchFolder;

// One row: a config.ini (none when nullopt), the plug-in's verdict and every finding, word
// for word. "{path}" in a verdict stands for the checked path.
struct CheckCase {
    const char* what;
    std::optional<std::string> config;
    bool useJiggle;
    std::string verdict;
    std::vector<std::string> findings;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.what;
}

const std::string kHeader = "[Vessa Alt Costume]\n";
const std::string kOn = "; the game's jiggle set-up runs";
const std::string kOff = "; the game's jiggle set-up is passed over";
const std::string kOnlyTrue = ", and only \"true\" (any letter case) turns it on" + kOff;
const std::string kNoSection =
    "UseJiggle is OFF: config.ini has no section [Vessa Alt Costume]" + kOff;
const std::string kNoKey =
    "UseJiggle is OFF: [Vessa Alt Costume] (config.ini:1) has no key UseJiggle" + kOff;
const std::string kWriteTrue = "; write: UseJiggle=true";

std::string Decides(int line, const std::string& setting) {
    return "config.ini:" + std::to_string(line) + " decides with " + setting;
}

class CheckFolder : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFolder, GivesThePluginsVerdictAndPointsAtTheLines) {
    const CheckCase& c = GetParam();
    Folder folder;
    if (c.config) {
        ASSERT_TRUE(folder.WriteFile("config.ini", *c.config));
    }
    ConfigCheck check;
    std::string error;
    ASSERT_TRUE(CheckConfigFolder(folder.Path(), check, error)) << error;

    EXPECT_EQ(check.path, folder.Path() + "\\config.ini");
    EXPECT_EQ(check.useJiggle, c.useJiggle);
    std::string verdict = c.verdict;
    if (const std::size_t at = verdict.find("{path}"); at != std::string::npos) {
        verdict.replace(at, 6, check.path);
    }
    EXPECT_EQ(check.verdict, verdict);
    EXPECT_EQ(check.findings, c.findings);
    EXPECT_EQ(check.moreFindings, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Configs, CheckFolder,
    testing::Values(
        CheckCase{"on",
                  kHeader + "UseJiggle=TRUE\n",
                  true,
                  "UseJiggle is ON: " + Decides(2, "UseJiggle=TRUE") + kOn,
                  {}},
        CheckCase{"plain off",
                  kHeader + "UseJiggle=false\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=false") + kOnlyTrue,
                  {}},
        CheckCase{"missing file",
                  std::nullopt,
                  false,
                  "UseJiggle is OFF: there is no config.ini to open ({path})" + kOff,
                  {}},
        CheckCase{"empty file", "", false, kNoSection, {}},
        CheckCase{"missing key", kHeader + "Other=1\n", false, kNoKey, {}},
        CheckCase{"byte-order mark",
                  "\xEF\xBB\xBF" + kHeader + "UseJiggle=true\n",
                  false,
                  kNoSection,
                  {"config.ini:1: warning: the file starts with a byte-order mark, so its first "
                   "line is no section header; save it as UTF-8 without BOM (or as ANSI)",
                   "config.ini:2: warning: UseJiggle=true stands before any section header and "
                   "is not read; put it under [Vessa Alt Costume]"}},
        CheckCase{"section in other case",
                  "[vessa alt costume]\nUseJiggle=true\n",
                  false,
                  kNoSection,
                  {"config.ini:1: warning: section [vessa alt costume] is not [Vessa Alt "
                   "Costume]: section names must match exactly, letter case and spaces included; "
                   "write: [Vessa Alt Costume]"}},
        CheckCase{"section in other case and value yes",
                  "[vessa alt costume]\nUseJiggle=yes\n",
                  false,
                  kNoSection,
                  {"config.ini:1: warning: section [vessa alt costume] is not [Vessa Alt "
                   "Costume]: section names must match exactly, letter case and spaces included; "
                   "write: [Vessa Alt Costume]",
                   "config.ini:2: warning: the value \"yes\" reads as off: only \"true\" (any "
                   "letter case) turns the jiggle set-up on" +
                       kWriteTrue}},
        CheckCase{"section with spaces",
                  "; settings\n\n[ Vessa Alt Costume ]\nUseJiggle=true\n",
                  false,
                  kNoSection,
                  {"config.ini:3: warning: section [ Vessa Alt Costume ] is not [Vessa Alt "
                   "Costume]: section names must match exactly, letter case and spaces included; "
                   "write: [Vessa Alt Costume]"}},
        CheckCase{"spaces around equals",
                  kHeader + "UseJiggle = true\n",
                  false,
                  kNoKey,
                  {"config.ini:2: warning: nothing is trimmed: the space before '=' is part of "
                   "the key; the space after '=' is part of the value" +
                   kWriteTrue}},
        CheckCase{"tab before equals",
                  kHeader + "UseJiggle\t=true\n",
                  false,
                  kNoKey,
                  {"config.ini:2: warning: nothing is trimmed: the tab before '=' is part of the "
                   "key" +
                   kWriteTrue}},
        CheckCase{"space after equals",
                  kHeader + "UseJiggle= true\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle= true") + kOnlyTrue,
                  {"config.ini:2: warning: nothing is trimmed: the space after '=' is part of the "
                   "value" +
                   kWriteTrue}},
        CheckCase{"tab after equals",
                  kHeader + "UseJiggle=\ttrue\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=\\x09true") + kOnlyTrue,
                  {"config.ini:2: warning: nothing is trimmed: the tab after '=' is part of the "
                   "value" +
                   kWriteTrue}},
        CheckCase{"key in other case",
                  kHeader + "useJiggle=true\n",
                  false,
                  kNoKey,
                  {"config.ini:2: warning: key \"useJiggle\" is not \"UseJiggle\": keys must "
                   "match exactly, letter case included" +
                   kWriteTrue}},
        CheckCase{"trailing space before comment",
                  kHeader + "UseJiggle=true ;on\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=true ") + kOnlyTrue,
                  {"config.ini:2: warning: nothing is trimmed: the space at the end of the value "
                   "is part of it (a ';' comment may follow the value directly)" +
                   kWriteTrue}},
        CheckCase{"yes",
                  kHeader + "UseJiggle=yes\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=yes") + kOnlyTrue,
                  {"config.ini:2: warning: the value \"yes\" reads as off: only \"true\" (any "
                   "letter case) turns the jiggle set-up on" +
                   kWriteTrue}},
        CheckCase{"one",
                  kHeader + "UseJiggle=1\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=1") + kOnlyTrue,
                  {"config.ini:2: warning: the value \"1\" reads as off: only \"true\" (any "
                   "letter case) turns the jiggle set-up on" +
                   kWriteTrue}},
        CheckCase{
            "key before any header",
            "UseJiggle=true\n" + kHeader,
            false,
            "UseJiggle is OFF: [Vessa Alt Costume] (config.ini:2) has no key UseJiggle" + kOff,
            {"config.ini:1: warning: UseJiggle=true stands before any section header and "
             "is not read; put it under [Vessa Alt Costume]"}},
        CheckCase{"key in another section",
                  "[Other]\nUseJiggle=true\n",
                  false,
                  kNoSection,
                  {"config.ini:2: warning: UseJiggle=true is in section [Other], which the "
                   "plug-in does not read; put it under [Vessa Alt Costume]"}},
        CheckCase{"long line",
                  kHeader + "Note=" + std::string(1100, 'x') + "\nUseJiggle=true\n",
                  true,
                  "UseJiggle is ON: " + Decides(3, "UseJiggle=true") + kOn,
                  {"config.ini:2: warning: this line is longer than 1,023 bytes; the plug-in "
                   "reads at most 1,023 bytes at a time and takes the rest as a line of its own"}},
        CheckCase{"long line whose rest is only its line end",
                  kHeader + "Note=" + std::string(1018, 'x') + "\nUseJiggle=true\n",
                  true,
                  "UseJiggle is ON: " + Decides(3, "UseJiggle=true") + kOn,
                  {}},
        CheckCase{"double quotes",
                  kHeader + "UseJiggle=\"true\"\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=\"true\"") + kOnlyTrue,
                  {"config.ini:2: warning: quotes are not removed: the value is \"true\" with its "
                   "quotes" +
                   kWriteTrue}},
        CheckCase{"single quotes",
                  kHeader + "UseJiggle='TRUE'\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle='TRUE'") + kOnlyTrue,
                  {"config.ini:2: warning: quotes are not removed: the value is 'TRUE' with its "
                   "quotes" +
                   kWriteTrue}},
        CheckCase{"hash after the value",
                  kHeader + "UseJiggle=true # on\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=true # on") + kOnlyTrue,
                  {"config.ini:2: warning: '#' starts no comment here, so the value is all of "
                   "\"true # on\"; only ';' starts a comment" +
                   kWriteTrue}},
        CheckCase{"hash line holding the key",
                  kHeader + "#UseJiggle=false\nUseJiggle=true\n",
                  true,
                  "UseJiggle is ON: " + Decides(3, "UseJiggle=true") + kOn,
                  {"config.ini:2: warning: '#' starts no comment: this line is the key "
                   "\"#UseJiggle\", which the plug-in ignores; only ';' starts a comment; to "
                   "comment the line out, write: ;UseJiggle=false"}},
        CheckCase{"colon for equals",
                  kHeader + "UseJiggle: true\n",
                  false,
                  kNoKey,
                  {"config.ini:2: warning: ':' does not separate key and value, only '=' does: "
                   "this line is the key \"UseJiggle: true\" with no value" +
                   kWriteTrue}},
        CheckCase{"repeated key, the later empty line wins",
                  kHeader + "UseJiggle=true\nUseJiggle=\n",
                  false,
                  "UseJiggle is OFF: " + Decides(3, "UseJiggle= (an empty value)") + kOnlyTrue,
                  {"config.ini:3: warning: UseJiggle is set 2 times in [Vessa Alt Costume], "
                   "first on line 2; later lines win, so this line decides: UseJiggle=; keep one "
                   "line, write: UseJiggle=true"}},
        CheckCase{"repeated key under a repeated header",
                  kHeader + "UseJiggle=true\n[Other]\nx=1\n" + kHeader + "UseJiggle=false\n",
                  false,
                  "UseJiggle is OFF: " + Decides(6, "UseJiggle=false") + kOnlyTrue,
                  {"config.ini:6: warning: UseJiggle is set 2 times in [Vessa Alt Costume], "
                   "first on line 2; later lines win, so this line decides: UseJiggle=false; "
                   "keep one line, write: UseJiggle=true"}},
        CheckCase{"Ctrl-Z on a line of its own",
                  kHeader + "UseJiggle=true\n\x1A; saved by an old editor\n",
                  true,
                  "UseJiggle is ON: " + Decides(2, "UseJiggle=true") + kOn,
                  {"config.ini:3: warning: a Ctrl-Z byte (1A hex): on Windows the file ends "
                   "there, so the plug-in reads nothing from it on; delete it"}},
        CheckCase{"no-break space after the value",
                  kHeader + "UseJiggle=true\xC2\xA0\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=true\\xc2\\xa0") + kOnlyTrue,
                  {"config.ini:2: warning: the value \"true\\xc2\\xa0\" is not plain ASCII: it "
                   "holds a non-breaking space" +
                   kWriteTrue}},
        CheckCase{"no-break space saved as ANSI",
                  kHeader + "UseJiggle=\xA0true\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=\\xa0true") + kOnlyTrue,
                  {"config.ini:2: warning: the value \"\\xa0true\" is not plain ASCII: it holds a "
                   "non-breaking space" +
                   kWriteTrue}},
        CheckCase{
            "full-width letters",
            kHeader + "UseJiggle=\xEF\xBD\x94\xEF\xBD\x92\xEF\xBD\x95\xEF\xBD\x85\n",
            false,
            "UseJiggle is OFF: " +
                Decides(2,
                        "UseJiggle=\\xef\\xbd\\x94\\xef\\xbd\\x92\\xef\\xbd\\x95\\xef\\xbd\\x85") +
                kOnlyTrue,
            {"config.ini:2: warning: the value "
             "\"\\xef\\xbd\\x94\\xef\\xbd\\x92\\xef\\xbd\\x95\\xef\\xbd\\x85\" is not plain "
             "ASCII: it holds full-width characters" +
             kWriteTrue}},
        CheckCase{"zero-width space inside the value",
                  kHeader + "UseJiggle=tr\xE2\x80\x8Bue\n",
                  false,
                  "UseJiggle is OFF: " + Decides(2, "UseJiggle=tr\\xe2\\x80\\x8bue") + kOnlyTrue,
                  {"config.ini:2: warning: the value \"tr\\xe2\\x80\\x8bue\" is not plain ASCII: "
                   "it holds a zero-width character" +
                   kWriteTrue}},
        CheckCase{"full-width letter in the key",
                  kHeader + "Use\xEF\xBC\xAAiggle=true\n",
                  false,
                  kNoKey,
                  {"config.ini:2: warning: the key \"Use\\xef\\xbc\\xaaiggle\" is not plain "
                   "ASCII: it holds full-width characters" +
                   kWriteTrue}},
        CheckCase{"CR LF line ends count as one line each",
                  "; Vessa\r\n\r\n[Vessa Alt Costume]\r\nUseJiggle=\"true\"\r\n",
                  false,
                  "UseJiggle is OFF: " + Decides(4, "UseJiggle=\"true\"") + kOnlyTrue,
                  {"config.ini:4: warning: quotes are not removed: the value is \"true\" with its "
                   "quotes" +
                   kWriteTrue}},
        CheckCase{"carriage returns alone",
                  "[Vessa Alt Costume]\rUseJiggle=true\r",
                  false,
                  kNoKey,
                  {"config.ini:1: warning: this line ends in a carriage return without a line "
                   "feed; the plug-in reads on to the next line feed and drops all after the "
                   "carriage return, so 1 line of the file is not read; save it with Windows (CR "
                   "LF) line ends"}},
        CheckCase{"several mistakes on one line",
                  kHeader + "usejiggle = \"TRUE\" # on\n",
                  false,
                  kNoKey,
                  {"config.ini:2: warning: '#' starts no comment here, so the value is all of \" "
                   "\"TRUE\" # on\"; only ';' starts a comment" +
                       kWriteTrue,
                   "config.ini:2: warning: quotes are not removed: the value is \"TRUE\" with its "
                   "quotes" +
                       kWriteTrue,
                   "config.ini:2: warning: nothing is trimmed: the space before '=' is part of "
                   "the key; the space after '=' is part of the value" +
                       kWriteTrue,
                   "config.ini:2: warning: key \"usejiggle\" is not \"UseJiggle\": keys must "
                   "match exactly, letter case included" +
                       kWriteTrue}}),
    test_support::NameFromWhat{});

// Many findings: the report keeps the first ones in line order and counts the rest, also
// when the one that counts last (a repeated key) is found last.
TEST(CheckFolderFindings, KeepsTheFirstInLineOrderAndCountsTheRest) {
    Folder folder;
    std::string config = kHeader;
    for (int i = 0; i < 30; ++i) {
        config += "usejiggle=true\n";  // lines 2 to 31
    }
    config += "UseJiggle=true\nUseJiggle=true\n";  // lines 32 and 33
    ASSERT_TRUE(folder.WriteFile("config.ini", config));
    ConfigCheck check;
    std::string error;
    ASSERT_TRUE(CheckConfigFolder(folder.Path(), check, error)) << error;

    EXPECT_TRUE(check.useJiggle);
    ASSERT_EQ(check.findings.size(), kMaxFindings);
    for (std::size_t i = 0; i < kMaxFindings; ++i) {
        EXPECT_EQ(check.findings[i].rfind("config.ini:" + std::to_string(i + 2) +
                                              ": warning: key "
                                              "\"usejiggle\"",
                                          0),
                  0u)
            << check.findings[i];
    }
    EXPECT_EQ(check.moreFindings, 30u + 1u - kMaxFindings);  // 30 keys, 1 repeat
}

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
    ASSERT_TRUE(folder.WriteFile("config.ini", "[Vessa Alt Costume]\nUseJiggle=true\n"));
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
