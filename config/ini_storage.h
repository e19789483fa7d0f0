// Where a document keeps what it read: every name, key and value and every section live in
// one arena the document owns, and each section's pairs and the document's sections are found
// through an open-addressing index of pointers into it. A file of millions of pairs so costs
// a few large allocations and one table per section, not several allocations per pair, and
// clearing frees chunks instead of walking every string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

// Bump allocation through chunks that are freed only all at once, so everything allocated
// keeps its address until Release.
class IniArena {
  public:
    IniArena() = default;
    ~IniArena() { Release(); }
    IniArena(const IniArena&) = delete;
    IniArena& operator=(const IniArena&) = delete;

    // size bytes aligned for any of the reader's records; never returns nullptr.
    void* Allocate(std::size_t size);

    // Frees every chunk; the arena is then as new.
    void Release() noexcept;

  private:
    struct Chunk {
        Chunk* previous;
    };

    Chunk* last_ = nullptr;
    char* next_ = nullptr;  // the free bytes of the last chunk
    char* end_ = nullptr;
    std::size_t next_chunk_size_ = 0;
};

// The hash of a name or key: every byte reaches every bit, the low bits too, which pick the
// slot.
std::uint32_t HashIniBytes(std::string_view bytes) noexcept;

// One pair as a section stores it: both views point into the arena.
struct IniPair {
    std::string_view key;
    std::string_view value;
};

// A set of entries found by their key (Entry::key, a std::string_view), with linear probing
// over a power-of-two number of slots that is doubled before it is more than 3/4 full. Each
// slot keeps its entry's hash, so a probe reads another entry's key only when the hashes
// agree, and growing never hashes a key again. The index does not own its entries.
template <typename Entry>
class IniIndex {
  public:
    struct Slot {
        Entry* entry = nullptr;  // nullptr: the slot is free
        std::uint32_t hash = 0;
    };

    std::size_t Count() const noexcept { return count_; }

    // The entry stored under key, or nullptr.
    Entry* Find(std::string_view key, std::uint32_t hash) const noexcept {
        if (count_ == 0) {
            return nullptr;
        }
        const std::uint32_t mask = capacity_ - 1;
        for (std::uint32_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.entry == nullptr) {
                return nullptr;
            }
            if (slot.hash == hash && slot.entry->key == key) {
                return slot.entry;
            }
        }
    }

    // The slot holding key, or the free slot where key belongs: fill it with Fill. Makes room
    // for one more entry first, so the slot stays valid until then.
    Slot& Locate(std::string_view key, std::uint32_t hash) {
        if ((std::uint64_t{count_} + 1) * 4 > std::uint64_t{capacity_} * 3) {
            Grow();
        }
        const std::uint32_t mask = capacity_ - 1;
        for (std::uint32_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.entry == nullptr || (slot.hash == hash && slot.entry->key == key)) {
                return slot;
            }
        }
    }

    // Stores entry in a free slot that Locate returned for this hash.
    void Fill(Slot& slot, Entry* entry, std::uint32_t hash) noexcept {
        slot = {entry, hash};
        ++count_;
    }

    // Calls visit(entry) once for each entry, in slot order.
    template <typename Visitor>
    void ForEach(Visitor&& visit) const {
        for (std::uint32_t i = 0; i < capacity_; ++i) {
            if (slots_[i].entry != nullptr) {
                visit(*slots_[i].entry);
            }
        }
    }

    // Forgets every entry and frees the slots.
    void Reset() noexcept {
        slots_.reset();
        capacity_ = 0;
        count_ = 0;
    }

  private:
    // Eight slots to begin with: a small section's pairs then fit without growing.
    static constexpr std::uint32_t kFirstCapacity = 8;

    void Grow() {
        const std::uint32_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_ * 2;
        std::unique_ptr<Slot[]> grown(new Slot[capacity]);
        const std::uint32_t mask = capacity - 1;
        for (std::uint32_t i = 0; i < capacity_; ++i) {
            if (slots_[i].entry != nullptr) {
                std::uint32_t j = slots_[i].hash & mask;
                while (grown[j].entry != nullptr) {
                    j = (j + 1) & mask;
                }
                grown[j] = slots_[i];
            }
        }
        slots_ = std::move(grown);
        capacity_ = capacity;
    }

    std::unique_ptr<Slot[]> slots_;
    std::uint32_t capacity_ = 0;  // slots: none before the first Locate, then a power of two
    std::uint32_t count_ = 0;
};
