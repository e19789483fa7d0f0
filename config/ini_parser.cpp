// IniDocument::Load: the line parser. The file is read line by line with fgets into one
// 1,024-byte buffer; every read is a line of its own. Each line is scanned once into a
// processed line (comments cut off, escapes resolved) and then classified as a section
// header, a key line or nothing. No input is an error: every read becomes a header, a pair
// or nothing, and no whitespace is trimmed anywhere.
#include <string.h>  // strnlen is POSIX and Windows CRT, not ISO C, so <cstring> need not declare it.
#include <array>
#include <cstring>

#include "config/ini_document.h"

namespace {

// One read holds at most 1,023 bytes plus fgets' terminating NUL, so no name, key or value
// can exceed 1,023 bytes.
constexpr std::size_t kReadBufferSize = 1024;

constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

// What a byte means to the scan when it stands unescaped. "[" is absent on purpose: it only
// counts at index 0, which the scan tests before walking.
enum class ByteRole : unsigned char {
    kPlain,   // copied unchanged
    kEnd,     // LF, CR or ";": ends the scan, dropping the rest of the read
    kEscape,  // "\": takes the next byte with it
    kEquals,  // "=": the first one splits key from value
    kClose,   // "]": the last one closes a header
};

constexpr std::array<ByteRole, 256> MakeByteRoles() {
    std::array<ByteRole, 256> roles{};
    roles['\n'] = ByteRole::kEnd;
    roles['\r'] = ByteRole::kEnd;
    roles[';'] = ByteRole::kEnd;
    roles['\\'] = ByteRole::kEscape;
    roles['='] = ByteRole::kEquals;
    roles[']'] = ByteRole::kClose;
    return roles;
}

constexpr std::array<ByteRole, 256> kByteRoles = MakeByteRoles();

ByteRole RoleOf(char byte) {
    return kByteRoles[static_cast<unsigned char>(byte)];
}

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

// Scans the read line[0, length) into processed, which must be empty and reserved to length:
// the processed line is never longer than the read, so appending never reallocates.
ScannedLine ScanLine(const char* line, std::size_t length, std::string& processed) {
    ScannedLine scanned;
    scanned.header = line[0] == '[';
    std::size_t i = 0;
    while (i < length) {
        // Plain bytes are the bulk of every line: copy each run of them in one append.
        std::size_t run_end = i;
        while (run_end < length && RoleOf(line[run_end]) == ByteRole::kPlain) {
            ++run_end;
        }
        processed.append(line + i, run_end - i);
        if (run_end == length) {
            break;
        }
        i = run_end;
        switch (RoleOf(line[i])) {
            case ByteRole::kEnd:
                return scanned;
            case ByteRole::kEscape:
                if (i + 1 == length) {
                    processed.push_back('\\');  // Nothing left to escape: the backslash stays.
                    return scanned;
                }
                processed.push_back(Unescape(line[i + 1]));
                i += 2;
                continue;
            case ByteRole::kEquals:
                if (scanned.equals == kNoPosition) {
                    scanned.equals = processed.size();
                }
                processed.push_back('=');
                break;
            case ByteRole::kClose:
                scanned.close = processed.size();
                processed.push_back(']');
                break;
            case ByteRole::kPlain:
                break;  // Unreachable: the run above stopped at a special byte.
        }
        ++i;
    }
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
        processed.reserve(length);
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
