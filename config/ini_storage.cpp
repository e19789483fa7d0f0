#include "config/ini_storage.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Every record the reader allocates holds pointers and sizes, nothing wider.
constexpr std::size_t kAlignment = alignof(void*);

// The first chunk holds a typical config.ini whole; later chunks double, up to a size at which
// the allocator's own cost per chunk no longer shows.
constexpr std::size_t kFirstChunkSize = 4096;
constexpr std::size_t kLargestChunkSize = 256 * 1024;

}  // namespace

void* IniArena::Allocate(std::size_t size) {
    size = (size + kAlignment - 1) & ~(kAlignment - 1);
    if (static_cast<std::size_t>(end_ - next_) < size) {
        const std::size_t chunk_size =
            std::max(std::max(next_chunk_size_, kFirstChunkSize), sizeof(Chunk) + size);
        auto* chunk = static_cast<Chunk*>(::operator new(chunk_size));
        chunk->previous = last_;
        last_ = chunk;
        next_ = reinterpret_cast<char*>(chunk + 1);
        end_ = reinterpret_cast<char*>(chunk) + chunk_size;
        next_chunk_size_ = std::min(chunk_size * 2, kLargestChunkSize);
    }
    void* allocated = next_;
    next_ += size;
    return allocated;
}

void IniArena::Release() noexcept {
    while (last_ != nullptr) {
        Chunk* previous = last_->previous;
        ::operator delete(last_);
        last_ = previous;
    }
    next_ = nullptr;
    end_ = nullptr;
    next_chunk_size_ = 0;
}

std::uint32_t HashIniBytes(std::string_view bytes) noexcept {
    // Four bytes at a time, each word folded in with a rotate and an odd multiplier (as
    // FxHash does), then MurmurHash3's finaliser so that every input bit reaches the low bits.
    std::uint32_t hash = static_cast<std::uint32_t>(bytes.size());
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 4; data += 4, left -= 4) {
        std::uint32_t word;
        std::memcpy(&word, data, 4);
        hash = (((hash << 5) | (hash >> 27)) ^ word) * 0x9E3779B9u;
    }
    if (left > 0) {
        std::uint32_t word = 0;
        std::memcpy(&word, data, left);
        hash = (((hash << 5) | (hash >> 27)) ^ word) * 0x9E3779B9u;
    }
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    hash *= 0xC2B2AE35u;
    hash ^= hash >> 16;
    return hash;
}
