// Entry labels of the instruction-level routines in routines.asm. They follow the game's
// register conventions at the patch sites, not a calling convention: never call them
// from C++, only take their addresses as jump targets.
#pragma once

extern "C" {
void CostumeLoadHook();
void JiggleSkipStub();

// One past the last instruction byte of each routine, so tools can compare the code.
extern const unsigned char CostumeLoadHookEnd[];
extern const unsigned char JiggleSkipStubEnd[];
}
