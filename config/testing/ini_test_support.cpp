#include "config/testing/ini_test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

TempIniFile::TempIniFile(std::string_view bytes) {
    std::string pattern = testing::TempDir() + "vessa_ini_XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        ADD_FAILURE() << "cannot create a temporary file from " << pattern;
        return;
    }
    path_ = pattern;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count <= 0) {
            ADD_FAILURE() << "cannot write " << path_;
            break;
        }
        written += static_cast<std::size_t>(count);
    }
    close(descriptor);
}

TempIniFile::~TempIniFile() {
    if (!path_.empty()) {
        std::remove(path_.c_str());
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::string content;
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        return content;
    }
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, stream)) > 0) {
        content.append(chunk, count);
    }
    std::fclose(stream);
    return content;
}

std::vector<std::string> GoldenNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".ini") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}
