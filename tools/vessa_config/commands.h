// The sub-commands of vessa-config and the exit statuses they share. Each sub-command gets
// the arguments after its own name and returns the process exit status.
#pragma once

#include <span>
#include <string>

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,  // the input could not be opened or read, or the output not written
    kExitUsage = 2,    // wrong arguments
};

// dump PATH: prints the canonical dump of PATH as the plug-in's reader loads it.
int RunDump(std::span<char* const> args);
// check [FOLDER]: says whether UseJiggle is on for the folder's config.ini, and why.
int RunCheck(std::span<char* const> args);

// Whether path names a folder that exists.
bool IsFolder(const std::string& path);
