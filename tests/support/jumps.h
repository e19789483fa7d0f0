// The jump record Init must leave at a site for one of the plug-in's routines, as bytes,
// to compare with the write log and with the simulated game's code.
#pragma once

#include <cstdint>
#include <vector>

#include "host/game.h"
#include "patch/jump_record.h"
#include "plugin/routines.h"

namespace test_support {

inline std::vector<std::uint8_t> JumpBytes(host::Address site, void (*routine)()) {
    const patch::JumpRecord record = patch::MakeJumpRecord(site, RoutineAddress(routine));
    return {record.begin(), record.end()};
}

}  // namespace test_support
