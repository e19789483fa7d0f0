// vessa-config: the command-line companion of the plug-in. Sub-commands are rows of
// kCommands; a new one adds a row and its own source file.
#include <cstdio>
#include <span>
#include <string_view>

#include "tools/vessa_config/commands.h"
#include "vessa_version.h"

namespace {

struct Command {
    std::string_view name;
    std::string_view synopsis;  // arguments, as shown in the usage line
    std::string_view help;      // indented description for --help
    int (*run)(std::span<char* const> args);
};

constexpr Command kCommands[] = {
    {"dump", "PATH",
     "    Read PATH exactly as the plug-in reads config.ini and print every section and\n"
     "    pair it stores: sections in byte order of their names, each as a line [NAME]\n"
     "    followed by KEY=VALUE lines in byte order of the keys. The implicit section\n"
     "    before the first header prints as []. Every byte outside 0x20..0x7E and each\n"
     "    of \\ [ ] = ; is written as \\x and two lower-case hex digits.\n",
     RunDump},
    {"check", "[FOLDER]",
     "    Read FOLDER\\config.ini (default: the current folder) through the plug-in's own\n"
     "    code and say whether UseJiggle is on or off, and which line decided it. Then list\n"
     "    the near misses that silently leave it off, each as config.ini:LINE: with the\n"
     "    line to write instead: a value in quotes, '#' or ':' taken for ';' or '=', spaces\n"
     "    or tabs around '=', a section or key that differs by letter case, UseJiggle set\n"
     "    twice (the later line wins), look-alike characters such as a non-breaking space,\n"
     "    a byte-order mark, a Ctrl-Z, lines longer than 1,023 bytes, the key under no\n"
     "    section. At most 20 findings, then how many more. Exit status 0 whenever a\n"
     "    verdict is given, including for a missing config.ini; 1 when FOLDER itself\n"
     "    cannot be read.\n",
     RunCheck},
};

void PrintUsage(std::FILE* out) {
    const char* prefix = "usage:";
    for (const Command& command : kCommands) {
        std::fprintf(out, "%s vessa-config %.*s %.*s\n", prefix,
                     static_cast<int>(command.name.size()), command.name.data(),
                     static_cast<int>(command.synopsis.size()), command.synopsis.data());
        prefix = "      ";
    }
    std::fprintf(out, "%s vessa-config --help | --version\n", prefix);
}

void PrintHelp(std::FILE* out) {
    PrintUsage(out);
    std::fputs("\nCommands:\n", out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %.*s %.*s\n%.*s", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.synopsis.size()),
                     command.synopsis.data(), static_cast<int>(command.help.size()),
                     command.help.data());
    }
    std::fputs(
        "\nExit status:\n"
        "  0  success\n"
        "  1  dump: the file could not be opened or read; check: the folder could not be\n"
        "     read; or the output could not be written. A message naming the file or\n"
        "     folder goes to stderr and nothing to stdout\n"
        "  2  wrong usage; the usage goes to stderr\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char* const> args(argv, static_cast<std::size_t>(argc));
    if (args.size() < 2) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string_view name = args[1];
    if (name == "--help" || name == "-h") {
        PrintHelp(stdout);
        return kExitSuccess;
    }
    if (name == "--version") {
        // The version a bug report names; the same as the .exe's and the DLL's file version.
        std::puts("vessa-config " VESSA_VERSION);
        return std::fflush(stdout) == 0 ? kExitSuccess : kExitFailure;
    }
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return command.run(args.subspan(2));
        }
    }
    std::fprintf(stderr, "vessa-config: unknown command '%s'\n", args[1]);
    PrintUsage(stderr);
    return kExitUsage;
}
