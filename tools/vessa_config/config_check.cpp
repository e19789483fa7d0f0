#include "tools/vessa_config/config_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "config/ini_document.h"
#include "config/ini_dump.h"
#include "plugin/config_pass.h"

namespace {

constexpr std::size_t kReadBytes = 1023;  // the reader takes at most this much per line

// What a person probably meant: surrounding spaces and tabs dropped, ASCII folded to
// lower case. Used only to spot near misses, never for the verdict.
std::string Loosely(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

std::string Quoted(std::string_view bytes) {
    return "\"" + EscapeIniBytes(bytes) + "\"";
}

std::string Section(std::string_view name) {
    return "[" + EscapeIniBytes(name) + "]";
}

// The raw bytes of the file, for what the document no longer shows (a byte-order mark,
// line lengths). Returns false when the file does not open or cannot be read.
bool ReadRaw(const std::string& path, std::string& bytes, bool& opened) {
    std::FILE* file = OpenIniFile(path);
    opened = file != nullptr;
    if (file == nullptr) {
        return false;
    }
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

void WarnAboutRawBytes(const std::string& bytes, std::vector<std::string>& warnings) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        warnings.push_back(
            "config.ini starts with a byte-order mark, so its first line is no section "
            "header; save it as UTF-8 without BOM (or as plain ASCII)");
    }
    std::size_t line = 1;
    for (std::size_t start = 0; start < bytes.size(); ++line) {
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string::npos ? bytes.size() : lf + 1;
        if (end - start > kReadBytes) {
            warnings.push_back("line " + std::to_string(line) + " is " +
                               std::to_string(end - start) +
                               " bytes long; the plug-in reads lines in pieces of at most "
                               "1,023 bytes, each taken as a line of its own");
        }
        start = end;
    }
}

// A value that looks meant as "on" but reads as off.
void WarnAboutValue(std::string_view value, std::vector<std::string>& warnings) {
    if (plugin::EqualsIgnoringAsciiCase(value, "true")) {
        return;
    }
    const std::string loose = Loosely(value);
    if (loose == "true") {
        warnings.push_back("the value " + Quoted(value) +
                           " is \"true\" apart from spaces around it; nothing is trimmed, so "
                           "write UseJiggle=true with nothing else on the line (a comment "
                           "may follow directly: UseJiggle=true;note)");
    } else if (loose == "yes" || loose == "on" || loose == "1" || loose == "y" ||
               loose == "enabled" || loose == "enable") {
        warnings.push_back("the value " + Quoted(value) +
                           " reads as off: only \"true\" (any letter case) turns the jiggle "
                           "set-up on");
    }
}

void WarnAboutNames(const IniDocument& document, std::vector<std::string>& warnings) {
    // Sorted, so the warnings come out in the same order on every run.
    std::vector<std::pair<std::string_view, const IniSection*>> sections;
    document.ForEachSection([&sections](std::string_view name, const IniSection& section) {
        sections.emplace_back(name, &section);
    });
    std::sort(sections.begin(), sections.end());

    const std::string wantedSection = Loosely(plugin::kConfigSection);
    const std::string wantedKey = Loosely(plugin::kUseJiggleKey);
    for (const auto& [name, section] : sections) {
        const bool isTarget = name == plugin::kConfigSection;
        const bool nearMiss = !isTarget && Loosely(name) == wantedSection;
        if (nearMiss) {
            warnings.push_back("section " + Section(name) + " is not " +
                               Section(plugin::kConfigSection) +
                               ": section names must match exactly, letter case and spaces "
                               "included");
        }
        std::vector<std::pair<std::string_view, std::string_view>> pairs;
        section->ForEachPair([&pairs, &wantedKey](std::string_view key, std::string_view value) {
            if (Loosely(key) == wantedKey) {
                pairs.emplace_back(key, value);
            }
        });
        std::sort(pairs.begin(), pairs.end());
        for (const auto& [key, value] : pairs) {
            if (key != plugin::kUseJiggleKey) {
                warnings.push_back("key " + Quoted(key) + " in " + Section(name) + " is not " +
                                   Quoted(plugin::kUseJiggleKey) +
                                   ": keys must match exactly, letter case included, and "
                                   "spaces around '=' belong to the key and the value");
            } else if (name.empty()) {
                warnings.push_back("UseJiggle=" + EscapeIniBytes(value) +
                                   " stands before any section header and is not read; "
                                   "put it under " +
                                   Section(plugin::kConfigSection));
            } else if (!isTarget && !nearMiss) {  // a near miss was named just above
                warnings.push_back("UseJiggle=" + EscapeIniBytes(value) + " is in section " +
                                   Section(name) + ", which the plug-in does not read");
            }
            // Fixing the name alone would not help if the value still reads as off.
            WarnAboutValue(value, warnings);
        }
    }
}

}  // namespace

bool CheckConfigFolder(const std::string& folder, ConfigCheck& check, std::string& error) {
    std::error_code ec;
    std::filesystem::directory_iterator probe(std::filesystem::path(folder), ec);
    if (ec) {
        error = "cannot read the folder '" + folder + "': " + ec.message();
        return false;
    }

    check = ConfigCheck{};
    check.path = plugin::ConfigPath(folder);
    // The verdict comes from exactly what Init runs: the same path, reader and test.
    const IniDocument document(check.path);
    check.useJiggle = plugin::UseJiggle(document);

    std::string raw;
    bool opened = false;
    const bool readable = ReadRaw(check.path, raw, opened);
    const IniSection* section = document.FindSection(plugin::kConfigSection);
    const std::string_view* value =
        section != nullptr ? section->FindValue(plugin::kUseJiggleKey) : nullptr;

    if (check.useJiggle) {
        check.verdict = "UseJiggle is ON: " + Section(plugin::kConfigSection) +
                        " has UseJiggle=" + EscapeIniBytes(*value) +
                        ", so the game's jiggle set-up runs";
    } else if (!opened) {
        check.verdict = "UseJiggle is OFF: there is no config.ini to open (" + check.path + ")";
    } else if (!readable) {
        check.verdict = "UseJiggle is OFF: config.ini opened but could not be read (" + check.path +
                        " is not a plain file)";
    } else if (section == nullptr) {
        check.verdict =
            "UseJiggle is OFF: config.ini has no section " + Section(plugin::kConfigSection);
    } else if (value == nullptr) {
        check.verdict =
            "UseJiggle is OFF: " + Section(plugin::kConfigSection) + " has no key UseJiggle";
    } else {
        check.verdict = "UseJiggle is OFF: its value is " + Quoted(*value) +
                        ", and only \"true\" (any letter case) turns it on";
    }
    if (!check.useJiggle) {
        check.verdict += "; the game's jiggle set-up is passed over";
    }

    WarnAboutRawBytes(raw, check.warnings);
    WarnAboutNames(document, check.warnings);
    return true;
}
