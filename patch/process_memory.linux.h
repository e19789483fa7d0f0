// What the Linux x86 platform layer lets tests and the simulator observe: how often the
// process handle was asked for, and every write, in order.
#pragma once

#include <cstdint>
#include <vector>

#include "host/game.h"

namespace platform {

struct WriteRecord {
    host::Address address;
    std::vector<std::uint8_t> bytes;
    bool written;  // false when the address was not mapped, as WriteProcessMemory would fail
};

// Number of CurrentProcess calls since the program started.
unsigned CurrentProcessCalls();

// Every WriteProcess call since the program started or the last ClearWriteLog.
const std::vector<WriteRecord>& WriteLog();
void ClearWriteLog();

}  // namespace platform
