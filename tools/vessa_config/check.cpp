// vessa-config check [FOLDER]: the plug-in's verdict on UseJiggle for a mod folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/vessa_config/commands.h"
#include "tools/vessa_config/config_check.h"
#include "tools/vessa_config/console.h"
#include "tools/vessa_config/launch.h"

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

int RunCheck(std::span<char* const> args) {
    if (args.size() > 1) {
        std::fputs("usage: vessa-config check [FOLDER]\n", stderr);
        return kExitUsage;
    }
    std::string folder;
    if (args.empty()) {
        const DefaultFolder chosen = ChooseDefaultFolder(console::ExecutablePath(), IsFolder);
        std::printf("No folder given: checking %s, %s.\n", chosen.path.c_str(), chosen.why);
        folder = chosen.path;
    } else {
        folder = args[0];
    }

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
