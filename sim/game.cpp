#include "sim/game.h"

#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <ucontext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "patch/jump_record.h"

// The machine-level side in cpu.asm.
extern "C" {
sim::Cpu SimEntryState;
sim::Cpu SimExitState;
std::uint8_t SimLoaderClobbers;
std::uint32_t SimJiggleBlockRuns;  // incremented by the simulated jiggle block itself

void SimEnter();
void SimLandAtCostumeContinue();
void SimLandAtJiggleContinue();
void SimHostLoadTextures();
void SimHostLoadModel();
std::uint32_t SimLogLoad(std::uint32_t loader, const char* name, std::uint32_t ebp);
}

static_assert(sizeof(sim::Cpu) == 40, "cpu.asm expects ten dwords");

namespace sim {
namespace {

constexpr std::uint8_t kTrap = 0xCC;  // INT3
constexpr std::uint32_t kPage = 0x1000;
constexpr std::uint32_t kStackBytes = 64 * 1024;
constexpr std::uint8_t kStackCanary = 0x5C;
constexpr std::size_t kMaxNameBytes = 256;

Game* g_game = nullptr;
sigjmp_buf g_trapReturn;
volatile sig_atomic_t g_trapSignal = 0;
volatile std::uint32_t g_trapEip = 0;
constexpr int kTrapSignals[] = {SIGTRAP, SIGILL, SIGSEGV, SIGBUS, SIGFPE};

host::Address AddressOf(const void* p) {
    return static_cast<host::Address>(reinterpret_cast<std::uintptr_t>(p));
}
host::Address AddressOf(void (*f)()) {
    return static_cast<host::Address>(reinterpret_cast<std::uintptr_t>(f));
}
std::uint8_t* Pointer(host::Address a) {
    return reinterpret_cast<std::uint8_t*>(std::uintptr_t{a});
}

[[noreturn]] void Fail(const char* what, host::Address address) {
    std::fprintf(stderr, "simulated game: %s at %08X\n", what, address);
    std::abort();
}

void OnTrap(int signal, siginfo_t* /*info*/, void* context) {
    const auto* uc = static_cast<const ucontext_t*>(context);
    g_trapSignal = signal;
    g_trapEip = static_cast<std::uint32_t>(uc->uc_mcontext.gregs[REG_EIP]);
    siglongjmp(g_trapReturn, 1);
}

// Signal handlers and an alternate stack for the duration of one run of game code: a
// routine that wrecks ESP must still be reported, not take the test process down.
class TrapGuard {
  public:
    TrapGuard() {
        stack_.ss_sp = altStack_;
        stack_.ss_size = sizeof altStack_;
        stack_.ss_flags = 0;
        sigaltstack(&stack_, &oldStack_);
        struct sigaction action {};
        action.sa_sigaction = OnTrap;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kTrapSignals); ++i) {
            sigaction(kTrapSignals[i], &action, &old_[i]);
        }
    }
    ~TrapGuard() {
        for (std::size_t i = 0; i < std::size(kTrapSignals); ++i) {
            sigaction(kTrapSignals[i], &old_[i], nullptr);
        }
        sigaltstack(&oldStack_, nullptr);
    }
    TrapGuard(const TrapGuard&) = delete;
    TrapGuard& operator=(const TrapGuard&) = delete;

  private:
    alignas(16) char altStack_[64 * 1024];
    stack_t stack_{};
    stack_t oldStack_{};
    struct sigaction old_[std::size(kTrapSignals)]{};
};

}  // namespace

Game::Game() {
    if (g_game != nullptr) {
        Fail("a second simulated game", 0);
    }
    g_game = this;
    SimLoaderClobbers = 1;
    SimJiggleBlockRuns = 0;

    // Game code: every byte traps unless we put something there on purpose.
    MapAt(host::kHostLoadTextures & ~(kPage - 1), kPage);
    MapAt(host::kHostLoadModel & ~(kPage - 1), kPage);
    MapAt(host::kCostumeLoadSite & ~(kPage - 1), kPage);
    static_assert(
        (host::kCostumeLoadSite & ~(kPage - 1)) == (host::kJiggleSetupContinue & ~(kPage - 1)),
        "both patch sites and their continuations share one code page");
    JumpFrom(host::kHostLoadTextures, AddressOf(&SimHostLoadTextures));
    JumpFrom(host::kHostLoadModel, AddressOf(&SimHostLoadModel));
    JumpFrom(host::kCostumeLoadContinue, AddressOf(&SimLandAtCostumeContinue));
    JumpFrom(host::kJiggleSetupContinue, AddressOf(&SimLandAtJiggleContinue));
    BuildJiggleBlock();

    // Game data: the page holding the gate address and the costume selector bytes.
    MapAt(host::kCostumeGate & ~(kPage - 1), 2 * kPage);
    std::memset(Pointer(host::kCostumeGate & ~(kPage - 1)), 0, 2 * kPage);

    // The character record and the game's stack live wherever mmap puts them.
    void* record = mmap(nullptr, kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    void* stack =
        mmap(nullptr, kStackBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (record == MAP_FAILED || stack == MAP_FAILED) {
        Fail("cannot map the record and stack", 0);
    }
    record_ = static_cast<std::uint8_t*>(record);
    stack_ = static_cast<std::uint8_t*>(stack);
    std::memset(stack_ + kStackBytes - kCallerFrameBytes, kStackCanary, kCallerFrameBytes);
}

Game::~Game() {
    for (const Region& r : regions_) {
        munmap(Pointer(r.start), r.size);
    }
    munmap(record_, kPage);
    munmap(stack_, kStackBytes);
    g_game = nullptr;
}

void Game::MapAt(host::Address start, std::uint32_t size) {
    // A hint without MAP_FIXED: never replace a mapping of our own process by accident.
    void* p = mmap(Pointer(start), size, PROT_READ | PROT_WRITE | PROT_EXEC,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p != Pointer(start)) {
        Fail("cannot map game memory", start);
    }
    std::memset(p, kTrap, size);
    regions_.push_back({start, size});
}

void Game::WriteCode(host::Address address, const std::uint8_t* bytes, std::size_t count) {
    std::memcpy(Pointer(address), bytes, count);
}

void Game::JumpFrom(host::Address address, host::Address target) {
    const patch::JumpRecord jump = patch::MakeJumpRecord(address, target);
    WriteCode(address, jump.data(), jump.size());
}

void Game::BuildJiggleBlock() {
    // inc dword [SimJiggleBlockRuns]; movsx ebx, byte [ebp + 0]; jmp JiggleSetupContinue.
    // The block's visible result for the code after it is EBX, which the bypass stub
    // must reproduce; the rest of the 127 bytes stays INT3.
    const host::Address counter = AddressOf(&SimJiggleBlockRuns);
    const std::uint8_t block[] = {0xFF,
                                  0x05,
                                  static_cast<std::uint8_t>(counter),
                                  static_cast<std::uint8_t>(counter >> 8),
                                  static_cast<std::uint8_t>(counter >> 16),
                                  static_cast<std::uint8_t>(counter >> 24),
                                  0x0F,
                                  0xBE,
                                  0x5D,
                                  static_cast<std::uint8_t>(host::record::kFirstByte.offset)};
    WriteCode(host::kJiggleSetupSite, block, sizeof block);
    JumpFrom(host::kJiggleSetupSite + sizeof block, host::kJiggleSetupContinue);
}

void Game::SetCostumeSelector(std::uint32_t slot, std::uint8_t value) {
    Pointer(host::kCostumeSelector)[slot] = value;
}

host::Address Game::RecordAddress() const {
    return AddressOf(record_);
}

std::vector<std::uint8_t> Game::RecordBytes() const {
    return {record_, record_ + kRecordSize};
}

void Game::FillRecord(std::uint8_t value) {
    std::memset(record_, value, kRecordSize);
}

namespace {

// A field is read and written at its own width only: a byte field read as a word would take
// in its neighbours, and the routines' offsets come from the same table.
void RequireWidth(host::Field field, std::uint32_t width) {
    if (field.width != width || field.offset + width > Game::kRecordSize) {
        std::fprintf(stderr,
                     "simulated game: record field +%03X of width %u accessed as %u bytes\n",
                     field.offset, field.width, width);
        std::abort();
    }
}

}  // namespace

std::uint8_t Game::RecordByte(host::Field field) const {
    RequireWidth(field, 1);
    return record_[field.offset];
}

std::uint32_t Game::RecordWord(host::Field field) const {
    RequireWidth(field, 4);
    std::uint32_t value;
    std::memcpy(&value, record_ + field.offset, sizeof value);
    return value;
}

void Game::SetRecordByte(host::Field field, std::uint8_t value) {
    RequireWidth(field, 1);
    record_[field.offset] = value;
}

void Game::SetRecordWord(host::Field field, std::uint32_t value) {
    RequireWidth(field, 4);
    std::memcpy(record_ + field.offset, &value, sizeof value);
}

void Game::SetLoaderClobbers(bool clobber) {
    SimLoaderClobbers = clobber ? 1 : 0;
}

void Game::QueueHandle(std::uint32_t handle) {
    queuedHandles_.push_back(handle);
}

const std::vector<LoadCall>& Game::Loads() const {
    return loads_;
}

unsigned Game::JiggleBlockRuns() const {
    return SimJiggleBlockRuns;
}

Cpu Game::EntryState() const {
    Cpu cpu{};
    cpu.eax = 0xCA11E0A0;
    cpu.ebx = 0xCA11E0B0;
    cpu.ecx = 0xCA11E0C0;
    cpu.edx = 0xCA11E0D0;
    cpu.esi = 0xCA11E051;
    cpu.edi = 0xCA11E0D1;
    cpu.ebp = RecordAddress();
    cpu.esp = AddressOf(stack_ + kStackBytes - kCallerFrameBytes);
    cpu.eflags = 0x0202 | 0x0001 | 0x0040 | 0x0800;  // CF ZF OF set, IF and bit 1 as always
    return cpu;
}

bool Game::CallerFrameIntact() const {
    for (std::uint32_t i = 0; i < kCallerFrameBytes; ++i) {
        if (stack_[kStackBytes - kCallerFrameBytes + i] != kStackCanary) {
            return false;
        }
    }
    return true;
}

RunResult Game::Run(host::Address entry, const Cpu& cpu) {
    SimEntryState = cpu;
    SimEntryState.eip = entry;
    std::memset(&SimExitState, 0xEE, sizeof SimExitState);  // poison: nothing captured yet

    RunResult result;
    TrapGuard guard;
    if (sigsetjmp(g_trapReturn, 1) == 0) {
        SimEnter();
        result.landed = true;
        result.exit = SimExitState;
    } else {
        result.signal = g_trapSignal;
        result.faultEip = g_trapEip;
    }
    return result;
}

std::vector<std::uint8_t> Game::CodeBytes(host::Address address, std::size_t count) const {
    const std::uint8_t* p = Pointer(address);
    return {p, p + count};
}

std::uint32_t Game::LogLoad(Loader loader, const char* name, std::uint32_t ebp) {
    LoadCall call{};
    call.loader = loader;
    call.name.assign(name, strnlen(name, kMaxNameBytes));
    call.ebp = ebp;
    call.altCostumeFlag = RecordByte(host::record::kAltCostumeFlag);
    call.textureHandle = RecordWord(host::record::kTextureHandle);
    call.effectHandle = RecordWord(host::record::kEffectHandle);
    call.modelHandle = RecordWord(host::record::kModelHandle);
    if (!queuedHandles_.empty()) {
        call.handle = queuedHandles_.front();
        queuedHandles_.erase(queuedHandles_.begin());
    } else {
        // Distinct per call and per loader, and never a value the record starts with.
        call.handle = 0x4A000000u + (static_cast<std::uint32_t>(loader) << 16) + ++handleSequence_;
    }
    loads_.push_back(call);
    return call.handle;
}

}  // namespace sim

extern "C" std::uint32_t SimLogLoad(std::uint32_t loader, const char* name, std::uint32_t ebp) {
    return sim::g_game->LogLoad(static_cast<sim::Loader>(loader), name, ebp);
}
