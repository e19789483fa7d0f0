#include "tests/support/ini_contents.h"

#include <string_view>

IniContents ContentsOf(const IniDocument& document) {
    IniContents contents;
    document.ForEachSection([&contents](std::string_view name, const IniSection& section) {
        auto& pairs = contents[std::string(name)];
        section.ForEachPair(
            [&pairs](std::string_view key, std::string_view value) { pairs.emplace(key, value); });
    });
    return contents;
}
