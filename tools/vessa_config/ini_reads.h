// The plug-in's reader retraced read by read over a file's bytes, with the line an editor
// shows each read on, so that vessa-config can say which line set what. The document itself
// always comes from the reader (config/); this retracing only places its reads in the file:
// fgets reads of at most 1,023 bytes, a NUL ending a read early, each read scanned and
// classified by the reader's own ParseIniRead.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "config/ini_line.h"

// What the C runtime does to a file opened with fopen(path, "r") before the reader sees it.
struct TextMode {
    bool crLfAsLf = false;       // CR LF arrives as LF
    bool ctrlZEndsFile = false;  // a Ctrl-Z byte (1A hex) is the end of the file
};
inline constexpr TextMode kPlainTextMode{false, false};  // POSIX: bytes as they are
inline constexpr TextMode kWindowsTextMode{true, true};  // msvcrt's text mode
#ifdef _WIN32
inline constexpr TextMode kPlatformTextMode = kWindowsTextMode;
#else
inline constexpr TextMode kPlatformTextMode = kPlainTextMode;
#endif

// One read of the reader that is not skipped (a read starting with NUL is).
struct IniRead {
    using Kind = IniLine::Kind;

    // Physical lines as an editor counts them, from 1: LF, CR LF and a CR alone each end a
    // line. `line` holds the read's first byte, `lastLine` its last byte; they differ when
    // a CR alone stands inside the read.
    std::size_t line = 0;
    std::size_t lastLine = 0;
    bool continued = false;      // the previous read stopped at 1,023 bytes inside this line
    std::string_view delivered;  // the read's bytes as fgets delivers them

    Kind kind = Kind::kNothing;
    std::string_view name;   // kHeader: the section name
    std::string_view key;    // kPair
    std::string_view value;  // kPair
    bool hasEquals = false;  // kPair: an unescaped "=" split key from value
};

// Walks the reads of a file, given as a stream opened in binary mode ("rb"), in order; the
// stream is read once, front to back, a block at a time.
class IniReads {
  public:
    IniReads(std::FILE* binary, TextMode mode) : file_(binary), mode_(mode) {}
    IniReads(const IniReads&) = delete;
    IniReads& operator=(const IniReads&) = delete;

    // Fills `read` with the next read that is not skipped; false at the end of the stream.
    // The views in `read` stay valid until the next call.
    bool Next(IniRead& read);

    // The line of the first Ctrl-Z byte (1A hex) read so far, 0 if none. In Windows text
    // mode the stream ends there.
    std::size_t CtrlZLine() const { return stoppedAtCtrlZ_ ? line_ : ctrlZLine_; }

  private:
    int Peek();  // the next byte (0..255), or -1 at the end of the stream
    void Refill();

    std::FILE* file_;
    TextMode mode_;
    char block_[65536];
    std::size_t blockPos_ = 0;
    std::size_t blockEnd_ = 0;
    bool ended_ = false;  // end of file, a read error, or a Ctrl-Z in Windows text mode
    bool stoppedAtCtrlZ_ = false;
    std::size_t line_ = 1;
    std::size_t ctrlZLine_ = 0;
    bool splitLine_ = false;       // the last read stopped at 1,023 bytes, not at a line feed
    char delivered_[kIniMaxRead];  // one read as fgets delivers it
    char processed_[kIniReadBufferSize];  // the read after the scan, NUL-terminated
};
