// Golden files: every testdata/NAME.ini must load into the document whose canonical dump is
// testdata/NAME.dump, byte for byte. A new parser case adds a pair of files, not code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ini_document.h"
#include "config/ini_dump.h"
#include "tests/support/case_names.h"
#include "tests/support/temp_file.h"

namespace {

namespace fs = std::filesystem;

const fs::path kTestData = VESSA_CONFIG_TESTDATA_DIR;

// One test over the whole folder, listed when it runs: a new pair of files is checked by the
// next test run without rebuilding or re-listing anything.
TEST(IniGolden, EveryInputDumpsExactlyAsItsDumpFile) {
    const std::vector<std::string> names = test_support::GoldenNames(kTestData.string());
    ASSERT_FALSE(names.empty()) << "no golden files in " << kTestData;
    for (const std::string& name : names) {
        const fs::path dump = kTestData / (name + ".dump");
        ASSERT_TRUE(fs::exists(dump)) << dump << " is missing";
        const IniDocument document((kTestData / (name + ".ini")).string());
        EXPECT_EQ(DumpIniDocument(document), test_support::ReadWholeFile(dump.string()))
            << "golden file " << name;
    }
}

}  // namespace
