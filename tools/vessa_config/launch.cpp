#include "tools/vessa_config/launch.h"

#include <utility>

bool ShouldWaitForEnter(std::size_t consoleProcesses) {
    return consoleProcesses == 1;
}

std::vector<std::string> ArgumentsToRun(std::vector<std::string> args, bool ownConsole,
                                        const std::function<bool(std::string_view)>& isCommand,
                                        const std::function<bool(const std::string&)>& isFolder) {
    if (args.empty() && ownConsole) {
        return {"check"};
    }
    if (args.size() == 1 && !isCommand(args[0]) && isFolder(args[0])) {
        return {"check", std::move(args[0])};
    }
    return args;
}

DefaultFolder ChooseDefaultFolder(std::string_view exePath,
                                  const std::function<bool(const std::string&)>& isFolder) {
    const std::size_t exeSeparator = exePath.find_last_of("\\/");
    if (exeSeparator == std::string_view::npos) {
        return {".", "the current folder, as the tool's own is not known"};
    }
    const std::string_view exeFolder = exePath.substr(0, exeSeparator);
    const std::size_t parentSeparator = exeFolder.find_last_of("\\/");
    if (parentSeparator != std::string_view::npos) {
        std::string modFolder(exeFolder.substr(0, parentSeparator + 1));
        modFolder += "VessaAltCostume";
        // A copy of the tool inside the mod folder finds that folder as its own below.
        if (modFolder != exeFolder && isFolder(modFolder)) {
            return {std::move(modFolder), "the mod folder beside the tool's folder"};
        }
    }
    return {std::string(exeFolder.empty() ? exePath.substr(0, 1) : exeFolder),
            "the folder the tool is in"};
}
