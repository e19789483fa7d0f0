// The shipped DLL as the mod loader and the game will see it, and proof that its routines
// are the very instructions the Linux x86 build runs against the simulated game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "plugin/routines.h"
#include "tests/support/pe/pe_image.h"

namespace {

const std::string kDllDir = VESSA_DLL_DIR;
// The build's one list of the DLLs the plug-in may import, in lower case.
const std::set<std::string> kAllowedImports = {VESSA_DLL_IMPORTS};

class ShippedDll : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        dll_ = new pe::Image(kDllDir + "/VessaAltCostume.dll");
        map_ = pe::ReadLinkerMap(kDllDir + "/VessaAltCostume.map");
    }
    static void TearDownTestSuite() { delete dll_; }
    void SetUp() override {
        ASSERT_EQ(dll_->Error(), "") << "build the windows-x86 preset first (" << kDllDir << ")";
    }

    static pe::Image* dll_;
    static std::map<std::string, std::uint32_t> map_;
};
pe::Image* ShippedDll::dll_ = nullptr;
std::map<std::string, std::uint32_t> ShippedDll::map_;

TEST_F(ShippedDll, IsA32BitX86Dll) {
    EXPECT_EQ(dll_->Machine(), 0x014C) << "IMAGE_FILE_MACHINE_I386";
    EXPECT_TRUE(dll_->Characteristics() & 0x2000) << "IMAGE_FILE_DLL";
    EXPECT_FALSE(dll_->Characteristics() & 0x0001) << "relocations stripped";
}

TEST_F(ShippedDll, ExportsExactlyInitAndKorvModInfoByOrdinal) {
    const auto& exports = dll_->Exports();
    ASSERT_EQ(exports.size(), 2u);
    ASSERT_TRUE(exports.count("Init"));
    ASSERT_TRUE(exports.count("KorvModInfo"));
    EXPECT_EQ(exports.at("Init").ordinal, 1u);
    EXPECT_EQ(exports.at("KorvModInfo").ordinal, 2u);
}

TEST_F(ShippedDll, ImportsOnlyWindowsSystemDlls) {
    ASSERT_FALSE(dll_->ImportedDlls().empty());
    for (std::string name : dll_->ImportedDlls()) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        EXPECT_TRUE(kAllowedImports.count(name)) << name;
    }
}

TEST_F(ShippedDll, KorvModInfoIsVersionFiveAndNineZeroFields) {
    const auto bytes = dll_->Read(dll_->Exports().at("KorvModInfo").rva, 40);
    ASSERT_TRUE(bytes);
    std::uint32_t fields[10];
    std::memcpy(fields, bytes->data(), sizeof fields);
    EXPECT_EQ(fields[0], 5u);
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(fields[i], 0u) << "field " << i + 1;
    }
}

TEST_F(ShippedDll, KeepsBaseRelocationsForTheRoutinesData) {
    EXPECT_FALSE(dll_->RelocatedFields().empty());
}

// Compares one routine byte for byte. Where the DLL's loader rebases a 32-bit field, the
// two builds hold different absolute addresses of our own data; there we follow both to
// the word they point at, and from a relocated word on to its string, and compare that.
void ExpectSameRoutine(const pe::Image& dll, std::uint32_t dllRva, const unsigned char* linux,
                       std::size_t size) {
    const auto code = dll.Read(dllRva, static_cast<std::uint32_t>(size));
    ASSERT_TRUE(code);
    std::size_t relocated = 0;
    for (std::size_t i = 0; i < size;) {
        const std::uint32_t rva = dllRva + static_cast<std::uint32_t>(i);
        if (!dll.RelocatedFields().count(rva)) {
            EXPECT_EQ((*code)[i], linux[i]) << "byte " << i;
            ++i;
            continue;
        }
        ++relocated;
        std::uint32_t dllTarget = 0;
        std::uint32_t linuxTarget = 0;
        std::memcpy(&dllTarget, code->data() + i, 4);
        std::memcpy(&linuxTarget, linux + i, 4);
        const std::uint32_t targetRva = dllTarget - dll.ImageBase();
        const auto dllWord = dll.ReadU32(targetRva);
        ASSERT_TRUE(dllWord) << "relocated field at byte " << i << " points outside the DLL";
        std::uint32_t linuxWord = 0;
        std::memcpy(&linuxWord, reinterpret_cast<const void*>(std::uintptr_t{linuxTarget}), 4);
        if (dll.RelocatedFields().count(targetRva)) {
            // A pointer to one of the file names.
            const auto dllName = dll.ReadString(*dllWord - dll.ImageBase());
            ASSERT_TRUE(dllName);
            EXPECT_EQ(*dllName,
                      std::string(reinterpret_cast<const char*>(std::uintptr_t{linuxWord})))
                << "byte " << i;
        } else {
            // A game address (routine, continuation) or the gate word.
            EXPECT_EQ(*dllWord, linuxWord) << "byte " << i;
        }
        i += 4;
    }
    EXPECT_GT(relocated, 0u) << "the routine reaches its data through absolute addresses";
}

struct Routine {
    const char* symbol;
    const char* endSymbol;
    const unsigned char* start;
    const unsigned char* end;
};

TEST_F(ShippedDll, RoutinesAreTheInstructionsTheLinuxBuildRuns) {
    const Routine routines[] = {
        {"CostumeLoadHook", "CostumeLoadHookEnd",
         reinterpret_cast<const unsigned char*>(&CostumeLoadHook), CostumeLoadHookEnd},
        {"JiggleSkipStub", "JiggleSkipStubEnd",
         reinterpret_cast<const unsigned char*>(&JiggleSkipStub), JiggleSkipStubEnd},
    };
    for (const Routine& r : routines) {
        SCOPED_TRACE(r.symbol);
        ASSERT_TRUE(map_.count(r.symbol) && map_.count(r.endSymbol)) << "not in the linker map";
        const std::uint32_t dllStart = map_.at(r.symbol) - dll_->ImageBase();
        const std::uint32_t dllSize = map_.at(r.endSymbol) - map_.at(r.symbol);
        const auto linuxSize = static_cast<std::size_t>(r.end - r.start);
        ASSERT_EQ(dllSize, linuxSize);
        ExpectSameRoutine(*dll_, dllStart, r.start, linuxSize);
    }
}

}  // namespace
