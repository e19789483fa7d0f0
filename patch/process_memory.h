// The platform layer under WriteHostMemory: on Windows GetCurrentProcess and
// WriteProcessMemory (process_memory.windows.cpp). The 32-bit Linux build runs the plug-in
// in the simulated game, whose process serves these calls (sim/process_memory.linux.cpp).
#pragma once

#include <cstddef>

#include "host/game.h"

namespace platform {

using ProcessHandle = void*;

// A handle that names the current process (on Windows a pseudo-handle, never closed).
ProcessHandle CurrentProcess();

// Writes `count` bytes at `address` in `process`; returns whether the write went through.
bool WriteProcess(ProcessHandle process, host::Address address, const void* bytes,
                  std::size_t count);

}  // namespace platform
