#include "tools/vessa_config/ini_reads.h"

#include <algorithm>
#include <cstring>

void IniReads::Refill() {
    blockPos_ = 0;
    blockEnd_ = ended_ ? 0 : std::fread(block_, 1, sizeof block_, file_);
    if (blockEnd_ == 0) {
        ended_ = true;
    }
}

int IniReads::Peek() {
    if (blockPos_ == blockEnd_) {
        Refill();
        if (blockEnd_ == 0) {
            return -1;
        }
    }
    const auto byte = static_cast<unsigned char>(block_[blockPos_]);
    if (byte == 0x1A && mode_.ctrlZEndsFile) {
        // Nothing is read past it, so the line it stands on is the last one counted.
        stoppedAtCtrlZ_ = true;
        ended_ = true;
        blockPos_ = blockEnd_ = 0;
        return -1;
    }
    return byte;
}

bool IniReads::Next(IniRead& read) {
    while (Peek() != -1) {
        // One fgets: up to and including the first LF, at most 1,023 delivered bytes.
        read = IniRead{};
        read.line = line_;
        read.continued = splitLine_;
        std::size_t length = 0;
        bool endedLine = false;  // the last byte delivered ended an editor's line
        bool sawLf = false;
        while (length < kIniMaxRead && !sawLf && Peek() != -1) {
            const char byte = block_[blockPos_++];
            endedLine = false;
            if (byte == '\x1A' && ctrlZLine_ == 0) {
                ctrlZLine_ = line_;
            } else if (byte == '\r') {
                const bool lfNext = Peek() == '\n';
                if (lfNext && mode_.crLfAsLf) {
                    continue;  // the LF that follows arrives alone
                }
                if (!lfNext) {  // a CR alone ends an editor's line
                    ++line_;
                    endedLine = true;
                }
            } else if (byte == '\n') {
                ++line_;
                endedLine = true;
                sawLf = true;
            }
            delivered_[length++] = byte;
        }
        read.lastLine = endedLine ? line_ - 1 : line_;
        read.delivered = std::string_view(delivered_, length);
        splitLine_ = !sawLf && length == kIniMaxRead;

        // A NUL ends the read for the reader (strnlen); a read that begins with one is skipped.
        length =
            static_cast<std::size_t>(std::find(delivered_, delivered_ + length, '\0') - delivered_);
        if (length == 0) {
            continue;
        }

        // The scan and the classification are the reader's own, on a copy of the read.
        std::memcpy(processed_, delivered_, length);
        processed_[length] = '\0';
        const IniLine parsed = ParseIniRead(processed_, length);
        read.kind = parsed.kind;
        read.name = parsed.name;
        read.key = parsed.key;
        read.value = parsed.value;
        read.hasEquals = parsed.hasEquals;
        return true;
    }
    return false;
}
