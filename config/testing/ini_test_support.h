// Helpers shared by the configuration reader's tests: the golden cases, and (through
// ini_contents.h) a document's whole content as ordered maps.
#pragma once

#include <string>
#include <vector>

#include "config/ini_document.h"
#include "config/testing/ini_contents.h"

// The golden cases in a folder: the names of its NAME.ini files, without extension, sorted.
std::vector<std::string> GoldenNames(const std::string& folder);
