#include "config/ini_document.h"

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>

const std::string* IniSection::FindValue(std::string_view key) const {
    const auto found = pairs_.find(key);
    return found == pairs_.end() ? nullptr : &found->second;
}

void IniSection::SetValue(std::string_view key, std::string_view value) {
    // Emplace first: a new key, by far the common case while a file loads, is then hashed and
    // looked up once. A key already present keeps its node and takes the new value.
    const auto [pair, inserted] = pairs_.emplace(
        std::piecewise_construct, std::forward_as_tuple(key), std::forward_as_tuple(value));
    if (!inserted) {
        pair->second.assign(value);
    }
}

IniDocument::IniDocument() = default;

std::FILE* OpenIniFile(const std::string& path) {
#ifdef _WIN32
    return std::fopen(path.c_str(), "r");
#else
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    return std::fopen(local.c_str(), "r");
#endif
}

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
    const auto found = sections_.find(name);
    return found == sections_.end() ? nullptr : found->second.get();
}

IniSection& IniDocument::FindOrAddSection(std::string_view name) {
    const auto found = sections_.find(name);
    if (found != sections_.end()) {
        return *found->second;
    }
    // IniSection's constructor is private to the document, so make_unique cannot reach it.
    std::unique_ptr<IniSection> section(new IniSection());
    IniSection& added = *section;
    sections_.emplace(std::string(name), std::move(section));
    return added;
}

void IniDocument::Clear() noexcept {
    sections_.clear();
}
