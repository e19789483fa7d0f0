// Entry labels of the instruction-level routines in routines.asm. They follow the game's
// register conventions at the patch sites, not a calling convention: never call them
// from C++, only take their addresses as jump targets.
#pragma once

#include <cstdint>

#include "host/game.h"

extern "C" {
void CostumeLoadHook();
void JiggleSkipStub();

// One past the last instruction byte of each routine, so tools can compare the code.
extern const unsigned char CostumeLoadHookEnd[];
extern const unsigned char JiggleSkipStubEnd[];
}

// The run-time address of one of the routines, as the game's 32-bit code sees it.
inline host::Address RoutineAddress(void (*routine)()) {
    return static_cast<host::Address>(reinterpret_cast<std::uintptr_t>(routine));
}
