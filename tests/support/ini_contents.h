// A document's whole content as ordinary ordered maps, so tests and the fuzzer can compare
// it in one expression. Free of GoogleTest, so the fuzzer can use it too.
#pragma once

#include <map>
#include <string>

#include "config/ini_document.h"

// A document's content: section name -> (key -> value).
using IniContents = std::map<std::string, std::map<std::string, std::string>>;

IniContents ContentsOf(const IniDocument& document);
