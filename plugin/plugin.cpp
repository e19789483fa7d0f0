#include "plugin/plugin.h"

#include "host/game.h"
#include "patch/host_memory.h"
#include "plugin/config_pass.h"
#include "plugin/routines.h"

// version 5 is what the mod loader expects; the nine other fields stay zero.
extern "C" constinit const ModInfoRecord KorvModInfo = {5, {}};

extern "C" void Init(const char* folderPath) noexcept {
    // The costume hook goes in first, whatever the configuration says.
    patch::WriteRelativeJump(host::kCostumeLoadSite, RoutineAddress(&CostumeLoadHook));
    // Then config.ini decides whether the jiggle block is passed over.
    plugin::RunConfigPass(folderPath);
}
