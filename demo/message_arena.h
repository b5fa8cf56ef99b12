// Bump allocation of a block's message records: one allocation per chunk instead of one per
// record, freed all at once with the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class MessageArena {
  public:
    MessageArena() = default;
    MessageArena(const MessageArena&) = delete;
    MessageArena& operator=(const MessageArena&) = delete;

    // Sizes the next chunk for about this many bytes of records.
    void Reserve(size_t bytes) { nextChunk_ = bytes < kMinChunk ? kMinChunk : bytes; }

    void* Allocate(size_t size, size_t align) {
        size_t at = (used_ + align - 1) & ~(align - 1);
        if (chunks_.empty() || at + size > capacity_) {
            size_t want = size > nextChunk_ ? size : nextChunk_;
            chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(want));
            capacity_ = want;
            at = 0;
            nextChunk_ = want;
        }
        used_ = at + size;
        return chunks_.back().get() + at;
    }

    // Drops every chunk; the records in them must have been destroyed.
    void Release() {
        chunks_.clear();
        used_ = capacity_ = 0;
    }

    size_t ChunkBytes() const { return chunks_.empty() ? 0 : capacity_; }

  private:
    static constexpr size_t kMinChunk = 256;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    size_t used_ = 0;
    size_t capacity_ = 0;
    size_t nextChunk_ = kMinChunk;
};
