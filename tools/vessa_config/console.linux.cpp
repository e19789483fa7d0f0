#include <unistd.h>

#include <string>

#include "tools/vessa_config/console.h"

namespace console {

// Nobody double-clicks the Linux build: it runs from a terminal, which stays open.
std::size_t AttachedProcessCount() {
    return 0;
}

std::string ExecutablePath() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    return path;
}

}  // namespace console
