// What the platform tells vessa-config about how it runs; console.windows.cpp and
// console.linux.cpp implement it and nothing else.
#pragma once

#include <cstddef>
#include <string>

namespace console {

// How many processes share this process's console window (GetConsoleProcessList on
// Windows); 0 when there is none or it cannot be told.
std::size_t AttachedProcessCount();

// The full path of the running executable; "" when it cannot be told.
std::string ExecutablePath();

}  // namespace console
