#include <windows.h>

#include <cstdint>

#include "patch/process_memory.h"

namespace platform {

ProcessHandle CurrentProcess() {
    return GetCurrentProcess();
}

bool WriteProcess(ProcessHandle process, host::Address address, const void* bytes,
                  std::size_t count) {
    // WriteProcessMemory lifts the code page's protection for the write by itself.
    return WriteProcessMemory(process, reinterpret_cast<LPVOID>(std::uintptr_t{address}), bytes,
                              count, nullptr) != FALSE;
}

}  // namespace platform
