// The configuration reader's model of one INI file: a document of named sections, each a
// set of key/value pairs. Names, keys and values are byte strings compared byte for byte
// over their whole length; no case folding and no trimming happen at lookup.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "config/ini_storage.h"

class IniDocument;

// One section: keys mapped to values. Sections exist only inside an IniDocument, which
// creates them while a file loads and deletes them when it is cleared.
class IniSection {
  public:
    IniSection(const IniSection&) = delete;
    IniSection& operator=(const IniSection&) = delete;

    // The value stored under exactly this key, or nullptr. Never adds an entry.
    const std::string_view* FindValue(std::string_view key) const;

    // Stores the pair; a key already present takes the new value, so the later one wins.
    void SetValue(std::string_view key, std::string_view value);

    // Number of pairs held.
    std::size_t PairCount() const noexcept { return pairs_.Count(); }

    // Calls visit(key, value) once for each pair, in no particular order.
    template <typename Visitor>
    void ForEachPair(Visitor&& visit) const {
        pairs_.ForEach([&visit](const IniPair& pair) { visit(pair.key, pair.value); });
    }

  private:
    friend class IniDocument;
    explicit IniSection(IniArena& arena) : arena_(arena) {}

    IniArena& arena_;  // the document's, where the pairs and their bytes live
    IniIndex<IniPair> pairs_;
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
    std::size_t SectionCount() const noexcept { return sections_.Count(); }

    // Calls visit(name, section) once for each section, in no particular order.
    template <typename Visitor>
    void ForEachSection(Visitor&& visit) const {
        sections_.ForEach([&visit](const NamedSection& named) {
            visit(named.key, static_cast<const IniSection&>(named.section));
        });
    }

  private:
    // A section with its name, as the arena holds it: a section reference held by the parser
    // or a caller survives the index growing.
    struct NamedSection {
        std::string_view key;
        IniSection section;
    };

    // Owns every section, pair and byte; declared first, so it outlives the index.
    IniArena arena_;
    IniIndex<NamedSection> sections_;
};
