// Opening an INI file by the name the plug-in gives it. The plug-in names its file the
// Windows way, "<folder>\config.ini". Where '\' is no path separator, the same bytes open
// with '/' in its place, so the Linux builds read the file the DLL would. One definition per
// platform: ini_file.windows.cpp and ini_file.posix.cpp.
#pragma once

#include <cstdio>
#include <string>

// fopen(path, mode) with the platform's reading of the path; nullptr when it does not open.
// The reader opens with "r", as the DLL does: on Windows that is text mode.
std::FILE* OpenIniFile(const std::string& path, const char* mode = "r");
