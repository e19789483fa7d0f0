#include "tests/support/sim/registers.h"

#include <cstddef>
#include <cstdio>
#include <string>

// The CPU_* and LOADER_* values of sim/cpu.asm, read out of it when CMake configures (and
// again whenever cpu.asm changes); see tests/support/CMakeLists.txt.
#include "sim_cpu_asm.h"

// cpu.asm reads and writes SimEntryState and SimExitState at offsets it types by hand. Were
// sim::Cpu and those offsets to part, game code would start with other registers than a test
// set, and the test would judge registers other than the ones captured; so the build stops
// here instead, whichever side changed.
static_assert(offsetof(sim::Cpu, eax) == sim_asm::CPU_EAX);
static_assert(offsetof(sim::Cpu, ebx) == sim_asm::CPU_EBX);
static_assert(offsetof(sim::Cpu, ecx) == sim_asm::CPU_ECX);
static_assert(offsetof(sim::Cpu, edx) == sim_asm::CPU_EDX);
static_assert(offsetof(sim::Cpu, esi) == sim_asm::CPU_ESI);
static_assert(offsetof(sim::Cpu, edi) == sim_asm::CPU_EDI);
static_assert(offsetof(sim::Cpu, ebp) == sim_asm::CPU_EBP);
static_assert(offsetof(sim::Cpu, esp) == sim_asm::CPU_ESP);
static_assert(offsetof(sim::Cpu, eflags) == sim_asm::CPU_EFLAGS);
static_assert(offsetof(sim::Cpu, eip) == sim_asm::CPU_EIP);
static_assert(sim_asm::kCpuFieldCount == 10, "cpu.asm names a field the checks above miss");
// The loader stand-ins pass SimLogLoad their kind as a number.
static_assert(static_cast<std::uint32_t>(sim::Loader::Textures) == sim_asm::LOADER_TEXTURES);
static_assert(static_cast<std::uint32_t>(sim::Loader::Model) == sim_asm::LOADER_MODEL);

namespace test_support {
namespace {

struct Named {
    CpuRegister reg;
    const char* name;
};

constexpr Named kRegisters[] = {
    {&sim::Cpu::eax, "eax"}, {&sim::Cpu::ebx, "ebx"}, {&sim::Cpu::ecx, "ecx"},
    {&sim::Cpu::edx, "edx"}, {&sim::Cpu::esi, "esi"}, {&sim::Cpu::edi, "edi"},
    {&sim::Cpu::ebp, "ebp"}, {&sim::Cpu::esp, "esp"}, {&sim::Cpu::eflags, "eflags"},
    {&sim::Cpu::eip, "eip"},
};

// The register's name as the assembly spells it: "ebx", "eflags".
const char* RegisterName(CpuRegister reg) {
    for (const Named& named : kRegisters) {
        if (named.reg == reg) {
            return named.name;
        }
    }
    return "?";
}

std::string Hex(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// One line per register whose sameness at entry and exit is not `wantSame`.
testing::AssertionResult Compare(const sim::Cpu& entry, const sim::Cpu& exit,
                                 std::initializer_list<CpuRegister> registers, bool wantSame) {
    std::string faults;
    for (const CpuRegister reg : registers) {
        if ((entry.*reg == exit.*reg) == wantSame) {
            continue;
        }
        faults += faults.empty() ? "" : "; ";
        faults += RegisterName(reg);
        faults += wantSame ? " changed: entry " + Hex(entry.*reg) + " exit " + Hex(exit.*reg)
                           : " kept its entry value " + Hex(entry.*reg);
    }
    if (faults.empty()) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << faults;
}

}  // namespace

testing::AssertionResult RegistersKept(const sim::Cpu& entry, const sim::Cpu& exit,
                                       std::initializer_list<CpuRegister> registers) {
    return Compare(entry, exit, registers, true);
}

testing::AssertionResult RegistersOverwritten(const sim::Cpu& entry, const sim::Cpu& exit,
                                              std::initializer_list<CpuRegister> registers) {
    return Compare(entry, exit, registers, false);
}

}  // namespace test_support
