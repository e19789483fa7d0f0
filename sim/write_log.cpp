#include "sim/write_log.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace sim {
namespace {

std::array<WriteRecord, kWriteLogCapacity> g_log;
std::size_t g_logged = 0;
std::size_t g_dropped = 0;
unsigned g_currentProcessCalls = 0;

}  // namespace

std::vector<std::uint8_t> WriteRecord::Bytes() const {
    return {kept, kept + std::min(count, kKeptBytes)};
}

std::span<const WriteRecord> WriteLog() {
    return {g_log.data(), g_logged};
}

std::size_t DroppedWrites() {
    return g_dropped;
}

void ClearWriteLog() {
    g_logged = 0;
    g_dropped = 0;
}

unsigned CurrentProcessCalls() {
    return g_currentProcessCalls;
}

void LogWrite(host::Address address, const void* bytes, std::size_t count, bool written) {
    if (g_logged == g_log.size()) {
        ++g_dropped;
        return;
    }
    WriteRecord& record = g_log[g_logged++];
    record.address = address;
    record.count = count;
    if (count != 0) {
        std::memcpy(record.kept, bytes, std::min(count, WriteRecord::kKeptBytes));
    }
    record.written = written;
}

void CountCurrentProcessCall() {
    ++g_currentProcessCalls;
}

}  // namespace sim
