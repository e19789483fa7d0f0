// A small reader for 32-bit PE images (the shipped DLL), enough to check what the
// loader and the game will see: machine, exports, imports, base relocations and bytes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace pe {

struct Export {
    std::uint32_t ordinal;  // as the loader numbers it (ordinal base applied)
    std::uint32_t rva;
};

class Image {
  public:
    // Reads and parses the file; on failure Error() says why and every query is empty.
    explicit Image(const std::string& path);

    const std::string& Error() const { return error_; }
    std::uint16_t Machine() const { return machine_; }
    std::uint16_t Characteristics() const { return characteristics_; }
    std::uint32_t ImageBase() const { return imageBase_; }
    const std::map<std::string, Export>& Exports() const { return exports_; }
    const std::vector<std::string>& ImportedDlls() const { return importedDlls_; }
    // RVAs of every 32-bit (HIGHLOW) field the loader rebases.
    const std::set<std::uint32_t>& RelocatedFields() const { return relocations_; }

    // `count` bytes of the loaded image at `rva`; nullopt outside every section.
    std::optional<std::vector<std::uint8_t>> Read(std::uint32_t rva, std::uint32_t count) const;
    std::optional<std::uint32_t> ReadU32(std::uint32_t rva) const;
    std::optional<std::string> ReadString(std::uint32_t rva) const;

  private:
    struct Section {
        std::uint32_t rva, virtualSize, fileOffset, rawSize;
    };
    bool Parse();
    std::optional<std::uint32_t> FileOffset(std::uint32_t rva, std::uint32_t count) const;
    std::uint32_t U32At(std::size_t offset) const;
    std::uint16_t U16At(std::size_t offset) const;

    std::vector<std::uint8_t> file_;
    std::vector<Section> sections_;
    std::string error_;
    std::uint16_t machine_ = 0;
    std::uint16_t characteristics_ = 0;
    std::uint32_t imageBase_ = 0;
    std::map<std::string, Export> exports_;
    std::vector<std::string> importedDlls_;
    std::set<std::uint32_t> relocations_;
};

// Symbol addresses (virtual addresses) from a GNU ld map file, by symbol name.
std::map<std::string, std::uint32_t> ReadLinkerMap(const std::string& path);

}  // namespace pe
