// Helpers shared by the configuration reader's tests: files written byte for byte, the
// golden cases, and (through ini_contents.h) a document's whole content as ordered maps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"
#include "config/testing/ini_contents.h"

// A file in the test temp directory holding exactly the given bytes; removed again when the
// object goes away.
class TempIniFile {
  public:
    explicit TempIniFile(std::string_view bytes);
    ~TempIniFile();

    TempIniFile(const TempIniFile&) = delete;
    TempIniFile& operator=(const TempIniFile&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// The whole content of a file, or "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// The golden cases in a folder: the names of its NAME.ini files, without extension, sorted.
std::vector<std::string> GoldenNames(const std::string& folder);
