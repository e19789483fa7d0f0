#include "patch/host_memory.h"

#include "patch/jump_record.h"
#include "patch/process_memory.h"

namespace patch {
namespace {

// Process-wide handle cache, zero at load and shared by every write. Only Init writes,
// on the host's thread, so it takes no lock.
platform::ProcessHandle g_process = nullptr;
bool g_processSet = false;

platform::ProcessHandle Process() {
    if (!g_processSet) {
        g_process = platform::CurrentProcess();
        g_processSet = true;
    }
    return g_process;
}

}  // namespace

void WriteHostMemory(host::Address address, const void* bytes, std::size_t count) {
    (void)platform::WriteProcess(Process(), address, bytes, count);
}

void WriteRelativeJump(host::Address site, host::Address target) {
    // Built at run time: the library may be loaded at any base, so the displacement to
    // our routine is only known now.
    const JumpRecord record = MakeJumpRecord(site, target);
    WriteHostMemory(site, record.data(), record.size());
}

}  // namespace patch
