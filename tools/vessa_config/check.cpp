// vessa-config check [FOLDER]: the plug-in's verdict on UseJiggle for a mod folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
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
    for (const std::string& finding : check.findings) {
        std::printf("%s\n", finding.c_str());
    }
    if (check.moreFindings != 0) {
        std::printf("... and %zu more findings; fix the ones above and check again.\n",
                    check.moreFindings);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "vessa-config: cannot write the report on %s: %s\n",
                     check.path.c_str(), std::strerror(errno));
        return kExitFailure;
    }
    return kExitSuccess;
}
