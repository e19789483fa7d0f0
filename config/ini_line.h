// One read of an INI file as the reader takes it: fgets delivers at most 1,023 bytes into a
// 1,024-byte buffer, and each read is scanned (comment cut off, escapes resolved) and
// classified on its own as a section header, a key line or nothing. The document's Load
// builds on this, and so does vessa-config when it retraces which line set what.
#pragma once

#include <cstddef>
#include <string_view>

// The longest read: fgets delivers at most 1,023 bytes, so no name, key or value exceeds
// 1,023 bytes and a longer line arrives as several reads, each a line of its own.
inline constexpr std::size_t kIniMaxRead = 1023;
// The read buffer: one read plus fgets' terminating NUL.
inline constexpr std::size_t kIniReadBufferSize = kIniMaxRead + 1;

struct IniLine {
    enum class Kind { kNothing, kHeader, kPair };

    Kind kind = Kind::kNothing;
    std::string_view name;   // kHeader: the section name
    std::string_view key;    // kPair
    std::string_view value;  // kPair: empty when no "=" split the line
    bool hasEquals = false;  // kPair: an unescaped "=" split key from value
};

// Scans read[0, length) in place and classifies it. read[length] must be NUL, as it is
// after fgets and strnlen. The views point into read, which the scan overwrites with the
// processed line.
IniLine ParseIniRead(char* read, std::size_t length);
