// IniDocument::Load: the line parser. The file is read line by line with fgets into one
// 1,024-byte buffer; every read is a line of its own. Each line is scanned once into a
// processed line (comments cut off, escapes resolved) and then classified as a section
// header, a key line or nothing. No input is an error: every read becomes a header, a pair
// or nothing, and no whitespace is trimmed anywhere.
#include <string.h>  // strnlen is POSIX and Windows CRT, not ISO C, so <cstring> need not declare it.
#include <cstring>

#include "config/ini_document.h"
#include "config/ini_line.h"

namespace {

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

// What the scan found: the processed line's length and the positions it recorded, as indices
// into the processed line (after escapes).
struct ScannedLine {
    std::size_t size = 0;              // bytes of the processed line
    std::size_t equals = kNoPosition;  // first unescaped "="
    std::size_t close = kNoPosition;   // last unescaped "]"
};

// Scans the read line[0, length) into the processed line, in place: resolving an escape only
// ever shortens the line, so the processed bytes are written over the read ones, from the
// start of the buffer, and no second buffer is needed. line[length] must be NUL, as it is
// after fgets and strnlen: the runs of plain bytes are found with strcspn, which stops there
// at the latest.
ScannedLine ScanLine(char* line, std::size_t length) {
    ScannedLine scanned;
    char* out = line;
    std::size_t i = 0;
    while (true) {
        // Plain bytes are the bulk of every line: take each run of them in one go. Until the
        // first escape the run is already where it belongs.
        const std::size_t run = std::strcspn(line + i, kSpecialBytes);
        if (out != line + i) {
            std::memmove(out, line + i, run);
        }
        out += run;
        i += run;
        if (i >= length) {
            break;
        }
        const char byte = line[i];
        if (byte == '\n' || byte == '\r' || byte == ';') {
            break;  // line end or comment: the rest of the read is dropped
        }
        const auto position = static_cast<std::size_t>(out - line);
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
    scanned.size = static_cast<std::size_t>(out - line);
    return scanned;
}

}  // namespace

IniLine ParseIniRead(char* read, std::size_t length) {
    IniLine line;
    const bool header = read[0] == '[';
    const ScannedLine scanned = ScanLine(read, length);
    const std::string_view text(read, scanned.size);
    if (header && scanned.close != kNoPosition) {
        // The name lies between the leading "[" and the last unescaped "]"; whatever follows
        // that "]" is ignored. "[]" names the implicit section.
        line.kind = IniLine::Kind::kHeader;
        line.name = text.substr(1, scanned.close - 1);
    } else if (!text.empty()) {
        line.kind = IniLine::Kind::kPair;
        line.hasEquals = scanned.equals != kNoPosition;
        line.key = line.hasEquals ? text.substr(0, scanned.equals) : text;
        line.value = line.hasEquals ? text.substr(scanned.equals + 1) : std::string_view();
    }
    // Otherwise a blank line, a comment, or a read that begins with CR: nothing to store.
    return line;
}

void IniDocument::Load(std::FILE* stream) {
    Clear();
    // The rewind's result is not examined: a stream that cannot seek is read from where it is.
    static_cast<void>(std::fseek(stream, 0, SEEK_SET));
    IniSection* current = &FindOrAddSection(std::string_view());

    char buffer[kIniReadBufferSize];
    while (!std::feof(stream)) {
        // A failed read (end of file before any byte, or a read error) ends the run; what was
        // stored so far stays.
        if (std::fgets(buffer, static_cast<int>(kIniReadBufferSize), stream) == nullptr) {
            break;
        }
        // A read that begins with NUL has length 0, and one that begins with LF, CR or ";"
        // scans to an empty processed line: either way it stores nothing. Comment and blank
        // lines are most of a large commented file, so they cost no more than their read.
        const char first = buffer[0];
        if (first == ';' || first == '\n' || first == '\r' || first == '\0') {
            continue;
        }
        // A NUL byte ends the line early.
        const IniLine line = ParseIniRead(buffer, strnlen(buffer, kIniReadBufferSize));
        if (line.kind == IniLine::Kind::kHeader) {
            current = &FindOrAddSection(line.name);
        } else if (line.kind == IniLine::Kind::kPair) {
            current->SetValue(line.key, line.value);
        }
    }
}
