// The canonical dump: byte order of sections and keys, and the \xHH escaping that keeps the
// text plain ASCII with one pair per line.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "config/ini_document.h"
#include "config/ini_dump.h"

namespace {

using namespace std::string_view_literals;

TEST(IniDump, EmptyDocumentDumpsAsNothing) {
    const IniDocument document;
    EXPECT_EQ(DumpIniDocument(document), "");
}

TEST(IniDump, SectionsAndKeysFollowUnsignedByteOrderWithShorterPrefixFirst) {
    IniDocument document;
    for (const std::string_view name : {"b"sv, "\x80"sv, "ab"sv, "a"sv, "B"sv, ""sv}) {
        document.FindOrAddSection(name);
    }
    IniSection& section = document.FindOrAddSection("a");
    section.SetValue("\xff", "4");
    section.SetValue("kk", "3");
    section.SetValue("k", "2");
    section.SetValue("K", "1");

    EXPECT_EQ(DumpIniDocument(document),
              "[]\n"
              "[B]\n"
              "[a]\n"
              "K=1\n"
              "k=2\n"
              "kk=3\n"
              "\\xff=4\n"
              "[ab]\n"
              "[b]\n"
              "[\\x80]\n");
}

TEST(IniDump, EscapesBytesOutsidePrintableAsciiAndTheSyntaxBytes) {
    IniDocument document;
    IniSection& section = document.FindOrAddSection("[x]=;\\");
    section.SetValue("plain", " ~AZaz09!\"#$%&'()*+,-./:<>?@^_`{|}");
    section.SetValue("syntax", "\\[]=;");
    section.SetValue("control", "\x00\x01\t\n\r\x1f\x7f"sv);
    section.SetValue("high", "\x80\xc3\xa9\xff");

    EXPECT_EQ(DumpIniDocument(document),
              "[\\x5bx\\x5d\\x3d\\x3b\\x5c]\n"
              "control=\\x00\\x01\\x09\\x0a\\x0d\\x1f\\x7f\n"
              "high=\\x80\\xc3\\xa9\\xff\n"
              "plain= ~AZaz09!\"#$%&'()*+,-./:<>?@^_`{|}\n"
              "syntax=\\x5c\\x5b\\x5d\\x3d\\x3b\n");
}

}  // namespace
