// Init's configuration pass: reads the plug-in folder's config.ini and, unless it turns
// UseJiggle on, places the jump that passes over the game's jiggle set-up block.
#pragma once

namespace plugin {

// A null folder, a file that does not open and running out of memory all leave the setting
// off, so the jump is placed. Never throws: it runs inside the game.
void RunConfigPass(const char* folderPath) noexcept;

}  // namespace plugin
