// IniDocument and IniSection as the plug-in uses them: construction from a path, byte-exact
// lookups that never create entries, Clear, and Load on streams that misbehave.
#include <gtest/gtest.h>
#include <stdio.h>  // fopencookie (glibc) for streams that cannot seek or fail mid-read.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"
#include "tests/support/ini_contents.h"
#include "tests/support/temp_file.h"

namespace {

using namespace std::string_view_literals;
using test_support::TempFile;

constexpr std::string_view kPluginConfig =
    "[Vessa Alt Costume]\n"
    "UseJiggle = true\n"
    "Shade=dark\n";

TEST(IniDocument, MissingFileGivesNoSectionsNotEvenTheImplicitOne) {
    const IniDocument document(testing::TempDir() + "no-such-dir/config.ini");
    EXPECT_EQ(document.SectionCount(), 0u);
    EXPECT_EQ(document.FindSection(""), nullptr);
    EXPECT_EQ(document.FindSection("Vessa Alt Costume"), nullptr);
}

TEST(IniDocument, EmptyFileGivesExactlyTheImplicitSectionWithoutPairs) {
    const TempFile file("");
    const IniDocument document(file.Path());
    ASSERT_EQ(document.SectionCount(), 1u);
    const IniSection* implicit = document.FindSection("");
    ASSERT_NE(implicit, nullptr);
    EXPECT_EQ(implicit->PairCount(), 0u);
}

TEST(IniDocument, SectionLookupMatchesCaseAndLengthExactly) {
    const TempFile file(kPluginConfig);
    const IniDocument document(file.Path());
    EXPECT_NE(document.FindSection("Vessa Alt Costume"), nullptr);
    for (const std::string_view other :
         {"vessa alt costume"sv, "VESSA ALT COSTUME"sv, "Vessa Alt Costume "sv,
          " Vessa Alt Costume"sv, "Vessa Alt Costum"sv, "Vessa Alt Costume\0"sv}) {
        EXPECT_EQ(document.FindSection(other), nullptr) << "name of " << other.size() << " bytes";
    }
}

TEST(IniDocument, KeyLookupMatchesCaseAndLengthExactly) {
    const TempFile file(kPluginConfig);
    const IniDocument document(file.Path());
    const IniSection* section = document.FindSection("Vessa Alt Costume");
    ASSERT_NE(section, nullptr);

    // "UseJiggle = true" stores the key with its trailing space, so the plain name misses.
    EXPECT_EQ(section->FindValue("UseJiggle"), nullptr);
    EXPECT_EQ(section->FindValue("usejiggle "), nullptr);
    EXPECT_EQ(section->FindValue("UseJiggle \0"sv), nullptr);
    const std::string_view* value = section->FindValue("UseJiggle ");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, " true");
}

TEST(IniDocument, LookupsOfMissingEntriesNeverCreateThem) {
    const TempFile file(kPluginConfig);
    const IniDocument document(file.Path());
    const IniSection* section = document.FindSection("Vessa Alt Costume");
    ASSERT_NE(section, nullptr);
    const IniContents before = ContentsOf(document);

    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(document.FindSection("Missing"), nullptr);
        EXPECT_EQ(section->FindValue("Missing"), nullptr);
    }
    EXPECT_EQ(ContentsOf(document), before);
}

TEST(IniDocument, ClearEmptiesTheDocumentAndASecondClearChangesNothing) {
    const TempFile file(kPluginConfig);
    IniDocument document(file.Path());
    ASSERT_EQ(document.SectionCount(), 2u);

    document.Clear();
    EXPECT_EQ(document.SectionCount(), 0u);
    EXPECT_EQ(document.FindSection(""), nullptr);
    EXPECT_EQ(document.FindSection("Vessa Alt Costume"), nullptr);

    document.Clear();
    EXPECT_EQ(document.SectionCount(), 0u);
    EXPECT_EQ(document.FindSection(""), nullptr);
}

TEST(IniDocument, FoundSectionsAndValuesStayValidWhileManySectionsAreAdded) {
    IniDocument document;
    IniSection& first = document.FindOrAddSection("first");
    first.SetValue("k", "v");
    const std::string_view* value = first.FindValue("k");
    for (int i = 0; i < 2000; ++i) {
        document.FindOrAddSection("s" + std::to_string(i)).SetValue("k" + std::to_string(i), "v");
        first.SetValue("k" + std::to_string(i), "v");
    }
    EXPECT_EQ(document.FindSection("first"), &first);
    EXPECT_EQ(first.FindValue("k"), value);
    EXPECT_EQ(*value, "v");
}

// The storage behind sections and pairs grows in steps; every entry must stay findable and
// be visited exactly once across them: one big section, many small ones, and empty names.
TEST(IniDocument, EverySectionAndPairStaysFindableAsTheDocumentGrows) {
    IniDocument document;
    IniContents expected;
    const auto set = [&](const std::string& name, const std::string& key,
                         const std::string& value) {
        document.FindOrAddSection(name).SetValue(key, value);
        expected[name][key] = value;
    };
    for (int i = 0; i < 5000; ++i) {
        set("big", "key " + std::to_string(i), std::string(static_cast<std::size_t>(i % 300), 'v'));
    }
    for (int s = 0; s < 3000; ++s) {
        for (int k = 0; k < s % 6; ++k) {
            set("section " + std::to_string(s), std::to_string(k), std::to_string(s * k));
        }
    }
    set("", "", "empty name and key");
    document.FindOrAddSection("no pairs");
    expected["no pairs"];

    EXPECT_EQ(ContentsOf(document), expected);
    EXPECT_EQ(document.SectionCount(), expected.size());
    for (const auto& [name, pairs] : expected) {
        const IniSection* section = document.FindSection(name);
        ASSERT_NE(section, nullptr) << name;
        EXPECT_EQ(section->PairCount(), pairs.size()) << name;
        for (const auto& [key, value] : pairs) {
            const std::string_view* found = section->FindValue(key);
            ASSERT_NE(found, nullptr) << name << " / " << key;
            EXPECT_EQ(*found, value) << name << " / " << key;
        }
        EXPECT_EQ(section->FindValue("missing"), nullptr);
    }
    EXPECT_EQ(document.FindSection("section 3000"), nullptr);
}

// A key set again keeps one pair: the value found earlier shows each later value, whether it
// is longer, shorter or empty, and a value made from the stored one's own bytes.
TEST(IniDocument, KeySetAgainTakesEachNewValueWhateverItsLength) {
    IniDocument document;
    IniSection& section = document.FindOrAddSection("s");
    section.SetValue("k", "medium");
    const std::string_view* value = section.FindValue("k");
    ASSERT_NE(value, nullptr);
    for (const std::string_view next :
         {"a much longer value than before"sv, "short"sv, ""sv, "longer again"sv}) {
        section.SetValue("k", next);
        EXPECT_EQ(section.FindValue("k"), value);
        EXPECT_EQ(*value, next);
    }
    section.SetValue("k", value->substr(7));
    EXPECT_EQ(*value, "again");
    section.SetValue("k", std::string(*value).append(*value));
    EXPECT_EQ(*value, "againagain");
    EXPECT_EQ(section.PairCount(), 1u);
}

// The public SetValue takes any length, not only what one read can hold.
TEST(IniDocument, ValuesOfAnyLengthAreStoredWhole) {
    IniDocument document;
    IniSection& section = document.FindOrAddSection("s");
    const std::string huge = std::string(std::size_t{3} << 20, 'h') + "end";
    section.SetValue("huge", huge);
    section.SetValue(huge, "as a key");
    ASSERT_NE(section.FindValue("huge"), nullptr);
    EXPECT_EQ(*section.FindValue("huge"), huge);
    ASSERT_NE(section.FindValue(huge), nullptr);
    EXPECT_EQ(*section.FindValue(huge), "as a key");
}

// On Linux a directory opens for reading and the first read fails; on Windows it does not
// open. Either way the document holds no pair.
TEST(IniDocument, DirectoryAsPathGivesNoPairs) {
    const std::string directory = testing::TempDir();
    std::FILE* probe = std::fopen(directory.c_str(), "r");
    const bool opens = probe != nullptr;
    if (probe != nullptr) {
        std::fclose(probe);
    }
    const IniDocument document(directory);
    const IniContents expected = opens ? IniContents{{"", {}}} : IniContents{};
    EXPECT_EQ(ContentsOf(document), expected);
}

class IniDocumentStream : public testing::Test {
  protected:
    std::FILE* Stream(std::string_view bytes) {
        stream_ = std::tmpfile();
        EXPECT_NE(stream_, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), stream_);
        return stream_;  // Left at its end: Load must rewind it.
    }
    ~IniDocumentStream() override {
        if (stream_ != nullptr) {
            std::fclose(stream_);
        }
    }

  private:
    std::FILE* stream_ = nullptr;
};

TEST_F(IniDocumentStream, LoadRewindsAndLeavesTheStreamOpen) {
    IniDocument document;
    std::FILE* stream = Stream("k=v\n");
    document.Load(stream);
    EXPECT_EQ(ContentsOf(document), (IniContents{{"", {{"k", "v"}}}}));
    // Still open: it can be rewound and read again.
    EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(stream), 'k');
}

TEST_F(IniDocumentStream, SecondLoadReplacesEverythingTheFirstStored) {
    IniDocument document;
    document.Load(Stream("[Old]\nold=1\n"));
    std::FILE* second = std::tmpfile();
    ASSERT_NE(second, nullptr);
    std::fputs("[New]\nnew=2\n", second);
    document.Load(second);
    std::fclose(second);
    EXPECT_EQ(ContentsOf(document), (IniContents{{"", {}}, {"New", {{"new", "2"}}}}));
}

// A glibc cookie stream that serves its chunks one read at a time and cannot seek; an empty
// chunk makes that read fail. The stand-in for a pipe, or a disk that errs mid-file.
struct CookieSource {
    std::vector<std::string_view> chunks;
    std::size_t next = 0;
};

ssize_t CookieRead(void* cookie, char* buffer, std::size_t size) {
    auto& source = *static_cast<CookieSource*>(cookie);
    if (source.next == source.chunks.size()) {
        return 0;
    }
    std::string_view& chunk = source.chunks[source.next];
    if (chunk.empty()) {
        ++source.next;
        errno = EIO;
        return -1;
    }
    const std::size_t count = chunk.copy(buffer, size);
    chunk.remove_prefix(count);
    if (chunk.empty()) {
        ++source.next;
    }
    return static_cast<ssize_t>(count);
}

std::FILE* OpenCookie(CookieSource& source) {
    cookie_io_functions_t functions{};
    functions.read = CookieRead;  // No seek: fseek fails on this stream.
    return fopencookie(&source, "r", functions);
}

TEST(IniDocumentCookieStream, StreamThatCannotRewindIsReadFromWhereItStands) {
    CookieSource source{{"skipped=1\nkept=2\n"}};
    std::FILE* stream = OpenCookie(source);
    ASSERT_NE(stream, nullptr);
    char first_line[32];
    ASSERT_NE(std::fgets(first_line, sizeof first_line, stream), nullptr);

    IniDocument document;
    document.Load(stream);
    std::fclose(stream);
    EXPECT_EQ(ContentsOf(document), (IniContents{{"", {{"kept", "2"}}}}));
}

TEST(IniDocumentCookieStream, ReadErrorEndsTheRunAndKeepsWhatWasStored) {
    CookieSource source{{"[S]\na=1\nb=2\n", "", "after=error\n"}};
    std::FILE* stream = OpenCookie(source);
    ASSERT_NE(stream, nullptr);
    IniDocument document;
    document.Load(stream);
    EXPECT_TRUE(std::ferror(stream));
    std::fclose(stream);
    EXPECT_EQ(ContentsOf(document), (IniContents{{"", {}}, {"S", {{"a", "1"}, {"b", "2"}}}}));
}

// A glibc cookie stream of one byte repeated, so a line far longer than any test file can be
// read without a file on disk.
struct RepeatedByteSource {
    char byte;
    std::uint64_t remaining;
};

ssize_t RepeatedByteRead(void* cookie, char* buffer, std::size_t size) {
    auto& source = *static_cast<RepeatedByteSource*>(cookie);
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size, source.remaining));
    std::memset(buffer, source.byte, count);
    source.remaining -= count;
    return static_cast<ssize_t>(count);
}

// 64 MiB without a line end: 65,600 reads of 1,023 bytes and one of 69. Identical reads are
// one key, so the document stays two keys long however long the line is.
TEST(IniDocumentCookieStream, VeryLongSingleLineGivesOneKeyPerDistinctRead) {
    RepeatedByteSource source{'x', (std::uint64_t{64} << 20) + 5};
    cookie_io_functions_t functions{};
    functions.read = RepeatedByteRead;
    std::FILE* stream = fopencookie(&source, "r", functions);
    ASSERT_NE(stream, nullptr);
    IniDocument document;
    document.Load(stream);
    std::fclose(stream);
    EXPECT_EQ(source.remaining, 0u);
    EXPECT_EQ(ContentsOf(document),
              (IniContents{{"", {{std::string(1023, 'x'), ""}, {std::string(69, 'x'), ""}}}}));
}

}  // namespace
