#include "config/ini_document.h"

#include <cstring>
#include <memory>
#include <new>

#include "config/ini_file.h"

namespace {

// Copies bytes into memory, returning the copy and the first byte after it.
std::string_view CopyBytes(std::string_view bytes, char*& memory) {
    if (!bytes.empty()) {  // an empty view's data() may be null, which memcpy must not get
        std::memcpy(memory, bytes.data(), bytes.size());
    }
    const std::string_view copy(memory, bytes.size());
    memory += bytes.size();
    return copy;
}

}  // namespace

const std::string_view* IniSection::FindValue(std::string_view key) const {
    const IniPair* pair = pairs_.Find(key, HashIniBytes(key));
    return pair == nullptr ? nullptr : &pair->value;
}

void IniSection::SetValue(std::string_view key, std::string_view value) {
    // One hash and one probe for a new key, by far the common case while a file loads: the
    // pair and its bytes then take one allocation from the arena.
    const std::uint32_t hash = HashIniBytes(key);
    IniIndex<IniPair>::Slot& slot = pairs_.Locate(key, hash);
    if (slot.entry != nullptr) {
        // A key already present keeps its pair. The stored value's bytes belong to it alone:
        // a new value that fits is moved over them (it may be a part of them), so a key set
        // again and again does not grow the arena; a longer one gets bytes of its own.
        std::string_view& stored = slot.entry->value;
        char* bytes = value.size() <= stored.size()
                          ? const_cast<char*>(stored.data())
                          : static_cast<char*>(arena_.Allocate(value.size()));
        if (!value.empty()) {
            std::memmove(bytes, value.data(), value.size());
        }
        stored = std::string_view(bytes, value.size());
        return;
    }
    void* memory = arena_.Allocate(sizeof(IniPair) + key.size() + value.size());
    char* bytes = static_cast<char*>(memory) + sizeof(IniPair);
    const std::string_view stored_key = CopyBytes(key, bytes);
    const std::string_view stored_value = CopyBytes(value, bytes);
    pairs_.Fill(slot, new (memory) IniPair{stored_key, stored_value}, hash);
}

IniDocument::IniDocument() = default;

namespace {

struct CloseFile {
    void operator()(std::FILE* stream) const noexcept { std::fclose(stream); }
};

}  // namespace

IniDocument::IniDocument(std::string path) {
    // Closed on every way out, also when Load runs out of memory and throws: the plug-in
    // runs inside the game, which would otherwise lose a file handle to every such Init.
    const std::unique_ptr<std::FILE, CloseFile> stream(OpenIniFile(path));
    if (stream == nullptr) {
        return;  // A file that does not open gives an empty document, by design silently.
    }
    Load(stream.get());
}

IniDocument::~IniDocument() {
    Clear();
}

const IniSection* IniDocument::FindSection(std::string_view name) const {
    const NamedSection* named = sections_.Find(name, HashIniBytes(name));
    return named == nullptr ? nullptr : &named->section;
}

IniSection& IniDocument::FindOrAddSection(std::string_view name) {
    const std::uint32_t hash = HashIniBytes(name);
    IniIndex<NamedSection>::Slot& slot = sections_.Locate(name, hash);
    if (slot.entry != nullptr) {
        return slot.entry->section;
    }
    void* memory = arena_.Allocate(sizeof(NamedSection) + name.size());
    char* bytes = static_cast<char*>(memory) + sizeof(NamedSection);
    const std::string_view stored_name = CopyBytes(name, bytes);
    auto* named = new (memory) NamedSection{stored_name, IniSection(arena_)};
    sections_.Fill(slot, named, hash);
    return named->section;
}

void IniDocument::Clear() noexcept {
    // The arena frees the sections' memory, but each section's index owns its slots.
    sections_.ForEach([](NamedSection& named) { std::destroy_at(&named.section); });
    sections_.Reset();
    arena_.Release();
}
