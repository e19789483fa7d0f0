// vessa-config check [FOLDER]: the plug-in's verdict on UseJiggle for a mod folder.
#include <cstdio>
#include <string>

#include "tools/vessa_config/commands.h"
#include "tools/vessa_config/config_check.h"

int RunCheck(std::span<char* const> args) {
    if (args.size() > 1) {
        std::fputs("usage: vessa-config check [FOLDER]\n", stderr);
        return kExitUsage;
    }
    const std::string folder = args.empty() ? "." : args[0];

    ConfigCheck check;
    std::string error;
    if (!CheckConfigFolder(folder, check, error)) {
        std::fprintf(stderr, "vessa-config: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("Checked %s\n%s.\n", check.path.c_str(), check.verdict.c_str());
    for (const std::string& warning : check.warnings) {
        std::printf("warning: %s.\n", warning.c_str());
    }
    if (std::fflush(stdout) != 0) {
        return kExitFailure;
    }
    return kExitSuccess;
}
