// Reader benchmark: our IniDocument against inih (Debian libinih-dev, used as packaged:
// INI_MAX_LINE 200 on the stack, whitespace trimmed, inline ";" comments, multi-line values),
// both storing into the same kind of maps, section -> (key -> value), with the same hash and
// the same way of inserting. As packaged, inih reads a longer line in pieces of 199 bytes and
// rejects every piece after the first that has no "=", so on the long-line file it stores
// about a quarter of what ours stores; the "stored" columns show it.
//
//   vessa_ini_bench [DIR]             write the three files into DIR (default: a new temp
//                                     dir) and print throughput and peak memory of both
//   vessa_ini_bench generate DIR      only write the files
//   vessa_ini_bench parse READER FILE parse FILE once with READER (ours or inih), nothing
//                                     else: for /usr/bin/time -v
//   vessa_ini_bench count READER FILE one warm-up parse, then one parse between callgrind's
//                                     start and stop requests (count-instructions.sh)
//
// Every measurement runs in a fresh child process, so each parse starts from the same small
// heap and pays for its memory as the plug-in's single parse does.
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
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "config/ini_document.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

// What a parse stored, to check both readers did real work on the same data.
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

// ---- inih, storing as our document does ----

struct InihDocument {
    IniByteStringMap<IniByteStringMap<std::string>> sections;
    // inih passes the section name with every pair: look the section up only when it changes,
    // as our parser keeps its current section.
    IniByteStringMap<std::string>* current = nullptr;
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
    // Stored exactly as IniSection::SetValue stores: emplace, then overwrite a present key.
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
};

constexpr Reader kReaders[] = {{"ours", ParseWithOurs}, {"inih", ParseWithInih}};

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

// Many short keys over many sections, with comment and blank lines as a large real file has.
std::string ManyKeysFile() {
    Random random;
    std::string out;
    out.reserve(kBigFileBytes + 4096);
    char line[64];
    for (unsigned section = 0; out.size() < kBigFileBytes; ++section) {
        std::snprintf(line, sizeof line, "[Section %06u]\n", section);
        out += line;
        const std::size_t keys = random.Between(20, 80);
        for (std::size_t key = 0; key < keys; ++key) {
            if (random.Next() % 16 == 0) {
                out += "; ";
                AppendText(out, random, random.Between(10, 40));
                out += '\n';
            }
            std::snprintf(line, sizeof line, "key_%04zu_", key);
            out += line;
            AppendText(out, random, random.Between(2, 10));
            out += '=';
            AppendText(out, random, random.Between(4, 40));
            out += '\n';
        }
        out += '\n';
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

struct BenchFile {
    const char* name;
    std::string (*make)();
    bool big;
};

const BenchFile kFiles[] = {
    {"typical.ini", [] { return std::string(kTypicalConfig); }, false},
    {"many-keys.ini", ManyKeysFile, true},
    {"long-lines.ini", LongLinesFile, true},
};

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

bool GenerateFiles(const std::string& dir) {
    for (const BenchFile& file : kFiles) {
        if (!WriteFile(dir + "/" + file.name, file.make())) {
            std::fprintf(stderr, "vessa_ini_bench: cannot write %s/%s\n", dir.c_str(), file.name);
            return false;
        }
    }
    return true;
}

// ---- measurement ----

using Clock = std::chrono::steady_clock;

// Runs work in a forked child and returns its result: every measurement starts from the same
// small heap, and this process never grows by a parse (which would also inflate the children's
// peak memory).
template <typename Result, typename Work>
Result InFreshProcess(Work work) {
    int channel[2];
    if (pipe(channel) != 0) {
        std::perror("vessa_ini_bench: pipe");
        std::exit(1);
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const Result result = work();
        const bool sent = write(channel[1], &result, sizeof result) == sizeof result;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    Result result{};
    const bool received = child > 0 && read(channel[0], &result, sizeof result) == sizeof result;
    close(channel[0]);
    int status = 0;
    if (!received || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "vessa_ini_bench: a measuring process failed\n");
        std::exit(1);
    }
    return result;
}

// Seconds per parse in one round: a single parse of a big file, or as many parses of a small
// one as fit in a quarter second.
double TimeOneRound(const Reader& reader, const std::string& path, bool big) {
    return InFreshProcess<double>([&] {
        const double round_seconds = big ? 0.0 : 0.25;
        std::size_t parses = 0;
        const auto start = Clock::now();
        double elapsed = 0;
        do {
            if (reader.parse(path.c_str()) == 0) {
                std::fprintf(stderr, "vessa_ini_bench: %s stored nothing\n", reader.name);
                _exit(1);
            }
            ++parses;
            elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        } while (elapsed < round_seconds);
        return elapsed / static_cast<double>(parses);
    });
}

// Peak resident set of a fresh process that parses path once with reader, in KiB.
long PeakKibOfOneParse(const char* self, const char* reader, const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        execl(self, self, "parse", reader, path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return usage.ru_maxrss;
}

long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

int RunAll(const char* self, std::string dir) {
    if (dir.empty()) {
        char pattern[] = "/tmp/vessa_ini_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::perror("vessa_ini_bench: mkdtemp");
            return 1;
        }
        dir = pattern;
    }
    if (!GenerateFiles(dir)) {
        return 1;
    }
    // Peak memory first, while this process is still small: a forked child starts with the
    // parent's resident pages, and exec folds them into the child's peak.
    struct Row {
        long ours_kib;
        long inih_kib;
    };
    std::vector<Row> peaks;
    std::fflush(stdout);
    for (const BenchFile& file : kFiles) {
        const std::string path = dir + "/" + file.name;
        peaks.push_back(
            {PeakKibOfOneParse(self, "ours", path), PeakKibOfOneParse(self, "inih", path)});
    }

    std::printf(
        "files in %s; MB = 10^6 bytes; best of several rounds; peak = max RSS of a\n"
        "fresh process parsing the file once; stored = bytes of names, keys and values\n\n",
        dir.c_str());
    std::printf("%-15s %10s %10s %10s %7s %12s %12s %6s %11s %11s\n", "file", "bytes", "ours MB/s",
                "inih MB/s", "ratio", "ours peak", "inih peak", "ratio", "ours stored",
                "inih stored");
    for (std::size_t f = 0; f < std::size(kFiles); ++f) {
        const BenchFile& file = kFiles[f];
        const std::string path = dir + "/" + file.name;
        const double bytes = static_cast<double>(FileSize(path));
        // Also warms the page cache.
        const Stored ours = InFreshProcess<Stored>([&] { return StoredByOurs(path.c_str()); });
        const Stored inih = InFreshProcess<Stored>([&] { return StoredByInih(path.c_str()); });

        // Best of several rounds, the readers taking turns against drifting machine noise.
        double seconds[2] = {1e30, 1e30};
        for (int round = 0; round < (file.big ? 5 : 7); ++round) {
            for (int r = 0; r < 2; ++r) {
                seconds[r] = std::min(seconds[r], TimeOneRound(kReaders[r], path, file.big));
            }
        }
        const double ours_mbs = bytes / seconds[0] / 1e6;
        const double inih_mbs = bytes / seconds[1] / 1e6;
        const Row& peak = peaks[f];
        std::printf("%-15s %10.0f %10.1f %10.1f %6.2fx %8.1f MiB %8.1f MiB %5.2fx %11zu %11zu\n",
                    file.name, bytes, ours_mbs, inih_mbs, ours_mbs / inih_mbs,
                    static_cast<double>(peak.ours_kib) / 1024.0,
                    static_cast<double>(peak.inih_kib) / 1024.0,
                    static_cast<double>(peak.ours_kib) / static_cast<double>(peak.inih_kib),
                    ours.bytes, inih.bytes);
        std::fflush(stdout);
    }
    return 0;
}

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

// One parse, the only work of the process, for /usr/bin/time -v.
int ParseOnce(std::string_view reader_name, const char* path) {
    const Reader* reader = FindReader(reader_name);
    if (reader == nullptr) {
        return 2;
    }
    std::printf("%s: %zu sections\n", reader->name, reader->parse(path));
    return 0;
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

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "parse") {
        return ParseOnce(args[1], argv[3]);
    }
    if (args.size() == 3 && args[0] == "count") {
        return CountOneParse(args[1], argv[3]);
    }
    if (args.size() == 2 && args[0] == "generate") {
        return GenerateFiles(argv[2]) ? 0 : 1;
    }
    if (args.size() <= 1 && (args.empty() || args[0][0] != '-')) {
        return RunAll(argv[0], args.empty() ? std::string() : std::string(args[0]));
    }
    std::fputs(
        "usage: vessa_ini_bench [DIR]\n"
        "       vessa_ini_bench generate DIR\n"
        "       vessa_ini_bench parse ours|inih FILE\n"
        "       vessa_ini_bench count ours|inih FILE\n",
        stderr);
    return 2;
}
