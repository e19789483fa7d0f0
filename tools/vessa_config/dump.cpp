// vessa-config dump PATH: the canonical dump of what the plug-in's reader makes of a file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "config/ini_document.h"
#include "config/ini_dump.h"
#include "tools/vessa_config/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The dump is exact bytes with LF line ends; Windows would otherwise write CR LF.
void SetStdoutBinary() {
#ifdef _WIN32
    static_cast<void>(_setmode(_fileno(stdout), _O_BINARY));
#endif
}

}  // namespace

int RunDump(std::span<char* const> args) {
    if (args.size() != 1) {
        std::fputs("usage: vessa-config dump PATH\n", stderr);
        return kExitUsage;
    }
    const char* path = args[0];

    // Opened as IniDocument's path constructor opens config.ini (text mode "r"), so the dump
    // shows what the plug-in reads, line-end translation included. The tool opens the file
    // itself because the document cannot tell a missing file from nothing to report.
    std::FILE* stream = std::fopen(path, "r");
    if (stream == nullptr) {
        std::fprintf(stderr, "vessa-config: cannot open %s: %s\n", path, std::strerror(errno));
        return kExitFailure;
    }
    IniDocument document;
    document.Load(stream);
    // The reader silently keeps what it read before a read error (a directory on Linux
    // fails at once); a tool that printed that as the file's content would hide the failure.
    const bool read_failed = std::ferror(stream) != 0;
    const int read_error = errno;
    std::fclose(stream);
    if (read_failed) {
        std::fprintf(stderr, "vessa-config: cannot read %s: %s\n", path, std::strerror(read_error));
        return kExitFailure;
    }

    const std::string text = DumpIniDocument(document);
    SetStdoutBinary();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "vessa-config: cannot write the dump of %s: %s\n", path,
                     std::strerror(errno));
        return kExitFailure;
    }
    return kExitSuccess;
}
