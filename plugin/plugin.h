// The plug-in's boundary towards the mod loader: the record it reads and the entry it
// calls once after loading the library.
#pragma once

#include <cstdint>

// Read by the mod loader; fixed at build time.
struct ModInfoRecord {
    std::uint32_t version;
    std::uint32_t reserved[9];
};
static_assert(sizeof(ModInfoRecord) == 40, "the loader reads ten 32-bit fields");

extern "C" {

extern const ModInfoRecord KorvModInfo;

// Called once by the mod loader, cdecl, with the plug-in's folder (NUL-terminated).
// Places the patches and returns; nothing is reported and nothing may be thrown out of it.
void Init(const char* folderPath) noexcept;
}
