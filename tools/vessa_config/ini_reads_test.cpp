#include "tools/vessa_config/ini_reads.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"
#include "tests/support/case_names.h"
#include "tests/support/ini_contents.h"
#include "tests/support/temp_file.h"

namespace {

namespace fs = std::filesystem;

// A read as the rows below write it: "LINE[-LASTLINE] TEXT", with "+" in front when it
// continues a line cut at 1,023 bytes; TEXT is "[NAME]", "KEY=VALUE", "KEY" or nothing.
std::string Describe(const IniRead& read) {
    std::string text = read.continued ? "+" : "";
    text += std::to_string(read.line);
    if (read.lastLine != read.line) {
        text += "-" + std::to_string(read.lastLine);
    }
    text += " ";
    if (read.kind == IniRead::Kind::kHeader) {
        text += "[" + std::string(read.name) + "]";
    } else if (read.kind == IniRead::Kind::kPair) {
        text += std::string(read.key) + (read.hasEquals ? "=" + std::string(read.value) : "");
    }
    return text;
}

struct Traced {
    std::vector<std::string> reads;
    std::size_t ctrlZLine = 0;
};

Traced Trace(const std::string& bytes, TextMode mode) {
    const test_support::TempFile file(bytes);
    std::FILE* stream = std::fopen(file.Path().c_str(), "rb");
    Traced traced;
    if (stream == nullptr) {
        ADD_FAILURE() << "cannot open " << file.Path();
        return traced;
    }
    IniReads reads(stream, mode);
    IniRead read;
    while (reads.Next(read)) {
        traced.reads.push_back(Describe(read));
    }
    traced.ctrlZLine = reads.CtrlZLine();
    std::fclose(stream);
    return traced;
}

struct ReadsCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> plain;    // the reads where bytes arrive as they are
    std::vector<std::string> windows;  // the reads through msvcrt's text mode
    std::size_t ctrlZLine = 0;
};

class IniReadsLines : public testing::TestWithParam<ReadsCase> {};

TEST_P(IniReadsLines, PlacesEachReadOnTheLineAnEditorShows) {
    const ReadsCase& c = GetParam();
    const Traced plain = Trace(c.bytes, kPlainTextMode);
    EXPECT_EQ(plain.reads, c.plain);
    EXPECT_EQ(plain.ctrlZLine, c.ctrlZLine);
    const Traced windows = Trace(c.bytes, kWindowsTextMode);
    EXPECT_EQ(windows.reads, c.windows);
    EXPECT_EQ(windows.ctrlZLine, c.ctrlZLine);
}

const std::string kX1020(1020, 'x');

INSTANTIATE_TEST_SUITE_P(
    Files, IniReadsLines,
    testing::Values(
        ReadsCase{"blank and comment lines count",
                  "[S]\n\n; note\nk=v\n",
                  {"1 [S]", "2 ", "3 ", "4 k=v"},
                  {"1 [S]", "2 ", "3 ", "4 k=v"}},
        ReadsCase{"CR LF ends one line",
                  "[S]\r\nk=v\r\n\r\nm=n\r\n",
                  {"1 [S]", "2 k=v", "3 ", "4 m=n"},
                  {"1 [S]", "2 k=v", "3 ", "4 m=n"}},
        ReadsCase{"a CR alone ends a line an editor shows but not a read",
                  "a=1\rb=2\rc=3\r",
                  {"1-3 a=1"},
                  {"1-3 a=1"}},
        ReadsCase{"a line of 2,000 bytes is two reads on one line",
                  "k=" + std::string(1998, 'x') + "\nz=1\n",
                  {"1 k=" + std::string(1021, 'x'), "+1 " + std::string(977, 'x'), "2 z=1"},
                  {"1 k=" + std::string(1021, 'x'), "+1 " + std::string(977, 'x'), "2 z=1"}},
        ReadsCase{"CR LF after 1,022 bytes: the LF is a read of its own unless translated",
                  "k=" + kX1020 + "\r\nz=1\n",
                  {"1 k=" + kX1020, "+1 ", "2 z=1"},
                  {"1 k=" + kX1020, "2 z=1"}},
        ReadsCase{"a NUL ends a read, a read starting with one is skipped",
                  std::string("a=b\0c\n\0skipped\nd=1\n", 20),
                  {"1 a=b", "3 d=1"},
                  {"1 a=b", "3 d=1"}},
        ReadsCase{"a backslash before CR LF escapes what arrives",
                  "v=ab\\\r\n",
                  {"1 v=ab\r"},
                  {"1 v=ab\n"}},
        ReadsCase{"headers, and a key that looks like one",
                  "[a]b]\n[abc\n[]\n",
                  {"1 [a]b]", "2 [abc", "3 []"},
                  {"1 [a]b]", "2 [abc", "3 []"}},
        ReadsCase{"Ctrl-Z ends the file in text mode only",
                  "k=1\n\x1A\nk=2\n",
                  {"1 k=1", "2 \x1A", "3 k=2"},
                  {"1 k=1"},
                  2}),
    test_support::NameFromWhat{});

// The pairs the reads of a file set, later ones winning, as the reader stores them.
IniContents RetracedContents(const std::string& path) {
    IniContents traced;
    std::string section;
    traced[section];
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        ADD_FAILURE() << "cannot open " << path;
        return traced;
    }
    IniReads reads(stream, kPlatformTextMode);
    IniRead read;
    while (reads.Next(read)) {
        if (read.kind == IniRead::Kind::kHeader) {
            section = read.name;
            traced[section];
        } else if (read.kind == IniRead::Kind::kPair) {
            traced[section][std::string(read.key)] = read.value;
        }
    }
    std::fclose(stream);
    return traced;
}

// The retracing must store exactly what the reader stores: for every golden input and fuzz
// seed, the pairs the reads set, later ones winning, are the reader's document.
TEST(IniReadsAgreeWithTheReader, OnEveryGoldenInputAndFuzzSeed) {
    for (const char* folder : {VESSA_CONFIG_TESTDATA_DIR, VESSA_FUZZ_SEEDS_DIR}) {
        std::size_t files = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".dump") {
                continue;
            }
            const std::string path = entry.path().string();
            EXPECT_EQ(RetracedContents(path), ContentsOf(IniDocument(path))) << path;
            ++files;
        }
        // Each folder holds dozens of cases; none found means the folder moved.
        EXPECT_GT(files, 10u) << folder;
    }
}

// Beyond the hand-written cases: files pieced together from the bytes the line rules turn
// on, in the orders a fixed pseudo-random sequence picks, so every run sees the same files.
std::string PiecedFile(std::minstd_rand& random) {
    // Single bytes; sizeof counts the terminating NUL, which is one of them.
    static constexpr char kBytes[] = "[]=;\\#: \t\r\n\x1A";
    static constexpr std::string_view kEscapes[] = {
        "\\;", "\\n", "\\r", "\\=", "\\[", "\\]", "\\\\"};
    static constexpr std::string_view kWords[] = {
        "k", "v", "true", "UseJiggle", "Vessa Alt Costume", "\xEF\xBB\xBF", "\xC2\xA0"};
    std::string bytes;
    const std::size_t count = random() % 40;
    for (std::size_t i = 0; i < count; ++i) {
        const auto kind = random() % 16;
        if (kind < 8) {
            bytes += kBytes[random() % sizeof kBytes];
        } else if (kind < 11) {
            bytes += kEscapes[random() % std::size(kEscapes)];
        } else if (kind < 15) {
            bytes += kWords[random() % std::size(kWords)];
        } else {
            // A run that takes a line to either side of the 1,023-byte cut.
            bytes.append(kIniMaxRead - 23 + random() % 48, 'x');
        }
    }
    return bytes;
}

TEST(IniReadsAgreeWithTheReader, OnPiecedTogetherFiles) {
    std::minstd_rand random(20240611);
    for (int i = 0; i < 600; ++i) {
        const std::string bytes = PiecedFile(random);
        const test_support::TempFile file(bytes);
        EXPECT_EQ(RetracedContents(file.Path()), ContentsOf(IniDocument(file.Path())))
            << "file " << i << ": " << testing::PrintToString(bytes);
    }
}

}  // namespace
