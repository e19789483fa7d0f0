#include <algorithm>

#include "config/ini_file.h"

std::FILE* OpenIniFile(const std::string& path, const char* mode) {
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    return std::fopen(local.c_str(), mode);
}
