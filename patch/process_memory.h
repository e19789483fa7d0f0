// The platform layer under WriteHostMemory. On Windows these are GetCurrentProcess and
// WriteProcessMemory; the Linux x86 build writes into its own memory image instead.
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
