// vessa-sim: runs the real plug-in inside the simulated game and tells, in plain words,
// what it patched and what the game got when it reached the patched places.
//
//   vessa-sim [FOLDER]     FOLDER is passed to Init as the plug-in's folder (default ".")

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/game.h"
#include "patch/jump_record.h"
#include "plugin/plugin.h"
#include "plugin/routines.h"
#include "sim/game.h"
#include "sim/write_log.h"
#include "tests/support/scratch_folder.h"
#include "vessa_version.h"

namespace {

const char* NameOfTarget(host::Address target) {
    if (target == RoutineAddress(&CostumeLoadHook)) {
        return "CostumeLoadHook";
    }
    if (target == RoutineAddress(&JiggleSkipStub)) {
        return "JiggleSkipStub";
    }
    return "an unknown address";
}

void PrintWrites() {
    for (const sim::WriteRecord& w : sim::WriteLog()) {
        const std::vector<std::uint8_t> bytes = w.Bytes();
        std::printf("  wrote %zu bytes at %08X:", w.count, w.address);
        for (std::uint8_t b : bytes) {
            std::printf(" %02X", b);
        }
        if (w.count == patch::kJumpRecordSize && bytes[0] == patch::kJumpOpcode) {
            patch::JumpRecord record{};
            std::memcpy(record.data(), bytes.data(), record.size());
            const host::Address target = patch::JumpRecordTarget(w.address, record);
            std::printf("  = jump to %08X (%s)", target, NameOfTarget(target));
        }
        std::printf("%s\n", w.written ? "" : "  [write failed]");
    }
    if (sim::WriteLog().empty()) {
        std::printf("  nothing written\n");
    }
}

const char* LoaderName(sim::Loader loader) {
    return loader == sim::Loader::Textures ? "HostLoadTextures" : "HostLoadModel";
}

void ReachCostumeSite(sim::Game& game, std::uint8_t selector) {
    constexpr std::uint32_t kSlot = 3;
    constexpr std::uint32_t kGameLeftHandle = 0x0BADF00D;
    game.FillRecord(0);
    game.SetRecordWord(host::record::kSlotIndex, kSlot);
    game.SetRecordWord(host::record::kTextureHandle, kGameLeftHandle);
    game.SetRecordWord(host::record::kModelHandle, kGameLeftHandle);
    game.SetCostumeSelector(kSlot, selector);
    const std::size_t loadsBefore = game.Loads().size();

    std::printf(
        "\nThe game sets up the character in slot %u, whose costume selector is %u,\n"
        "and reaches the costume load at %08X:\n",
        kSlot, selector, host::kCostumeLoadSite);
    const sim::Cpu entry = game.EntryState();
    const sim::RunResult run = game.Run(host::kCostumeLoadSite, entry);

    for (std::size_t i = loadsBefore; i < game.Loads().size(); ++i) {
        const sim::LoadCall& call = game.Loads()[i];
        std::printf("  %s(\"%s\") returned handle %08X\n", LoaderName(call.loader),
                    call.name.c_str(), call.handle);
    }
    if (game.Loads().size() == loadsBefore) {
        std::printf("  nothing was loaded\n");
    }
    if (!run.landed) {
        std::printf("  the game stopped: signal %d at %08X\n", run.signal, run.faultEip);
        return;
    }
    // The record offsets come from the game's table, so the printout cannot drift from it.
    const auto printHandle = [&game](const char* what, host::Field field) {
        const std::uint32_t handle = game.RecordWord(field);
        std::printf("  record +%03X %-28s %08X%s\n", field.offset, what, handle,
                    handle == kGameLeftHandle ? " (the game's own value, untouched)" : "");
    };
    printHandle("texture archive handle:", host::record::kTextureHandle);
    printHandle("effect archive handle:", host::record::kEffectHandle);
    printHandle("model handle:", host::record::kModelHandle);
    std::printf("  record +%03X %-28s %u\n", host::record::kAltCostumeFlag.offset,
                "alternate-costume flag:", game.RecordByte(host::record::kAltCostumeFlag));
    std::printf("  control resumed at %08X with EAX = %08X; ESP and EBP %s\n", run.exit.eip,
                run.exit.eax,
                run.exit.esp == entry.esp && run.exit.ebp == entry.ebp ? "unchanged" : "CHANGED");
}

void ReachJiggleSite(sim::Game& game, std::uint8_t firstByte) {
    game.SetRecordByte(host::record::kFirstByte, firstByte);
    const unsigned blockRunsBefore = game.JiggleBlockRuns();
    std::printf("\nThe game reaches the jiggle set-up block at %08X (record +00 = %02X):\n",
                host::kJiggleSetupSite, firstByte);
    const sim::RunResult run = game.Run(host::kJiggleSetupSite, game.EntryState());
    if (!run.landed) {
        std::printf("  the game stopped: signal %d at %08X\n", run.signal, run.faultEip);
        return;
    }
    std::printf("  the game's jiggle block %s; control resumed at %08X with EBX = %08X\n",
                game.JiggleBlockRuns() != blockRunsBefore ? "ran" : "was passed over", run.exit.eip,
                run.exit.ebx);
}

void ShowConfig(const std::string& folder) {
    const std::string path = folder + "/config.ini";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        std::printf("%s has no config.ini: UseJiggle counts as off.\n", folder.c_str());
        return;
    }
    std::printf("%s/config.ini reads:\n", folder.c_str());
    char line[1024];
    while (std::fgets(line, sizeof line, f) != nullptr) {
        std::printf("  | %s", line);
        if (std::strchr(line, '\n') == nullptr) {
            std::printf("\n");
        }
    }
    std::fclose(f);
}

// A fresh, unpatched game; the mod loader loads the plug-in and calls Init(folder); then
// the game builds the character once per costume selector and reaches the jiggle block.
void RunScenario(const std::string& folder) {
    sim::Game game;
    ShowConfig(folder);
    std::printf("\nThe mod loader reads KorvModInfo: version %u, other fields",
                KorvModInfo.version);
    for (std::uint32_t field : KorvModInfo.reserved) {
        std::printf(" %u", field);
    }
    std::printf("\nThe mod loader calls Init(\"%s\"):\n", folder.c_str());
    sim::ClearWriteLog();
    Init(folder.c_str());
    PrintWrites();

    for (std::uint8_t selector : {std::uint8_t{0}, std::uint8_t{1}, std::uint8_t{2}}) {
        ReachCostumeSite(game, selector);
    }
    ReachJiggleSite(game, 0x80);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && std::strcmp(argv[1], "--help") == 0)) {
        std::fprintf(stderr,
                     "usage: vessa-sim [FOLDER]\n"
                     "Loads the plug-in into the simulated game, calls Init(FOLDER) and lets\n"
                     "the game reach the patched places; then does the same once more with a\n"
                     "config.ini that turns UseJiggle on. FOLDER defaults to \".\".\n");
        return argc == 2 ? 0 : 2;
    }
    const std::string folder = argc == 2 ? argv[1] : ".";

    std::printf("vessa-sim: Vessa Alt Costume " VESSA_VERSION " in the simulated game\n");
    std::printf("Simulated game: the game's fixed points at their real addresses.\n");
    for (const host::NamedAddress& a : host::kAddresses) {
        std::printf("  %08X  %-20s %s\n", a.value, a.name, a.what);
    }

    std::printf("\n=== The mod folder %s\n", folder.c_str());
    RunScenario(folder);

    // A scratch mod folder whose config.ini turns the jiggle block on; removed on return.
    const test_support::ScratchFolder jiggleOn("vessa-sim");
    if (!jiggleOn.WriteFile("config.ini", "[Vessa Alt Costume]\nUseJiggle=true\n")) {
        std::fprintf(stderr, "vessa-sim: cannot write a scratch folder in /tmp\n");
        return 1;
    }
    std::printf("\n=== A mod folder whose config.ini turns UseJiggle on\n");
    RunScenario(jiggleOn.Path());
    return 0;
}
