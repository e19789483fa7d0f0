// IniDocument::Load: the line parser. The file is read line by line with fgets into one
// 1,024-byte buffer; every read is a line of its own. Each line is scanned once into a
// processed line (comments cut off, escapes resolved) and then classified as a section
// header, a key line or nothing. No input is an error: every read becomes a header, a pair
// or nothing, and no whitespace is trimmed anywhere.
#include <string.h>  // strnlen is POSIX and Windows CRT, not ISO C, so <cstring> need not declare it.
#include <cstring>

#include "config/ini_document.h"

namespace {

// One read holds at most 1,023 bytes plus fgets' terminating NUL, so no name, key or value
// can exceed 1,023 bytes.
constexpr std::size_t kReadBufferSize = 1024;

constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

// The bytes that mean something to the scan when they stand unescaped: LF, CR and ";" end
// it, "\" escapes the next byte, the first "=" splits key from value, the last "]" closes a
// header. "[" is not among them: it only counts at index 0, tested before the walk. Every
// other byte is copied unchanged.
constexpr char kSpecialBytes[] = "\n\r;\\=]";

// The byte an escape "\" + escaped stands for: "\n" and "\r" give LF and CR, every other
// byte stands for itself and loses its special meaning.
char Unescape(char escaped) {
    switch (escaped) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        default:
            return escaped;
    }
}

// Positions the scan records, as indices into the processed line (after escapes).
struct ScannedLine {
    bool header = false;               // the read's first byte is "["
    std::size_t equals = kNoPosition;  // first unescaped "="
    std::size_t close = kNoPosition;   // last unescaped "]"
};

// Scans the read line[0, length) into processed. line[length] must be NUL, as it is after
// fgets and strnlen: the runs of plain bytes are found with strcspn, which stops there at the
// latest. The processed line is never longer than the read, so processed is sized to length
// up front and filled through a pointer, then cut to the bytes written.
ScannedLine ScanLine(const char* line, std::size_t length, std::string& processed) {
    ScannedLine scanned;
    scanned.header = line[0] == '[';
    processed.resize(length);
    char* const begin = processed.data();
    char* out = begin;
    std::size_t i = 0;
    while (true) {
        // Plain bytes are the bulk of every line: copy each run of them in one go.
        const std::size_t run = std::strcspn(line + i, kSpecialBytes);
        std::memcpy(out, line + i, run);
        out += run;
        i += run;
        if (i >= length) {
            break;
        }
        const char byte = line[i];
        if (byte == '\n' || byte == '\r' || byte == ';') {
            break;  // line end or comment: the rest of the read is dropped
        }
        const auto position = static_cast<std::size_t>(out - begin);
        if (byte == '\\') {
            if (i + 1 == length) {
                *out++ = '\\';  // Nothing left to escape: the backslash stays.
                break;
            }
            *out++ = Unescape(line[i + 1]);
            i += 2;
            continue;
        }
        if (byte == '=') {
            if (scanned.equals == kNoPosition) {
                scanned.equals = position;
            }
        } else {  // "]"
            scanned.close = position;
        }
        *out++ = byte;
        ++i;
    }
    processed.resize(static_cast<std::size_t>(out - begin));
    return scanned;
}

}  // namespace

void IniDocument::Load(std::FILE* stream) {
    Clear();
    // The rewind's result is not examined: a stream that cannot seek is read from where it is.
    static_cast<void>(std::fseek(stream, 0, SEEK_SET));
    IniSection* current = &FindOrAddSection(std::string_view());

    char buffer[kReadBufferSize];
    // One string serves every line. reserve() never shrinks it, so once it has grown to the
    // longest line, building a processed line allocates nothing at all.
    std::string processed;
    while (!std::feof(stream)) {
        // A failed read (end of file before any byte, or a read error) ends the run; what was
        // stored so far stays.
        if (std::fgets(buffer, static_cast<int>(kReadBufferSize), stream) == nullptr) {
            break;
        }
        // A NUL byte ends the line early; a read that begins with one is skipped.
        const std::size_t length = strnlen(buffer, kReadBufferSize);
        if (length == 0) {
            continue;
        }
        processed.clear();
        processed.reserve(length);  // the scan never needs more: building never reallocates
        const ScannedLine scanned = ScanLine(buffer, length, processed);
        const std::string_view text(processed);

        if (scanned.header && scanned.close != kNoPosition) {
            // The name lies between the leading "[" and the last unescaped "]"; whatever
            // follows that "]" is ignored. "[]" names the implicit section.
            current = &FindOrAddSection(text.substr(1, scanned.close - 1));
        } else if (text.empty()) {
            // Blank line, comment, or a read that begins with CR: nothing to store.
        } else if (scanned.equals == kNoPosition) {
            current->SetValue(text, std::string_view());
        } else {
            current->SetValue(text.substr(0, scanned.equals), text.substr(scanned.equals + 1));
        }
    }
}
