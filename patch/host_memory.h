// Writes into the running game's code. The plug-in lives inside the game process, so
// every write targets its own process through the platform's process-memory write.
#pragma once

#include <cstddef>

#include "host/game.h"

namespace patch {

// Copies `count` bytes to the game address. The outcome is deliberately not reported: a
// failed or partial write leaves the game as it was and the plug-in carries on.
void WriteHostMemory(host::Address address, const void* bytes, std::size_t count);

// Places the 5-byte jump record for `site` -> `target` with a single WriteHostMemory.
void WriteRelativeJump(host::Address site, host::Address target);

}  // namespace patch
