#include "tests/support/use_jiggle_verdicts.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace test_support {
namespace {

const std::string kHeader = "[Vessa Alt Costume]\n";

std::optional<std::string> ShippedConfig() {
    std::optional<std::string> bytes;
    std::FILE* file = std::fopen(VESSA_SHIPPED_CONFIG, "rb");
    if (file == nullptr) {
        return bytes;  // the row then fails loudly: the shipped file must be there
    }
    bytes.emplace();
    char chunk[512];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes->append(chunk, got);
    }
    std::fclose(file);
    return bytes;
}

}  // namespace

const std::vector<VerdictCase>& UseJiggleVerdicts() {
    static const std::vector<VerdictCase> cases = {
        {"true", kHeader + "UseJiggle=true\n", true},
        {"TRUE", kHeader + "UseJiggle=TRUE\n", true},
        {"True", kHeader + "UseJiggle=True\n", true},
        {"false", kHeader + "UseJiggle=false\n", false},
        {"one", kHeader + "UseJiggle=1\n", false},
        {"yes", kHeader + "UseJiggle=yes\n", false},
        {"empty value", kHeader + "UseJiggle=\n", false},
        {"bare key", kHeader + "UseJiggle\n", false},
        {"comment right after value", kHeader + "UseJiggle=true;on\n", true},
        {"space before comment", kHeader + "UseJiggle=true ;on\n", false},
        {"spaces around equals", kHeader + "UseJiggle = true\n", false},
        {"lower case key", kHeader + "usejiggle=true\n", false},
        {"lower case section", "[vessa alt costume]\nUseJiggle=true\n", false},
        {"spaces inside brackets", "[ Vessa Alt Costume ]\nUseJiggle=true\n", false},
        {"header with trailing comment", "[Vessa Alt Costume] ;note\nUseJiggle=true\n", true},
        {"byte order mark", "\xEF\xBB\xBF" + kHeader + "UseJiggle=true\n", false},
        {"repeated key, true last", kHeader + "UseJiggle=false\nUseJiggle=true\n", true},
        {"repeated key, false last", kHeader + "UseJiggle=true\nUseJiggle=false\n", false},
        {"key before any header", "UseJiggle=true\n" + kHeader, false},
        {"key in another section", "[Other]\nUseJiggle=true\n", false},
        {"section without the key", kHeader + "Other=1\n", false},
        {"empty file", "", false},
        {"long line before the key",
         kHeader + "Note=" + std::string(1100, 'x') + "\nUseJiggle=true\n", true},
        {"CRLF line ends", "[Vessa Alt Costume]\r\nUseJiggle=true\r\n", true},
        // Text mode hands the reader LF for CR LF, so the escape takes the LF: the value is
        // "true" and a line feed (read untranslated it would end in CR). Off either way.
        {"backslash right before CR LF", "[Vessa Alt Costume]\r\nUseJiggle=true\\\r\n", false},
        // Ctrl-Z ends a text-mode file, so the key after it is never read.
        {"Ctrl-Z line before the key", kHeader + "\x1A\nUseJiggle=true\n", false},
        {"no final line end", kHeader + "UseJiggle=true", true},
        {"shipped default", ShippedConfig(), false},
        {"missing file", std::nullopt, false},
    };
    return cases;
}

std::string AsWindowsTextModeReads(std::string bytes) {
    const std::size_t end = bytes.find('\x1A');
    if (end != std::string::npos) {
        bytes.resize(end);
    }
    std::string read;
    read.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            read.push_back(bytes[i]);
        }
    }
    return read;
}

void WriteVerdictConfig(const ScratchFolder& folder, const VerdictCase& c) {
    if (!c.config) {
        return;
    }
#ifdef _WIN32
    ASSERT_TRUE(folder.WriteFile("config.ini", *c.config));  // msvcrt's text mode does the rest
#else
    ASSERT_TRUE(folder.WriteFile("config.ini", AsWindowsTextModeReads(*c.config)));
#endif
}

}  // namespace test_support
