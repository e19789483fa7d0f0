// Golden files: every testdata/NAME.ini must load into the document whose canonical dump is
// testdata/NAME.dump, byte for byte. A new parser case adds a pair of files, not code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ini_document.h"
#include "config/ini_dump.h"
#include "config/testing/ini_test_support.h"

namespace {

namespace fs = std::filesystem;

const fs::path kTestData = VESSA_CONFIG_TESTDATA_DIR;

std::vector<std::string> GoldenNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kTestData)) {
        if (entry.path().extension() == ".ini") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class IniGolden : public testing::TestWithParam<std::string> {};

TEST_P(IniGolden, DumpMatchesTheDumpFileByteForByte) {
    const fs::path ini = kTestData / (GetParam() + ".ini");
    const fs::path dump = kTestData / (GetParam() + ".dump");
    ASSERT_TRUE(fs::exists(dump)) << dump << " is missing";

    const IniDocument document(ini.string());
    EXPECT_EQ(DumpIniDocument(document), ReadWholeFile(dump.string()));
}

// Test names must be identifiers: "no-final-lf" becomes no_final_lf.
std::string GoldenCaseName(const testing::TestParamInfo<std::string>& golden) {
    std::string name = golden.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, IniGolden, testing::ValuesIn(GoldenNames()), GoldenCaseName);

}  // namespace
