// What the simulated process lets tests and vessa-sim observe of the plug-in's writes into
// the game: how often the process handle was asked for, and every write, in order.
//
// The log's storage is taken once, before main, so that recording a write allocates
// nothing: a test that makes the plug-in's own allocations fail sees only the plug-in's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "host/game.h"

namespace sim {

struct WriteRecord {
    // The plug-in writes 5-byte jump records; longer writes keep their first bytes here and
    // their full length in `count`.
    static constexpr std::size_t kKeptBytes = 16;

    host::Address address = 0;
    std::size_t count = 0;
    std::uint8_t kept[kKeptBytes] = {};
    bool written = false;  // false when the address was not mapped, as WriteProcessMemory fails

    // The bytes written (up to kKeptBytes of them), as a vector to compare with.
    std::vector<std::uint8_t> Bytes() const;
};

// Every write since the program started or the last ClearWriteLog. The log holds 256 writes
// (Init makes two); a program that fills it stops with a message rather than lose one.
std::span<const WriteRecord> WriteLog();
void ClearWriteLog();

// Number of times the plug-in asked for the process handle since the program started.
unsigned CurrentProcessCalls();

// Called by the simulated process's platform layer for each call it serves.
void LogWrite(host::Address address, const void* bytes, std::size_t count, bool written);
void CountCurrentProcessCall();

}  // namespace sim
