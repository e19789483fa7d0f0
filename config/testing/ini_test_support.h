// Helpers shared by the configuration reader's tests: files written byte for byte, and a
// document's whole content as ordinary ordered maps that tests compare in one expectation.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"

// A document's content: section name -> (key -> value).
using IniContents = std::map<std::string, std::map<std::string, std::string>>;

IniContents ContentsOf(const IniDocument& document);

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
