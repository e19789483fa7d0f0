#include "config/ini_dump.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

bool NeedsEscape(unsigned char byte) {
    if (byte < 0x20 || byte > 0x7E) {
        return true;
    }
    switch (byte) {
        case '\\':
        case '[':
        case ']':
        case '=':
        case ';':
            return true;
        default:
            return false;
    }
}

// Appends bytes with every byte the dump cannot show literally written as \xHH.
void AppendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (!NeedsEscape(value)) {
            out.push_back(byte);
            continue;
        }
        out.push_back('\\');
        out.push_back('x');
        out.push_back(kHexDigits[value >> 4]);
        out.push_back(kHexDigits[value & 0x0F]);
    }
}

// Orders entries by name alone; names are unique within their map. string_view compares
// through char_traits<char>, which orders bytes as unsigned char: the order of std::string.
constexpr auto ByName = [](const auto& left, const auto& right) {
    return left.first < right.first;
};

}  // namespace

std::string EscapeIniBytes(std::string_view bytes) {
    std::string out;
    AppendEscaped(out, bytes);
    return out;
}

std::string DumpIniDocument(const IniDocument& document) {
    std::vector<std::pair<std::string_view, const IniSection*>> sections;
    sections.reserve(document.SectionCount());
    document.ForEachSection([&sections](std::string_view name, const IniSection& section) {
        sections.emplace_back(name, &section);
    });
    std::sort(sections.begin(), sections.end(), ByName);

    std::string out;
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    for (const auto& [name, section] : sections) {
        out.push_back('[');
        AppendEscaped(out, name);
        out.append("]\n");

        pairs.clear();
        pairs.reserve(section->PairCount());
        section->ForEachPair([&pairs](std::string_view key, std::string_view value) {
            pairs.emplace_back(key, value);
        });
        std::sort(pairs.begin(), pairs.end(), ByName);
        for (const auto& [key, value] : pairs) {
            AppendEscaped(out, key);
            out.push_back('=');
            AppendEscaped(out, value);
            out.push_back('\n');
        }
    }
    return out;
}
