// Reader benchmark: our IniDocument against inih, Debian's libinih-dev. Debian builds inih
// with its compile-time options turned into variables; ini_max_line is raised from the
// packaged 200 to 1,024, so that inih, like ours, reads every line of these files whole and
// both readers store the same pairs. Everything else is inih as packaged: whitespace trimmed,
// inline ";" comments, multi-line values. Its pairs go into unordered_maps, section ->
// (key -> value), as an application would store them.
//
//   vessa_ini_bench [--baseline BIN] [DIR]
//                                     write the files into DIR (created if missing; default:
//                                     a new temp dir) and print throughput, peak memory and
//                                     the configuration pass's time; with --baseline, BIN (an
//                                     earlier build of this benchmark) runs as a third
//                                     contender, "base", in the same rounds
//   vessa_ini_bench generate DIR      only write the files
//   vessa_ini_bench parse READER FILE parse FILE once with READER (ours or inih) and print
//                                     what it stored: sections, pairs, bytes
//   vessa_ini_bench time READER FILE  print the seconds of one parse of FILE (a big file) or
//                                     the mean of as many parses as fit in a quarter second
//   vessa_ini_bench pass FOLDER       print the microseconds of one configuration pass as
//                                     Init runs it, the mean of a quarter second of passes
//   vessa_ini_bench count READER FILE one warm-up parse, then one parse between callgrind's
//                                     start and stop requests (count-instructions.sh)
//
// Every figure comes from a fresh process started for it alone, so each parse starts from the
// same small heap and pays for its memory as the plug-in's single parse does.
#include <ini.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "config/ini_document.h"
#include "plugin/jiggle_setting.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

// inih's longest line, its line end and NUL included: as our reader's read buffer.
constexpr int kInihMaxLine = 1024;

// What a parse stored, to check both readers did the same work.
struct Stored {
    std::size_t sections = 0;
    std::size_t pairs = 0;
    std::size_t bytes = 0;  // all names, keys and values
};

// ---- our reader ----

// Parses path and releases the document again: the whole cost the plug-in pays.
std::size_t ParseWithOurs(const char* path) {
    const IniDocument document{std::string(path)};
    return document.SectionCount();
}

Stored StoredByOurs(const char* path) {
    const IniDocument document{std::string(path)};
    Stored stored;
    document.ForEachSection([&stored](std::string_view name, const IniSection& section) {
        ++stored.sections;
        stored.bytes += name.size();
        section.ForEachPair([&stored](std::string_view key, std::string_view value) {
            ++stored.pairs;
            stored.bytes += key.size() + value.size();
        });
    });
    return stored;
}

// ---- inih, storing as an application would ----

// Hashes std::string and std::string_view alike, so a lookup by string_view builds no string.
struct TransparentHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view bytes) const {
        return std::hash<std::string_view>{}(bytes);
    }
};

template <typename Value>
using StringMap = std::unordered_map<std::string, Value, TransparentHash, std::equal_to<>>;

struct InihDocument {
    StringMap<StringMap<std::string>> sections;
    // inih passes the section name with every pair: look the section up only when it changes,
    // as our parser keeps its current section.
    StringMap<std::string>* current = nullptr;
    std::string current_name;
};

int StoreInihPair(void* user, const char* section, const char* name, const char* value) {
    auto& document = *static_cast<InihDocument*>(user);
    if (document.current == nullptr || document.current_name != section) {
        auto found = document.sections.find(std::string_view(section));
        if (found == document.sections.end()) {
            found = document.sections.try_emplace(std::string(section)).first;
        }
        document.current = &found->second;
        document.current_name.assign(section);
    }
    // One lookup for a new key, the common case; a present key takes the new value.
    const auto [pair, inserted] = document.current->emplace(
        std::piecewise_construct, std::forward_as_tuple(name), std::forward_as_tuple(value));
    if (!inserted) {
        pair->second.assign(value);
    }
    return 1;
}

// Parses path and releases what it stored, as ParseWithOurs does.
std::size_t ParseWithInih(const char* path) {
    InihDocument document;
    // The result, the first line inih rejected, does not matter: what it stored is compared.
    static_cast<void>(ini_parse(path, StoreInihPair, &document));
    return document.sections.size();
}

Stored StoredByInih(const char* path) {
    InihDocument document;
    static_cast<void>(ini_parse(path, StoreInihPair, &document));
    Stored stored;
    for (const auto& [name, pairs] : document.sections) {
        ++stored.sections;
        stored.bytes += name.size();
        for (const auto& [key, value] : pairs) {
            ++stored.pairs;
            stored.bytes += key.size() + value.size();
        }
    }
    return stored;
}

struct Reader {
    const char* name;
    std::size_t (*parse)(const char* path);  // returns the number of sections
    Stored (*stored)(const char* path);
};

constexpr Reader kReaders[] = {{"ours", ParseWithOurs, StoredByOurs},
                               {"inih", ParseWithInih, StoredByInih}};

// ---- input files ----

// splitmix64: a fixed seed gives the same files on every machine.
class Random {
  public:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::size_t Between(std::size_t low, std::size_t high) {
        return low + static_cast<std::size_t>(Next() % (high - low + 1));
    }

  private:
    std::uint64_t state_ = 20240611;
};

// Value text without any byte either syntax treats specially (; # = : [ ] \) and with no
// space at either end, so that inih's trimming stores the same bytes as ours.
void AppendText(std::string& out, Random& random, std::size_t length) {
    static constexpr std::string_view kAlphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ,.-_/()+";
    for (std::size_t i = 0; i < length; ++i) {
        char byte = kAlphabet[random.Next() % kAlphabet.size()];
        if (byte == ' ' && (i == 0 || i + 1 == length)) {
            byte = 'x';
        }
        out.push_back(byte);
    }
}

constexpr std::size_t kBigFileBytes = std::size_t{64} << 20;

constexpr std::string_view kTypicalConfig =
    "; Vessa Alt Costume and game settings\n"
    "; Lines starting with a semicolon are comments.\n"
    "\n"
    "[Vessa Alt Costume]\n"
    "UseJiggle=false\n"
    "CostumeSlot=1\n"
    "EffectArchive=GLOAM_EFFTEX\n"
    "\n"
    "[General]\n"
    "Language=en\n"
    "ShowIntro=true\n"
    "AutoSave=true\n"
    "AutoSaveInterval=300\n"
    "LastProfile=Player One\n"
    "\n"
    "[Graphics]\n"
    "Width=1920\n"
    "Height=1080\n"
    "Fullscreen=true\n"
    "VSync=true\n"
    "TextureQuality=high\n"
    "ShadowQuality=medium\n"
    "Antialiasing=4\n"
    "Brightness=0.55\n"
    "FieldOfView=70 ; degrees\n"
    "FrameLimit=60\n"
    "\n"
    "[Audio]\n"
    "MasterVolume=80\n"
    "MusicVolume=65\n"
    "EffectsVolume=90\n"
    "VoiceVolume=100\n"
    "Subtitles=true\n"
    "OutputDevice=Default\n"
    "\n"
    "[Controls]\n"
    "InvertY=false\n"
    "Sensitivity = 1.25\n"
    "Vibration = true\n"
    "KeyAttack=J\n"
    "KeyGuard=K\n"
    "KeyJump=Space\n"
    "KeyDash=LShift\n"
    "KeyMenu=Escape\n"
    "\n"
    "[Paths]\n"
    "SavePath=C:\\\\Users\\\\Player\\\\Saved Games\\\\Vessa\n"
    "ScreenshotPath=C:\\\\Users\\\\Player\\\\Pictures\n"
    "\n"
    "[Network]\n"
    "; The server list is refreshed at start-up.\n"
    "ServerList=eu1.example.invalid,us1.example.invalid\n"
    "Timeout=30\n"
    "RetryCount=3\n"
    "\n"
    "[Debug]\n"
    "LogLevel=0\n"
    "ShowFps=false\n"
    "ShowHitboxes=false\n"
    "; end\n";

// Many short keys in few sections: about 2 million key lines in sections of 2,000 to 2,200
// keys, with comment and blank lines as a large real file has.
std::string ManyKeysFile() {
    Random random;
    std::string out;
    out.reserve(kBigFileBytes + 4096);
    char line[64];
    for (unsigned section = 0; out.size() < kBigFileBytes; ++section) {
        std::snprintf(line, sizeof line, "[Section %04u]\n", section);
        out += line;
        const std::size_t keys = random.Between(2000, 2200);
        for (std::size_t key = 0; key < keys; ++key) {
            if (random.Next() % 16 == 0) {
                out += "; ";
                AppendText(out, random, random.Between(10, 40));
                out += '\n';
            }
            std::snprintf(line, sizeof line, "key_%05zu=", key);
            out += line;
            AppendText(out, random, random.Between(4, 36));
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

// Many small sections: a header and four short keys each, about 600,000 sections.
std::string ManySectionsFile() {
    Random random;
    std::string out;
    out.reserve(kBigFileBytes + 4096);
    char line[64];
    for (unsigned section = 0; out.size() < kBigFileBytes; ++section) {
        std::snprintf(line, sizeof line, "[Entry %07u]\n", section);
        out += line;
        for (const char* key : {"Name=", "Kind=", "Size=", "Flags="}) {
            out += key;
            AppendText(out, random, random.Between(4, 30));
            out += '\n';
        }
    }
    return out;
}

// Lines of 500 to 1,000 bytes, each a key with a long value, 64 to a section.
std::string LongLinesFile() {
    Random random;
    std::string out;
    out.reserve(kBigFileBytes + 4096);
    char line[64];
    for (unsigned number = 0; out.size() < kBigFileBytes; ++number) {
        if (number % 64 == 0) {
            std::snprintf(line, sizeof line, "[Long %05u]\n", number / 64);
            out += line;
        }
        const int prefix = std::snprintf(line, sizeof line, "k%07u=", number);
        out += line;
        AppendText(out, random, random.Between(500, 1000) - static_cast<std::size_t>(prefix));
        out += '\n';
    }
    return out;
}

// A heavily commented file: nine lines in ten are ";" comments of 10 to 80 bytes or blank,
// the rest keys, with a header every 40 keys.
std::string CommentDenseFile() {
    Random random;
    std::string out;
    out.reserve(kBigFileBytes + 4096);
    char line[64];
    for (unsigned keys = 0; out.size() < kBigFileBytes;) {
        const std::uint64_t pick = random.Next() % 10;
        if (pick == 0) {
            if (keys % 40 == 0) {
                std::snprintf(line, sizeof line, "[Notes %06u]\n", keys / 40);
                out += line;
            }
            std::snprintf(line, sizeof line, "key_%06u=", keys++);
            out += line;
            AppendText(out, random, random.Between(4, 30));
        } else if (pick <= 6) {
            out += "; ";
            AppendText(out, random, random.Between(8, 78));
        }
        out += '\n';
    }
    return out;
}

struct BenchFile {
    const char* name;
    std::string (*make)();
};

const BenchFile kFiles[] = {
    {"typical.ini", [] { return std::string(kTypicalConfig); }},
    {"many-keys.ini", ManyKeysFile},
    {"many-sections.ini", ManySectionsFile},
    {"long-lines.ini", LongLinesFile},
    {"comment-dense.ini", CommentDenseFile},
};

// The configuration pass reads "config.ini" in a mod folder: the shipped one, and a folder
// the benchmark fills with the typical config.
constexpr const char* kTypicalModFolder = "typical-mod";

bool WriteFile(const std::string& path, std::string_view bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

// Writes every file into dir, creating dir and the typical mod folder first.
bool GenerateFiles(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir + "/" + kTypicalModFolder, error);
    if (error) {
        std::fprintf(stderr, "vessa_ini_bench: cannot create %s/%s: %s\n", dir.c_str(),
                     kTypicalModFolder, error.message().c_str());
        return false;
    }
    for (const BenchFile& file : kFiles) {
        if (!WriteFile(dir + "/" + file.name, file.make())) {
            std::fprintf(stderr, "vessa_ini_bench: cannot write %s/%s\n", dir.c_str(), file.name);
            return false;
        }
    }
    if (!WriteFile(dir + "/" + kTypicalModFolder + "/config.ini", kTypicalConfig)) {
        std::fprintf(stderr, "vessa_ini_bench: cannot write %s/%s/config.ini\n", dir.c_str(),
                     kTypicalModFolder);
        return false;
    }
    return true;
}

// ---- one measurement, the only work of its process ----

using Clock = std::chrono::steady_clock;

const Reader* FindReader(std::string_view name) {
    for (const Reader& reader : kReaders) {
        if (reader.name == name) {
            return &reader;
        }
    }
    std::fprintf(stderr, "vessa_ini_bench: unknown reader '%s' (ours or inih)\n",
                 std::string(name).c_str());
    return nullptr;
}

// Mean seconds of work() over a quarter second of calls; a single call when one is long, so
// that a big file is parsed once, from a fresh heap, as the plug-in parses.
template <typename Work>
double SecondsPerCall(Work work) {
    std::size_t calls = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        work();
        ++calls;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < 0.25 && elapsed < 0.01 * static_cast<double>(calls));
    return elapsed / static_cast<double>(calls);
}

int ParseOnce(std::string_view reader_name, const char* path) {
    const Reader* reader = FindReader(reader_name);
    if (reader == nullptr) {
        return 2;
    }
    const Stored stored = reader->stored(path);
    std::printf("%zu %zu %zu\n", stored.sections, stored.pairs, stored.bytes);
    return 0;
}

int TimeParses(std::string_view reader_name, const char* path) {
    const Reader* reader = FindReader(reader_name);
    if (reader == nullptr) {
        return 2;
    }
    bool stored_nothing = false;
    const double seconds = SecondsPerCall([&] { stored_nothing |= reader->parse(path) == 0; });
    if (stored_nothing) {
        std::fprintf(stderr, "vessa_ini_bench: %s stored nothing\n", reader->name);
        return 1;
    }
    std::printf("%.9g\n", seconds);
    return 0;
}

// Init's configuration pass without the jump it may place: the path from the folder, the
// document built from it (file opened, parsed, closed), the verdict, the document destroyed.
int TimePasses(const char* folder) {
    std::size_t on = 0;
    const double seconds = SecondsPerCall([&] {
        const auto document = std::make_unique<IniDocument>(plugin::ConfigPath(folder));
        on += plugin::UseJiggle(*document) ? 1 : 0;
    });
    std::printf("%.9g\n", seconds * 1e6);
    return on == static_cast<std::size_t>(-1) ? 1 : 0;  // keeps the verdict alive
}

// A warm-up parse (lazy symbol binding, first allocations), then one parse between
// callgrind's start and stop requests; run under valgrind --tool=callgrind --instr-atstart=no.
int CountOneParse(std::string_view reader_name, const char* path) {
    const Reader* reader = FindReader(reader_name);
    if (reader == nullptr) {
        return 2;
    }
    static_cast<void>(reader->parse(path));
    CALLGRIND_START_INSTRUMENTATION;
    const std::size_t sections = reader->parse(path);
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("%s: %zu sections\n", reader->name, sections);
    return 0;
}

// ---- the whole table ----

// A reader as one binary runs it: ours and inih from this build, and optionally ours from an
// earlier build of this benchmark.
struct Contender {
    std::string label;
    std::string binary;
    std::string reader;
};

// Runs binary with args in a fresh process; returns its standard output and, through
// peak_kib, its peak resident set. Exits on any failure: a table with holes misleads.
std::string RunChild(const std::vector<std::string>& args, long* peak_kib = nullptr) {
    int channel[2];
    if (pipe(channel) != 0) {
        std::perror("vessa_ini_bench: pipe");
        std::exit(1);
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        dup2(channel[1], STDOUT_FILENO);
        close(channel[1]);
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(channel[1]);
    std::string output;
    char chunk[256];
    ssize_t got = 0;
    while ((got = read(channel[0], chunk, sizeof chunk)) > 0) {
        output.append(chunk, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::string command;
        for (const std::string& arg : args) {
            command += " " + arg;
        }
        std::fprintf(stderr, "vessa_ini_bench: failed:%s\n", command.c_str());
        std::exit(1);
    }
    if (peak_kib != nullptr) {
        *peak_kib = usage.ru_maxrss;
    }
    return output;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

constexpr int kRounds = 7;

int RunAll(const char* self, std::string dir, const char* baseline) {
    if (dir.empty()) {
        char pattern[] = "/tmp/vessa_ini_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::perror("vessa_ini_bench: mkdtemp");
            return 1;
        }
        dir = pattern;
    }
    // In a child, so that this process stays small: its forks for measuring start from it.
    RunChild({self, "generate", dir});

    std::vector<Contender> contenders = {{"ours", self, "ours"}, {"inih", self, "inih"}};
    if (baseline != nullptr) {
        contenders.push_back({"base", baseline, "ours"});
    }
    const std::size_t count = contenders.size();

    std::printf(
        "files in %s; inih with ini_max_line = %d; MB = 10^6 bytes\n"
        "MB/s: median of %d rounds, the readers taking turns in each round, one fresh process\n"
        "per parse (the typical config: a quarter second of parses); x inih: median of the\n"
        "rounds' ratios of inih's time to the reader's; peak: median of the rounds' max RSS\n"
        "(a big file's process parses it once); stored: sections, pairs, and bytes of names,\n"
        "keys and values\n\n",
        dir.c_str(), kInihMaxLine, kRounds);
    std::printf("%-18s %9s", "file", "MB");
    for (const Contender& contender : contenders) {
        std::printf(" %7s MB/s", contender.label.c_str());
    }
    for (std::size_t c = 0; c < count; ++c) {
        if (c != 1) {
            std::printf(" %4s x inih", contenders[c].label.c_str());
        }
    }
    for (const Contender& contender : contenders) {
        std::printf(" %6s peak", contender.label.c_str());
    }
    std::printf(" %11s %11s\n", "ours stored", "inih stored");

    for (const BenchFile& file : kFiles) {
        const std::string path = dir + "/" + file.name;
        std::vector<std::string> stored(count);
        for (std::size_t c = 0; c < count; ++c) {  // also warms the page cache
            stored[c] = RunChild({contenders[c].binary, "parse", contenders[c].reader, path});
            stored[c].erase(stored[c].find_last_not_of('\n') + 1);
        }
        std::vector<std::vector<double>> seconds(count);
        std::vector<std::vector<double>> ratios(count);
        // A process's peak varies by some pages from run to run: take the rounds' median.
        std::vector<std::vector<double>> peak_kib(count);
        for (int round = 0; round < kRounds; ++round) {
            std::vector<double> now(count);
            for (std::size_t c = 0; c < count; ++c) {
                long kib = 0;
                now[c] = std::strtod(
                    RunChild({contenders[c].binary, "time", contenders[c].reader, path}, &kib)
                        .c_str(),
                    nullptr);
                seconds[c].push_back(now[c]);
                peak_kib[c].push_back(static_cast<double>(kib));
            }
            for (std::size_t c = 0; c < count; ++c) {
                ratios[c].push_back(now[1] / now[c]);
            }
        }
        const double megabytes = static_cast<double>(FileSize(path)) / 1e6;
        std::printf("%-18s %9.3f", file.name, megabytes);
        for (std::size_t c = 0; c < count; ++c) {
            std::printf(" %12.1f", megabytes / Median(seconds[c]));
        }
        for (std::size_t c = 0; c < count; ++c) {
            if (c != 1) {
                std::printf(" %10.2fx", Median(ratios[c]));
            }
        }
        for (std::size_t c = 0; c < count; ++c) {
            std::printf(" %6.2f MiB", Median(peak_kib[c]) / 1024.0);
        }
        // sections pairs bytes, as each reader stored them
        std::printf("  ours: %s  inih: %s\n", stored[0].c_str(), stored[1].c_str());
        std::fflush(stdout);
    }

    std::printf(
        "\nconfiguration pass as Init runs it: microseconds per pass, median of %d rounds\n",
        kRounds);
    const std::vector<std::pair<std::string, std::string>> folders = {
        {"shipped config.ini", VESSA_SHIPPED_CONFIG_DIR},
        {"typical config", dir + "/" + kTypicalModFolder}};
    for (const auto& [what, folder] : folders) {
        std::printf("  %-20s", what.c_str());
        for (std::size_t c = 0; c < count; ++c) {
            if (c == 1) {
                continue;  // inih has no configuration pass
            }
            std::vector<double> micros;
            for (int round = 0; round < kRounds; ++round) {
                micros.push_back(
                    std::strtod(RunChild({contenders[c].binary, "pass", folder}).c_str(), nullptr));
            }
            std::printf("  %s %.2f us", contenders[c].label.c_str(), Median(micros));
        }
        std::printf("\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Debian's build reads this variable at every parse; it sizes the line buffer on the stack.
    ini_max_line = kInihMaxLine;

    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "parse") {
        return ParseOnce(args[1], argv[3]);
    }
    if (args.size() == 3 && args[0] == "time") {
        return TimeParses(args[1], argv[3]);
    }
    if (args.size() == 2 && args[0] == "pass") {
        return TimePasses(argv[2]);
    }
    if (args.size() == 3 && args[0] == "count") {
        return CountOneParse(args[1], argv[3]);
    }
    if (args.size() == 2 && args[0] == "generate") {
        return GenerateFiles(argv[2]) ? 0 : 1;
    }
    const char* baseline = nullptr;
    int first = 1;
    if (args.size() >= 2 && args[0] == "--baseline") {
        baseline = argv[2];
        first = 3;
    }
    if (argc - first <= 1 && (argc == first || argv[first][0] != '-')) {
        return RunAll(argv[0], argc == first ? std::string() : std::string(argv[first]), baseline);
    }
    std::fputs(
        "usage: vessa_ini_bench [--baseline BIN] [DIR]\n"
        "       vessa_ini_bench generate DIR\n"
        "       vessa_ini_bench parse|time|count ours|inih FILE\n"
        "       vessa_ini_bench pass FOLDER\n",
        stderr);
    return 2;
}
