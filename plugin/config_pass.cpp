#include "plugin/config_pass.h"

#include <memory>

#include "config/ini_document.h"
#include "host/game.h"
#include "patch/host_memory.h"
#include "plugin/jiggle_setting.h"
#include "plugin/routines.h"

namespace plugin {

void RunConfigPass(const char* folderPath) noexcept {
    bool useJiggle = false;
    std::unique_ptr<IniDocument> document;
    try {
        // A null folder names no file at all: treat it like a config.ini that is missing.
        if (folderPath != nullptr) {
            document = std::make_unique<IniDocument>(ConfigPath(folderPath));
            useJiggle = UseJiggle(*document);
        }
    } catch (...) {
        // Out of memory while building the path or the document: the game must not see an
        // exception, and "off" is what every other failure means too.
        useJiggle = false;
    }
    if (!useJiggle) {
        patch::WriteRelativeJump(host::kJiggleSetupSite, RoutineAddress(&JiggleSkipStub));
    }
    document.reset();  // clears every section, then releases the document itself
}

}  // namespace plugin
