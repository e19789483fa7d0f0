#include "config/ini_file.h"

std::FILE* OpenIniFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}
