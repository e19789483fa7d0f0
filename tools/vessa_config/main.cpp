// vessa-config: the command-line companion of the plug-in. Sub-commands are rows of
// kCommands; a new one adds a row and its own source file.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/vessa_config/commands.h"
#include "tools/vessa_config/console.h"
#include "tools/vessa_config/launch.h"
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
     "    Read FOLDER\\config.ini through the plug-in's own code and say whether\n"
     "    UseJiggle is on or off, and which line decided it. Without FOLDER: the mod\n"
     "    folder VessaAltCostume beside the tool's own folder, as the release zip lays\n"
     "    them out, else the tool's own folder; it says which. Then list the near\n"
     "    misses that silently leave it off, each as config.ini:LINE: with the line to\n"
     "    write instead: a value in quotes, '#' or ':' taken for ';' or '=', spaces or\n"
     "    tabs around '=', a section or key that differs by letter case, UseJiggle set\n"
     "    twice (the later line wins), look-alike characters such as a non-breaking\n"
     "    space, a byte-order mark, a Ctrl-Z, lines longer than 1,023 bytes, the key\n"
     "    under no section. At most 20 findings, then how many more. Exit status 0\n"
     "    whenever a verdict is given, including for a missing config.ini; 1 when\n"
     "    FOLDER itself cannot be read.\n"
     "    Started by a double-click, or with a folder dropped onto it, the tool checks\n"
     "    and then waits for Enter, so that its window stays open to be read.\n",
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

bool IsCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return true;
        }
    }
    return false;
}

// Keeps a console window of the tool's own open until its report has been read. Standard
// input at its end (closed, or a file) ends the wait as Enter does.
void WaitForEnter() {
    std::fputs("\nPress Enter to close.\n", stdout);
    std::fflush(stdout);
    for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
    }
}

// args: the arguments after the program's name.
int Run(std::span<char* const> args) {
    if (args.empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string_view name = args[0];
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
            return command.run(args.subspan(1));
        }
    }
    std::fprintf(stderr, "vessa-config: unknown command '%s'\n", args[0]);
    PrintUsage(stderr);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const bool ownConsole = ShouldWaitForEnter(console::AttachedProcessCount());
    std::vector<std::string> arguments = ArgumentsToRun(
        std::vector<std::string>(argv + 1, argv + argc), ownConsole, IsCommand, IsFolder);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    const int status = Run(pointers);
    if (ownConsole) {
        WaitForEnter();
    }
    return status;
}
