// The one table of config.ini files and the UseJiggle verdict the plug-in must reach for
// each. Every test that judges a config.ini runs these rows: the configuration pass on its
// own, Init in the simulated game, and vessa-config check.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace test_support {

struct VerdictCase {
    const char* what;
    std::optional<std::string> config;  // config.ini byte for byte; nullopt: no file at all
    bool useJiggle;
};

// Names the case in test listings instead of dumping its bytes.
inline void PrintTo(const VerdictCase& c, std::ostream* os) {
    *os << c.what;
}

// The rows, the shipped package/config.ini among them.
const std::vector<VerdictCase>& UseJiggleVerdicts();

// What the plug-in reads of `bytes` on Windows, where msvcrt opens config.ini in text mode:
// the file ends at the first Ctrl-Z byte (1A hex), and CR LF arrives as LF.
std::string AsWindowsTextModeReads(std::string bytes);

// Puts the case's config.ini into the folder, or leaves the folder without one. Where the
// reader is not msvcrt's, the file holds what text mode would deliver, so every build
// reaches the verdict the shipped DLL reaches.
void WriteVerdictConfig(const ScratchFolder& folder, const VerdictCase& c);

}  // namespace test_support
