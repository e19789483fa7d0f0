// The plug-in's one setting: whether the game's jiggle set-up block runs. Read from
// "config.ini" in the plug-in's folder, section "Vessa Alt Costume", key "UseJiggle".
// Off unless the value is "true" in any letter case; anything missing counts as off.
#pragma once

#include <string>
#include <string_view>

class IniDocument;

namespace plugin {

inline constexpr std::string_view kConfigFileName = "config.ini";
inline constexpr std::string_view kConfigSection = "Vessa Alt Costume";
inline constexpr std::string_view kUseJiggleKey = "UseJiggle";

// "<folderPath>\config.ini": the folder's bytes as given, then the 11 characters
// "\config.ini". No separator is tested for, added or removed.
std::string ConfigPath(std::string_view folderPath);

// Compares like _stricmp with no locale set: the whole length, folding only A-Z to a-z.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether a UseJiggle value turns the jiggle block on: "true" ignoring ASCII case, over the
// value's whole length, nothing trimmed.
bool TurnsJiggleOn(std::string_view value);

// Whether the document turns the jiggle block on: the section, then the key, both
// byte-exact, then the value by TurnsJiggleOn.
bool UseJiggle(const IniDocument& document);

}  // namespace plugin
