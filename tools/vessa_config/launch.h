// How vessa-config was started, and what that asks of it. Players double-click the .exe or
// drop their mod folder onto it: Windows then opens a console window of the tool's own,
// which closes the moment the tool exits. From a terminal or a script it runs as given.
// Plain functions of what the platform reports (console.h), so they are tested anywhere.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Wait for Enter after the report only when the console is the tool's own: the tool is the
// one process attached to it. A console shared with a shell (2 or more), none at all, or a
// count that could not be had (0) never waits.
bool ShouldWaitForEnter(std::size_t consoleProcesses);

// The arguments a start amounts to, after the program's name: no arguments in a console of
// its own (a double-click) are `check`; one argument that is no command but names a folder
// (a folder dropped onto the .exe) is `check FOLDER`. Any other start runs as given.
std::vector<std::string> ArgumentsToRun(std::vector<std::string> args, bool ownConsole,
                                        const std::function<bool(std::string_view)>& isCommand,
                                        const std::function<bool(const std::string&)>& isFolder);

struct DefaultFolder {
    std::string path;
    const char* why;  // says which of the two it is
};

// The folder `check` reads when none is given: where the release zip puts the mod folder,
// VessaAltCostume beside the folder holding the executable (tools), when that exists; else
// the executable's own folder. Paths keep the separator the executable's path uses.
DefaultFolder ChooseDefaultFolder(std::string_view exePath,
                                  const std::function<bool(const std::string&)>& isFolder);
