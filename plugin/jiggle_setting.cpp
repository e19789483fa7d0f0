#include "plugin/jiggle_setting.h"

#include "config/ini_document.h"

namespace plugin {

std::string ConfigPath(std::string_view folderPath) {
    std::string path;
    path.reserve(folderPath.size() + 1 + kConfigFileName.size());
    path.append(folderPath);
    path.push_back('\\');
    path.append(kConfigFileName);
    return path;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto fold = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

bool TurnsJiggleOn(std::string_view value) {
    return EqualsIgnoringAsciiCase(value, "true");
}

bool UseJiggle(const IniDocument& document) {
    const IniSection* section = document.FindSection(kConfigSection);
    if (section == nullptr) {
        return false;
    }
    const std::string_view* value = section->FindValue(kUseJiggleKey);
    return value != nullptr && TurnsJiggleOn(*value);
}

}  // namespace plugin
