// The platform layer of the simulated game's process. On Linux the only process the
// plug-in patches is the simulated game, so the simulation serves the two calls the
// plug-in makes on Windows, GetCurrentProcess and WriteProcessMemory, with the same
// outcomes, and tells the write log about each.
#include <sys/mman.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "patch/process_memory.h"
#include "sim/write_log.h"

namespace platform {
namespace {

// Whether [first, end) lies wholly inside mappings of this process. /proc/self/maps is
// asked rather than mprotect, because under qemu-user mprotect on an unmapped guest page
// succeeds and would let the copy scribble over emulator memory.
bool IsMapped(std::uintptr_t first, std::uintptr_t end) {
    std::FILE* maps = std::fopen("/proc/self/maps", "r");
    if (maps == nullptr) {
        return false;
    }
    char line[512];
    std::uintptr_t covered = first;
    while (covered < end && std::fgets(line, sizeof line, maps) != nullptr) {
        std::uintmax_t lo = 0;
        std::uintmax_t hi = 0;
        if (std::sscanf(line, "%" SCNxMAX "-%" SCNxMAX, &lo, &hi) == 2 && lo <= covered &&
            covered < hi) {
            covered = static_cast<std::uintptr_t>(hi);
        }
    }
    std::fclose(maps);
    return covered >= end;
}

}  // namespace

ProcessHandle CurrentProcess() {
    sim::CountCurrentProcessCall();
    // Like the Windows pseudo-handle: a constant that names "this process".
    return reinterpret_cast<ProcessHandle>(~std::uintptr_t{0});
}

bool WriteProcess(ProcessHandle /*process*/, host::Address address, const void* bytes,
                  std::size_t count) {
    // Like WriteProcessMemory: an unmapped target fails quietly instead of faulting, and
    // read-only code pages are made writable for the copy.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = address & ~(page - 1);
    const std::uintptr_t end = std::uintptr_t{address} + count;
    bool written = false;
    if (count != 0 && IsMapped(first, end) &&
        mprotect(reinterpret_cast<void*>(first), end - first, PROT_READ | PROT_WRITE | PROT_EXEC) ==
            0) {
        std::memcpy(reinterpret_cast<void*>(std::uintptr_t{address}), bytes, count);
        written = true;
    }
    sim::LogWrite(address, bytes, count, written);
    return written;
}

}  // namespace platform
