// The 5-byte x86 near relative jump that redirects game code into the plug-in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/game.h"

namespace patch {

inline constexpr std::size_t kJumpRecordSize = 5;
inline constexpr std::uint8_t kJumpOpcode = 0xE9;  // jmp rel32

// Byte 0: E9. Bytes 1-4: little-endian rel32, the distance from the end of the record
// (site + 5) to the target, modulo 2^32, so a backward jump comes out in two's complement.
using JumpRecord = std::array<std::uint8_t, kJumpRecordSize>;

// Builds the jump record that, placed at `site`, transfers control to `target`.
JumpRecord MakeJumpRecord(host::Address site, host::Address target);

// The target a jump record placed at `site` transfers control to.
host::Address JumpRecordTarget(host::Address site, const JumpRecord& record);

}  // namespace patch
