// The simulated game: the game's fixed points mapped at their real addresses in a 32-bit
// Linux process, so the plug-in's real routines run against them.
//
//   - code pages around the loaders, the two patch sites and their continuations, filled
//     with INT3 so that running into game code we did not provide traps loudly;
//   - HostLoadTextures / HostLoadModel stand-ins that log each call and return a distinct
//     handle (or one a test queued);
//   - a jiggle set-up block at its site that counts its runs and falls through to the
//     continuation, as the game's block would;
//   - landing pads at both continuations that capture every register, flag and ESP;
//   - the costume selector bytes, a character record and a game stack.
//
// Only one Game may exist at a time: it owns fixed addresses and the signal handlers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/game.h"

namespace sim {

// Register file as the plug-in's routines see it. eip: where to enter, or where control
// arrived. Layout shared with cpu.asm.
struct Cpu {
    std::uint32_t eax, ebx, ecx, edx, esi, edi, ebp, esp, eflags, eip;
};

enum class Loader : std::uint32_t { Textures = 0, Model = 1 };

// One call of a game loader, with the record's handle fields as they stood at the call.
struct LoadCall {
    Loader loader;
    std::string name;
    std::uint32_t handle;  // what the loader returned
    std::uint32_t ebp;     // EBP at the call: the game's routines rely on it being the record
    std::uint8_t altCostumeFlag;
    std::uint32_t textureHandle;
    std::uint32_t effectHandle;
    std::uint32_t modelHandle;
};

struct RunResult {
    bool landed = false;         // reached a landing pad at a continuation
    Cpu exit{};                  // registers at the pad; exit.eip = the continuation
    int signal = 0;              // otherwise: the signal that stopped the game code
    std::uint32_t faultEip = 0;  // and where (for INT3, one past the trap byte)
};

// Arithmetic flags plus the direction flag: the flags a routine could disturb.
inline constexpr std::uint32_t kFlagMask = 0x0CD5;  // CF PF AF ZF SF DF OF

class Game {
  public:
    static constexpr std::uint32_t kRecordSize = 0x400;
    static constexpr std::uint32_t kCallerFrameBytes = 256;

    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- game data
    void SetCostumeSelector(std::uint32_t slot, std::uint8_t value);
    host::Address RecordAddress() const;
    std::vector<std::uint8_t> RecordBytes() const;
    void FillRecord(std::uint8_t value);
    std::uint8_t RecordByte(host::Field field) const;
    std::uint32_t RecordWord(host::Field field) const;
    void SetRecordByte(host::Field field, std::uint8_t value);
    void SetRecordWord(host::Field field, std::uint32_t value);

    // --- the game's loaders
    void SetLoaderClobbers(bool clobber);
    void QueueHandle(std::uint32_t handle);  // returned by the next loader call
    const std::vector<LoadCall>& Loads() const;

    // --- the game's jiggle set-up block
    unsigned JiggleBlockRuns() const;

    // --- running game code
    // Distinct canaries in every general register, EBP = the record, ESP = the game stack
    // with a caller frame of canaries above it, a mixed flag pattern.
    Cpu EntryState() const;
    // Enters game code at `entry` and returns at a landing pad or a trap.
    RunResult Run(host::Address entry, const Cpu& cpu);
    // Whether the caller frame above the entry ESP still holds its canaries.
    bool CallerFrameIntact() const;

    // --- inspection
    std::vector<std::uint8_t> CodeBytes(host::Address address, std::size_t count) const;

    // Called from the loader stand-ins (through cpu.asm): logs and picks the handle.
    std::uint32_t LogLoad(Loader loader, const char* name, std::uint32_t ebp);

  private:
    struct Region {
        host::Address start;
        std::uint32_t size;
    };
    void MapAt(host::Address start, std::uint32_t size);
    void WriteCode(host::Address address, const std::uint8_t* bytes, std::size_t count);
    void JumpFrom(host::Address address, host::Address target);
    void BuildJiggleBlock();

    std::vector<Region> regions_;
    std::uint8_t* record_ = nullptr;
    std::uint8_t* stack_ = nullptr;
    std::vector<LoadCall> loads_;
    std::vector<std::uint32_t> queuedHandles_;
    std::uint32_t handleSequence_ = 0;
};

}  // namespace sim
