#include <windows.h>

#include <cstdlib>

// The loader's load-time entry: nothing to set up or tear down, so every reason succeeds.
// All work happens in Init, which the mod loader calls after loading us.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD /*reason*/, LPVOID /*reserved*/) {
    return TRUE;
}

// libstdc++'s default terminate handler prints a demangled message to stderr, which a game
// process does not have, and links in the demangler and printf: about 60 KiB, half the
// DLL. Init lets no exception out, so terminate is unreachable in practice; should it ever
// run, abort is all the verbose handler would have done after printing. Our definition
// keeps the library's out of the static link.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
