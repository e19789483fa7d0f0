#include <windows.h>

// The loader's load-time entry: nothing to set up or tear down, so every reason succeeds.
// All work happens in Init, which the mod loader calls after loading us.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD /*reason*/, LPVOID /*reserved*/) {
    return TRUE;
}
