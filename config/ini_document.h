// The configuration reader's model of one INI file: a document of named sections, each a
// set of key/value pairs. Names, keys and values are byte strings compared byte for byte
// over their whole length; no case folding and no trimming happen at lookup.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// Hash for the reader's maps, usable with std::string and std::string_view alike, so that a
// lookup by string_view finds the entry without building a temporary std::string.
struct IniByteStringHash {
    using is_transparent = void;

    // Deliberately not noexcept: libstdc++ then stores each node's hash, so growing the table
    // and walking a bucket compare cached hashes instead of hashing every string again.
    std::size_t operator()(std::string_view bytes) const {
        return std::hash<std::string_view>{}(bytes);
    }
};

template <typename Value>
using IniByteStringMap = std::unordered_map<std::string, Value, IniByteStringHash, std::equal_to<>>;

class IniDocument;

// Opens an INI file for reading (fopen mode "r"), as a document's construction does. The
// plug-in names its file the Windows way, "<folder>\config.ini": where '\' is no path
// separator, the same bytes open with '/' in its place, so the Linux builds read the file
// the DLL would. Returns nullptr when the file does not open.
std::FILE* OpenIniFile(const std::string& path);

// One section: keys mapped to values. Sections exist only inside an IniDocument, which
// creates them while a file loads and deletes them when it is cleared.
class IniSection {
  public:
    IniSection(const IniSection&) = delete;
    IniSection& operator=(const IniSection&) = delete;

    // The value stored under exactly this key, or nullptr. Never adds an entry.
    const std::string* FindValue(std::string_view key) const;

    // Stores the pair; a key already present takes the new value, so the later one wins.
    void SetValue(std::string_view key, std::string_view value);

    // Number of pairs held.
    std::size_t PairCount() const noexcept { return pairs_.size(); }

    // Calls visit(key, value) once for each pair, in no particular order.
    template <typename Visitor>
    void ForEachPair(Visitor&& visit) const {
        for (const auto& [key, value] : pairs_) {
            visit(std::string_view(key), std::string_view(value));
        }
    }

  private:
    friend class IniDocument;
    IniSection() = default;

    IniByteStringMap<std::string> pairs_;
};

// A whole INI file: section names mapped to sections the document owns. A document that was
// loaded always holds the implicit section, named by the empty string; an empty one holds
// none at all. Returned sections and values stay valid until the next Clear or Load, or the
// document's destruction.
class IniDocument {
  public:
    // An empty document: no sections, not even the implicit one.
    IniDocument();

    // Opens path with fopen(path, "r") and loads it when it opened; a file that does not open
    // leaves the document empty, silently. The path is not kept.
    explicit IniDocument(std::string path);

    ~IniDocument();

    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Replaces the whole content with what stream holds from its start, by the line rules of
    // ini_parser.cpp. Leaves the stream open wherever reading stopped.
    void Load(std::FILE* stream);

    // The section stored under exactly this name, or nullptr. Never adds an entry.
    const IniSection* FindSection(std::string_view name) const;

    // The section stored under name, created empty first if there is none.
    IniSection& FindOrAddSection(std::string_view name);

    // Deletes every section with all its pairs; the document is then empty.
    void Clear() noexcept;

    // Number of sections held.
    std::size_t SectionCount() const noexcept { return sections_.size(); }

    // Calls visit(name, section) once for each section, in no particular order.
    template <typename Visitor>
    void ForEachSection(Visitor&& visit) const {
        for (const auto& [name, section] : sections_) {
            visit(std::string_view(name), static_cast<const IniSection&>(*section));
        }
    }

  private:
    // Sections live on the heap so that a section reference held by the parser or a caller
    // survives the map growing.
    IniByteStringMap<std::unique_ptr<IniSection>> sections_;
};
