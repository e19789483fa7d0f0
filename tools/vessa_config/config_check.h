// What `vessa-config check` finds in a mod folder: the plug-in's own verdict on UseJiggle,
// read through the plug-in's own path and reader, and findings that point at the lines of
// config.ini holding the near misses that silently leave the setting off.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A report shows at most this many findings, then how many more there are.
inline constexpr std::size_t kMaxFindings = 20;

struct ConfigCheck {
    std::string path;  // the path the plug-in opens: "<folder>\config.ini"
    bool useJiggle = false;
    std::string verdict;  // on or off, and the line or the missing piece that decided it
    // The first kMaxFindings findings in line order, each "config.ini:LINE: warning: ...",
    // with the line to write instead where there is one ("...; write: UseJiggle=true").
    std::vector<std::string> findings;
    std::size_t moreFindings = 0;  // findings beyond those
};

// Checks `folder` as Init would. Returns false, with a message in `error`, when the folder
// itself cannot be read; a missing or unreadable config.ini still gives a verdict (off).
bool CheckConfigFolder(const std::string& folder, ConfigCheck& check, std::string& error);
