#include "plugin/jiggle_setting.h"

#include <gtest/gtest.h>

#include <string>

#include "config/ini_document.h"
#include "tests/support/case_names.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/use_jiggle_verdicts.h"

namespace plugin {
namespace {

TEST(ConfigPath, AppendsBackslashConfigIniToTheFolderBytesAsGiven) {
    const struct {
        std::string folder;
        std::string path;
    } cases[] = {
        {"C:\\Games\\mods\\VessaAltCostume", "C:\\Games\\mods\\VessaAltCostume\\config.ini"},
        {"C:\\Games\\mods\\VessaAltCostume\\", "C:\\Games\\mods\\VessaAltCostume\\\\config.ini"},
        {"mods/Vessa/", "mods/Vessa/\\config.ini"},
        {"", "\\config.ini"},
        {"caf\xC3\xA9 folder", "caf\xC3\xA9 folder\\config.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConfigPath(c.folder), c.path) << c.folder;
    }
}

TEST(EqualsIgnoringAsciiCase, FoldsOnlyLettersAToZOverTheWholeLength) {
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"true", "true", true},
        {"TRUE", "true", true},
        {"tRuE", "TrUe", true},
        {"true ", "true", false},
        {" true", "true", false},
        {"tru", "true", false},
        {"", "", true},
        {"[", "{", false},  // 0x5B and 0x7B differ by 0x20 but are not letters
        {"@", "`", false},
        {"\xC9", "\xE9", false},  // no locale: Latin-1 letters are not folded
        {"truE\xFF", "TRUE\xFF", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    }
}

// The pass's own steps, from the folder to the verdict: the path Init builds, the document
// read from it, the setting looked up in it.
class ConfigPassVerdict : public testing::TestWithParam<test_support::VerdictCase> {};

TEST_P(ConfigPassVerdict, ReadsTheFolderAsInitDoes) {
    const test_support::VerdictCase& c = GetParam();
    const test_support::ScratchFolder folder;
    test_support::WriteVerdictConfig(folder, c);
    const IniDocument document(ConfigPath(folder.Path()));
    EXPECT_EQ(UseJiggle(document), c.useJiggle);
}

INSTANTIATE_TEST_SUITE_P(Verdicts, ConfigPassVerdict,
                         testing::ValuesIn(test_support::UseJiggleVerdicts()),
                         test_support::NameFromWhat());

}  // namespace
}  // namespace plugin
