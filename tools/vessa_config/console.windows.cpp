#include <windows.h>

#include <string>

#include "tools/vessa_config/console.h"

namespace console {

std::size_t AttachedProcessCount() {
    // The count comes back even when the list is too small to hold every process id.
    DWORD processes[4];
    return GetConsoleProcessList(processes, 4);
}

std::string ExecutablePath() {
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

}  // namespace console
