// Keeps the statically linked C++ runtime in the DLL small (about 65 KiB instead of 150).
//
// Two of libstdc++'s objects drag in far more than the plug-in uses: the verbose terminate
// handler (the demangler and printf, to report on a stderr the game does not have) and the
// object holding every std::__throw_* helper (all exception classes, their copy-on-write
// strings and their unwind tables). Defining the few symbols we reference keeps both out
// of the link. Should the library ever need one we do not define, its own object comes
// back and the duplicate definitions stop the link, so this cannot go wrong silently.
#include <cstdlib>
#include <new>
#include <string>

namespace __gnu_cxx {

// Init lets no exception out, so terminate is unreachable in practice; should it ever run,
// abort is all the verbose handler would have done after printing.
void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

// The containers and strings of the configuration reader raise these only for sizes
// beyond what the address space holds, i.e. when memory has run out. Init's configuration
// pass catches every exception and treats it as "setting off", so one kind serves all.
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_alloc();
}
void __throw_length_error(const char*) {
    throw std::bad_alloc();
}
void __throw_logic_error(const char*) {
    throw std::bad_alloc();
}
void __throw_out_of_range_fmt(const char*, ...) {
    throw std::bad_alloc();
}

}  // namespace std
