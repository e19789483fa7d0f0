#include "tests/support/temp_file.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace test_support {

TempFile::TempFile(std::string_view bytes) : folder_("vessa-file") {
    if (folder_.Path().empty()) {
        ADD_FAILURE() << "cannot create a scratch folder in /tmp";
        return;
    }
    path_ = folder_.PathOf("file");
    if (!folder_.WriteFile("file", bytes)) {
        ADD_FAILURE() << "cannot write " << path_;
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

}  // namespace test_support
