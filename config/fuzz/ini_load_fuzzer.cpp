// libFuzzer target over IniDocument::Load with arbitrary bytes. Besides the sanitizers'
// checks it asserts the reader's invariants and compares the document with ReferenceLoad, a
// plain reading of the line rules written for clarity rather than speed, so that the
// optimised scan in ini_parser.cpp cannot drift from the rules unnoticed.
#include <stdio.h>  // fmemopen (POSIX)

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "config/ini_document.h"
#include "config/ini_dump.h"
#include "config/ini_line.h"
#include "tests/support/ini_contents.h"

namespace {

using Contents = IniContents;

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "reader invariant broken: %s\n", what);
        std::abort();
    }
}

// The line rules applied literally: fgets-sized reads, strnlen, one byte at a time.
Contents ReferenceLoad(std::string_view bytes) {
    Contents contents;
    std::string current;
    contents[current];
    std::size_t position = 0;
    while (position < bytes.size()) {
        std::size_t end = position;
        while (end < bytes.size() && end - position < kIniMaxRead) {
            if (bytes[end++] == '\n') {
                break;
            }
        }
        std::string_view line = bytes.substr(position, end - position);
        position = end;
        line = line.substr(0, line.find('\0'));

        std::string processed;
        const bool header = !line.empty() && line[0] == '[';
        std::optional<std::size_t> equals;
        std::optional<std::size_t> close;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char byte = line[i];
            if (byte == '\n' || byte == '\r' || byte == ';') {
                break;
            }
            if (byte == '\\') {
                if (i + 1 == line.size()) {
                    processed += '\\';
                    break;
                }
                const char escaped = line[++i];
                processed += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped;
                continue;
            }
            if (byte == '=' && !equals) {
                equals = processed.size();
            }
            if (byte == ']') {
                close = processed.size();
            }
            processed += byte;
        }

        if (header && close) {
            current = processed.substr(1, *close - 1);
            contents[current];
        } else if (processed.empty()) {
        } else if (!equals) {
            contents[current][processed] = "";
        } else {
            contents[current][processed.substr(0, *equals)] = processed.substr(*equals + 1);
        }
    }
    return contents;
}

void CheckInvariants(const IniDocument& document) {
    Require(document.FindSection("") != nullptr, "the implicit section exists");
    document.ForEachSection([](std::string_view name, const IniSection& section) {
        Require(name.size() <= kIniMaxRead, "names fit one read");
        Require(name.find('\0') == std::string_view::npos, "names hold no NUL");
        section.ForEachPair([](std::string_view key, std::string_view value) {
            Require(key.size() <= kIniMaxRead, "keys fit one read");
            Require(value.size() <= kIniMaxRead, "values fit one read");
            Require(key.find('\0') == std::string_view::npos, "keys hold no NUL");
            Require(value.find('\0') == std::string_view::npos, "values hold no NUL");
        });
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "r");
    if (stream == nullptr) {
        return 0;
    }
    IniDocument document;
    document.Load(stream);
    CheckInvariants(document);

    const std::string dump = DumpIniDocument(document);
    Require(DumpIniDocument(document) == dump, "dumping twice gives the same text");
    for (const char byte : dump) {
        Require(byte == '\n' || (byte >= 0x20 && byte <= 0x7E), "the dump is printable ASCII");
    }
    Require(ContentsOf(document) == ReferenceLoad(bytes), "the document follows the line rules");

    // Load starts over: it rewinds the stream and clears what the first run stored.
    document.Load(stream);
    std::fclose(stream);
    Require(DumpIniDocument(document) == dump, "a second Load gives the same document");
    return 0;
}
