#include "sim/write_log.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sim {
namespace {

std::array<WriteRecord, 256> g_log;
std::size_t g_logged = 0;
unsigned g_currentProcessCalls = 0;

}  // namespace

std::vector<std::uint8_t> WriteRecord::Bytes() const {
    return {kept, kept + std::min(count, kKeptBytes)};
}

std::span<const WriteRecord> WriteLog() {
    return {g_log.data(), g_logged};
}

void ClearWriteLog() {
    g_logged = 0;
}

unsigned CurrentProcessCalls() {
    return g_currentProcessCalls;
}

void LogWrite(host::Address address, const void* bytes, std::size_t count, bool written) {
    if (g_logged == g_log.size()) {
        std::fprintf(stderr,
                     "simulated process: the write log is full (%zu writes); clear it "
                     "between runs\n",
                     g_log.size());
        std::abort();
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
