// What `vessa-config check` finds in a mod folder: the plug-in's own verdict on UseJiggle,
// read through the plug-in's own path and reader, plus the near misses that silently leave
// the setting off.
#pragma once

#include <string>
#include <vector>

struct ConfigCheck {
    std::string path;  // the path the plug-in opens: "<folder>\config.ini"
    bool useJiggle = false;
    std::string verdict;  // why the setting is on or off, one sentence
    std::vector<std::string> warnings;
};

// Checks `folder` as Init would. Returns false, with a message in `error`, when the folder
// itself cannot be read; a missing or unreadable config.ini still gives a verdict (off).
bool CheckConfigFolder(const std::string& folder, ConfigCheck& check, std::string& error);
