// The line rules of IniDocument::Load, one table row per rule: each row is a whole file,
// byte for byte, and the complete document it must give. Files are read through the path
// constructor, the way the plug-in reads config.ini.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"
#include "tests/support/ini_contents.h"
#include "tests/support/temp_file.h"

namespace {

using namespace std::string_literals;

struct LoadCase {
    const char* name;  // what the row shows, as a test name
    std::string file;
    IniContents expected;
};

// Names the row in test listings instead of printing the struct's raw bytes.
void PrintTo(const LoadCase& row, std::ostream* out) {
    *out << row.name;
}

std::string Repeat(char byte, std::size_t count) {
    return std::string(count, byte);
}

std::string BytesFrom(int first, int last) {
    std::string bytes;
    for (int byte = first; byte <= last; ++byte) {
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

class IniLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(IniLoad, StoresExactlyTheExpectedSectionsAndPairs) {
    const test_support::TempFile file(GetParam().file);
    const IniDocument document(file.Path());
    EXPECT_EQ(ContentsOf(document), GetParam().expected);
}

std::string CaseName(const testing::TestParamInfo<LoadCase>& info) {
    return info.param.name;
}

// One row per line rule. Header rows are followed by k=v to show which section became
// current.
const LoadCase kLineRules[] = {
    {"HeaderCreatesSectionAndMakesItCurrent",
     "[Vessa Alt Costume]\nUseJiggle=true\n",
     {{"", {}}, {"Vessa Alt Costume", {{"UseJiggle", "true"}}}}},
    {"KeyLineBeforeAnyHeaderLandsInImplicitSection",
     "UseJiggle=true\n",
     {{"", {{"UseJiggle", "true"}}}}},
    {"SpacesAroundEqualsStayInKeyAndValue",
     "UseJiggle = true\n",
     {{"", {{"UseJiggle ", " true"}}}}},
    {"CommentCutKeepsSpaceBeforeSemicolon",
     "UseJiggle=true ; on\n",
     {{"", {{"UseJiggle", "true "}}}}},
    {"SemicolonStartsCommentEvenInsideValue",
     "UseJiggle=true;on\n",
     {{"", {{"UseJiggle", "true"}}}}},
    {"CarriageReturnEndsTheScan", "UseJiggle=true\r\n", {{"", {{"UseJiggle", "true"}}}}},
    {"FirstEqualsSplitsAndLaterOnesStayInValue", "a=b=c\n", {{"", {{"a", "b=c"}}}}},
    {"EscapedEqualsBelongsToKey", "a\\=b=c\n", {{"", {{"a=b", "c"}}}}},
    {"LeadingEqualsGivesEmptyKey", "=x\n", {{"", {{"", "x"}}}}},
    {"TrailingEqualsGivesEmptyValue", "k=\n", {{"", {{"k", ""}}}}},
    {"LineWithoutEqualsEmptiesEarlierValue", "k=old\nk\n", {{"", {{"k", ""}}}}},
    {"LineOfSpacesIsKeyOfSpaces", "  \n", {{"", {{"  ", ""}}}}},
    {"CommentLineStoresNothing", "; note\n", {{"", {}}}},
    {"EmptyLineStoresNothing", "\n", {{"", {}}}},
    {"EscapedSemicolonIsPlainByte", "x\\;y=1\n", {{"", {{"x;y", "1"}}}}},
    {"BackslashNGivesLineFeed", "m=a\\nb\n", {{"", {{"m", "a\nb"}}}}},
    {"BackslashRGivesCarriageReturn", "m=a\\rb\n", {{"", {{"m", "a\rb"}}}}},
    {"DoubleBackslashGivesOne", "p=C:\\\\dir\n", {{"", {{"p", "C:\\dir"}}}}},
    {"BackslashTIsTheLetterNotTab", "e=\\t\n", {{"", {{"e", "t"}}}}},
    {"BackslashZeroIsTheDigitNotNul", "e=\\0\n", {{"", {{"e", "0"}}}}},
    {"OnlyLowerCaseNAndRAreEscapes", "e=\\N\n", {{"", {{"e", "N"}}}}},
    {"BackslashBeforeLineFeedKeepsTheLineFeed", "v=ab\\\n", {{"", {{"v", "ab\n"}}}}},
    {"BackslashBeforeCrLfKeepsTheCarriageReturn", "v=ab\\\r\n", {{"", {{"v", "ab\r"}}}}},
    {"BackslashAsLastByteOfFileStays", "v=ab\\", {{"", {{"v", "ab\\"}}}}},
    {"LastCloseBracketEndsHeaderName", "[a]b]\nk=v\n", {{"", {}}, {"a]b", {{"k", "v"}}}}},
    {"CommentAfterHeaderIsIgnored", "[a] ; comment\nk=v\n", {{"", {}}, {"a", {{"k", "v"}}}}},
    {"TextAfterHeaderIsIgnored", "[x]=y\nk=v\n", {{"", {}}, {"x", {{"k", "v"}}}}},
    {"EqualsInsideHeaderBelongsToName", "[a=b]\nk=v\n", {{"", {}}, {"a=b", {{"k", "v"}}}}},
    {"NestedBracketsKeepInnerPair", "[[x]]\nk=v\n", {{"", {}}, {"[x]", {{"k", "v"}}}}},
    {"EmptyHeaderMakesImplicitSectionCurrentAgain",
     "[S]\n[]\nk=v\n",
     {{"", {{"k", "v"}}}, {"S", {}}}},
    {"EscapedSemicolonInsideHeaderIsPartOfName",
     "[a\\;b]\nk=v\n",
     {{"", {}}, {"a;b", {{"k", "v"}}}}},
    {"SemicolonInsideHeaderLeavesKeyLine", "[a;b]\n", {{"", {{"[a", ""}}}}},
    {"HeaderWithoutCloseIsKeyLine", "[abc\n", {{"", {{"[abc", ""}}}}},
    {"EscapedCloseDoesNotCloseHeader", "[a\\]\n", {{"", {{"[a]", ""}}}}},
    {"SpaceBeforeOpenIsKeyLine", " [abc]\n", {{"", {{" [abc]", ""}}}}},
    {"EscapedOpenIsKeyLine", "\\[abc]\n", {{"", {{"[abc]", ""}}}}},
    {"ByteOrderMarkIsPartOfFirstKey",
     "\xEF\xBB\xBF[Vessa Alt Costume]\n",
     {{"", {{"\xEF\xBB\xBF[Vessa Alt Costume]", ""}}}}},
    {"LongLineSplitsIntoReadsOf1023Bytes",
     "k=" + Repeat('x', 2000) + "\n",
     {{"", {{"k", Repeat('x', 1021)}, {Repeat('x', 979), ""}}}}},
    {"NulByteEndsTheLine", "a=b\0c\n"s, {{"", {{"a", "b"}}}}},
};
INSTANTIATE_TEST_SUITE_P(LineRules, IniLoad, testing::ValuesIn(kLineRules), CaseName);

const LoadCase kWholeFiles[] = {
    {"EmptyFileGivesOnlyImplicitSection", "", {{"", {}}}},
    {"SameKeyBeforeAndAfterHeaderLandsInTwoSections",
     "k=1\n[S]\nk=2\n",
     {{"", {{"k", "1"}}}, {"S", {{"k", "2"}}}}},
    {"RepeatedHeaderReusesItsSection",
     "[S]\na=1\n[T]\n[S]\na=2\nb=3\n",
     {{"", {}}, {"S", {{"a", "2"}, {"b", "3"}}}, {"T", {}}}},
    {"LastLineWithoutLineFeedCounts", "a=1\nb=2", {{"", {{"a", "1"}, {"b", "2"}}}}},
    {"CarriageReturnOnlyFileKeepsOnlyTextBeforeFirstCr", "a=1\rb=2\rc=3\r", {{"", {{"a", "1"}}}}},
};
INSTANTIATE_TEST_SUITE_P(WholeFiles, IniLoad, testing::ValuesIn(kWholeFiles), CaseName);

// How fgets' 1,023-byte reads and NUL bytes cut lines: every read is a line of its own.
const LoadCase kReads[] = {
    {"LineOf1022BytesFitsOneReadWithItsLineFeed",
     "k=" + Repeat('x', 1020) + "\nj=2\n",
     {{"", {{"k", Repeat('x', 1020)}, {"j", "2"}}}}},
    {"LineOf1023BytesLeavesLoneLineFeedThatIsIgnored",
     "k=" + Repeat('x', 1021) + "\nj=2\n",
     {{"", {{"k", Repeat('x', 1021)}, {"j", "2"}}}}},
    {"BackslashAsLastByteOfReadStaysAndEscapesNothing",
     "k=" + Repeat('x', 1020) + "\\n\n",
     {{"", {{"k", Repeat('x', 1020) + "\\"}, {"n", ""}}}}},
    {"HeaderClosedInSecondReadGivesTwoKeyLines",
     "[" + Repeat('a', 1030) + "]\n",
     {{"", {{"[" + Repeat('a', 1022), ""}, {Repeat('a', 8) + "]", ""}}}}},
    {"CommentRunningPastReadLosesItsMeaning",
     ";" + Repeat('x', 1030) + "\n",
     {{"", {{Repeat('x', 8), ""}}}}},
    {"CarriageReturnOnlyFileArrivesInReadsOf1023Bytes",
     "k=" + Repeat('x', 1100) + "\rj=2\r",
     {{"", {{"k", Repeat('x', 1021)}, {Repeat('x', 79), ""}}}}},
    {"NulByteAtLineStartSkipsTheLine", "\0k=v\nj=1\n"s, {{"", {{"j", "1"}}}}},
    {"NulByteInsideKeyCutsTheKey", "ke\0y=v\n"s, {{"", {{"ke", ""}}}}},
    {"FileOfOnlyNulBytesGivesOnlyImplicitSection", Repeat('\0', 3000), {{"", {}}}},
    {"BytesFrom80ToFFAreKeptUnchanged",
     "k\x80\xff=" + BytesFrom(0x80, 0xFF) + "\n",
     {{"", {{"k\x80\xff", BytesFrom(0x80, 0xFF)}}}}},
    {"ControlBytesOtherThanLineEndsAreKept",
     "t=\x01\t\x1b\x7f\n",
     {{"", {{"t", "\x01\t\x1b\x7f"}}}}},
};
INSTANTIATE_TEST_SUITE_P(Reads, IniLoad, testing::ValuesIn(kReads), CaseName);

}  // namespace
