#include "tests/support/pe/pe_image.h"

#include <cstdio>
#include <cstring>

namespace pe {
namespace {

constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::uint16_t kRelocHighLow = 3;
constexpr std::uint16_t kRelocAbsolute = 0;  // padding entry

}  // namespace

Image::Image(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        error_ = "cannot open " + path;
        return;
    }
    std::uint8_t chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) {
        file_.insert(file_.end(), chunk, chunk + got);
    }
    std::fclose(in);
    if (!Parse()) {
        exports_.clear();
        importedDlls_.clear();
        relocations_.clear();
        sections_.clear();
        if (error_.empty()) {
            error_ = "malformed PE image: " + path;
        }
    }
}

std::uint32_t Image::U32At(std::size_t offset) const {
    std::uint32_t v = 0;
    std::memcpy(&v, file_.data() + offset, 4);
    return v;
}

std::uint16_t Image::U16At(std::size_t offset) const {
    std::uint16_t v = 0;
    std::memcpy(&v, file_.data() + offset, 2);
    return v;
}

std::optional<std::uint32_t> Image::FileOffset(std::uint32_t rva, std::uint32_t count) const {
    for (const Section& s : sections_) {
        if (rva >= s.rva && std::uint64_t{rva} + count <= std::uint64_t{s.rva} + s.rawSize &&
            std::uint64_t{rva} + count <= std::uint64_t{s.rva} + s.virtualSize) {
            const std::uint64_t offset = std::uint64_t{s.fileOffset} + (rva - s.rva);
            if (offset + count <= file_.size()) {
                return static_cast<std::uint32_t>(offset);
            }
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> Image::Read(std::uint32_t rva, std::uint32_t count) const {
    const auto offset = FileOffset(rva, count);
    if (!offset) {
        return std::nullopt;
    }
    const std::uint8_t* start = file_.data() + *offset;
    return std::vector<std::uint8_t>(start, start + count);
}

std::optional<std::uint32_t> Image::ReadU32(std::uint32_t rva) const {
    const auto offset = FileOffset(rva, 4);
    if (!offset) {
        return std::nullopt;
    }
    return U32At(*offset);
}

std::optional<std::string> Image::ReadString(std::uint32_t rva) const {
    std::string text;
    for (std::uint32_t i = 0; i < 4096; ++i) {
        const auto byte = Read(rva + i, 1);
        if (!byte) {
            return std::nullopt;
        }
        if ((*byte)[0] == 0) {
            return text;
        }
        text.push_back(static_cast<char>((*byte)[0]));
    }
    return std::nullopt;
}

bool Image::Parse() {
    if (file_.size() < 0x40 || file_[0] != 'M' || file_[1] != 'Z') {
        error_ = "no MZ header";
        return false;
    }
    const std::uint32_t pe = U32At(0x3C);
    if (std::uint64_t{pe} + 24 > file_.size() || U32At(pe) != kPeSignature) {
        error_ = "no PE signature";
        return false;
    }
    const std::size_t coff = pe + 4;
    machine_ = U16At(coff);
    const std::uint16_t sectionCount = U16At(coff + 2);
    const std::uint16_t optionalSize = U16At(coff + 16);
    characteristics_ = U16At(coff + 18);
    const std::size_t optional = coff + 20;
    if (optional + optionalSize > file_.size() || optionalSize < 96 + 8 * 6 ||
        U16At(optional) != kPe32Magic) {
        error_ = "not a PE32 optional header";
        return false;
    }
    imageBase_ = U32At(optional + 28);
    const std::uint32_t directoryCount = U32At(optional + 92);
    auto directory = [&](std::uint32_t index) -> std::pair<std::uint32_t, std::uint32_t> {
        if (index >= directoryCount) {
            return {0, 0};
        }
        return {U32At(optional + 96 + 8 * index), U32At(optional + 100 + 8 * index)};
    };

    const std::size_t sectionTable = optional + optionalSize;
    if (sectionTable + std::size_t{sectionCount} * 40 > file_.size()) {
        return false;
    }
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        const std::size_t h = sectionTable + std::size_t{i} * 40;
        sections_.push_back({U32At(h + 12), U32At(h + 8), U32At(h + 20), U32At(h + 16)});
    }

    // Exports: names -> ordinals -> addresses.
    if (const auto [rva, size] = directory(0); rva != 0 && size != 0) {
        const auto base = ReadU32(rva + 16);
        const auto nameCount = ReadU32(rva + 24);
        const auto functions = ReadU32(rva + 28);
        const auto names = ReadU32(rva + 32);
        const auto ordinals = ReadU32(rva + 36);
        if (!base || !nameCount || !functions || !names || !ordinals) {
            return false;
        }
        for (std::uint32_t i = 0; i < *nameCount; ++i) {
            const auto nameRva = ReadU32(*names + 4 * i);
            const auto index = Read(*ordinals + 2 * i, 2);
            if (!nameRva || !index) {
                return false;
            }
            const std::uint32_t slot = std::uint32_t{(*index)[0]} | std::uint32_t{(*index)[1]} << 8;
            const auto name = ReadString(*nameRva);
            const auto address = ReadU32(*functions + 4 * slot);
            if (!name || !address) {
                return false;
            }
            exports_[*name] = {*base + slot, *address};
        }
    }

    // Imports: one descriptor per DLL, ended by an all-zero descriptor.
    if (const auto [rva, size] = directory(1); rva != 0 && size != 0) {
        for (std::uint32_t d = rva;; d += 20) {
            const auto nameRva = ReadU32(d + 12);
            if (!nameRva) {
                return false;
            }
            if (*nameRva == 0) {
                break;
            }
            const auto name = ReadString(*nameRva);
            if (!name) {
                return false;
            }
            importedDlls_.push_back(*name);
        }
    }

    // Base relocations: blocks of 16-bit entries (type << 12 | offset in the page).
    if (const auto [rva, size] = directory(5); rva != 0 && size != 0) {
        for (std::uint32_t block = rva; block < rva + size;) {
            const auto page = ReadU32(block);
            const auto blockSize = ReadU32(block + 4);
            if (!page || !blockSize || *blockSize < 8) {
                return false;
            }
            for (std::uint32_t e = block + 8; e < block + *blockSize; e += 2) {
                const auto entry = Read(e, 2);
                if (!entry) {
                    return false;
                }
                const std::uint16_t value =
                    static_cast<std::uint16_t>((*entry)[0] | (*entry)[1] << 8);
                const std::uint16_t type = static_cast<std::uint16_t>(value >> 12);
                if (type == kRelocHighLow) {
                    relocations_.insert(*page + (value & 0x0FFFu));
                } else if (type != kRelocAbsolute) {
                    error_ = "unexpected base relocation type " + std::to_string(type);
                    return false;
                }
            }
            block += *blockSize;
        }
    }
    return true;
}

std::map<std::string, std::uint32_t> ReadLinkerMap(const std::string& path) {
    // Symbol lines look like "                0x663814b0                CostumeLoadHook".
    std::map<std::string, std::uint32_t> symbols;
    std::FILE* in = std::fopen(path.c_str(), "r");
    if (in == nullptr) {
        return symbols;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, in) != nullptr) {
        unsigned address = 0;
        char name[256];
        char rest = 0;
        if (std::sscanf(line, " 0x%8x %255s %c", &address, name, &rest) == 2) {
            symbols[name] = address;
        }
    }
    std::fclose(in);
    return symbols;
}

}  // namespace pe
