// The game's fixed points, as C++ constants: the addresses we patch and resume at,
// the game routines we call, the game data we read and the character record's fields.
// Every value comes from game_layout.def, which the assembly routines and the simulated
// game read too, so there is a single list of the game's addresses.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

// An absolute address inside the 32-bit game process.
using Address = std::uint32_t;

// One field of HostCharacterRecord: byte offset from the record's start and width in bytes.
struct Field {
    std::uint32_t offset;
    std::uint32_t width;
};

#define VESSA_HOST_ADDRESS(name, value, what) inline constexpr Address k##name = value;
#define VESSA_HOST_FIELD(name, offset, width, what)
#include "host/game_layout.def"
#undef VESSA_HOST_ADDRESS
#undef VESSA_HOST_FIELD

namespace record {
#define VESSA_HOST_ADDRESS(name, value, what)
#define VESSA_HOST_FIELD(name, offset, width, what) inline constexpr Field k##name{offset, width};
#include "host/game_layout.def"
#undef VESSA_HOST_ADDRESS
#undef VESSA_HOST_FIELD
}  // namespace record

// The addresses by name, for tools that print the game's fixed points.
struct NamedAddress {
    const char* name;
    Address value;
    const char* what;
};
inline constexpr NamedAddress kAddresses[] = {
#define VESSA_HOST_ADDRESS(name, value, what) {#name, value, what},
#define VESSA_HOST_FIELD(name, offset, width, what)
#include "host/game_layout.def"
#undef VESSA_HOST_ADDRESS
#undef VESSA_HOST_FIELD
};

// The game code each patched routine passes over: the jump sits at the site and the
// routine resumes the game at the continuation.
inline constexpr std::uint32_t kCostumeLoadBytes = kCostumeLoadContinue - kCostumeLoadSite;
inline constexpr std::uint32_t kJiggleSetupBytes = kJiggleSetupContinue - kJiggleSetupSite;
static_assert(kCostumeLoadBytes == 48, "the costume hook takes over 48 bytes of game code");
static_assert(kJiggleSetupBytes == 127, "the jiggle block is 127 bytes of game code");

}  // namespace host
