// Bump allocation of a block's message records: one allocation per chunk instead of one per
// record, freed all at once with the block.
#pragma once

#include <cstddef>
#include <cstdint>

class MessageArena {
  public:
    MessageArena() = default;
    ~MessageArena() { Release(); }
    MessageArena(const MessageArena&) = delete;
    MessageArena& operator=(const MessageArena&) = delete;

    // Sizes the next chunk for about this many bytes of records.
    void Reserve(size_t bytes) { nextChunk_ = bytes > 0 ? bytes : kMinChunk; }

    // Storage for one record; never null.
    void* Allocate(size_t size, size_t align) {
        if (head_ != nullptr) {
            size_t at = (head_->used + align - 1) & ~(align - 1);
            if (at + size <= head_->size) {
                head_->used = at + size;
                return Data(head_) + at;
            }
        }
        AddChunk(size > nextChunk_ ? size : nextChunk_);
        head_->used = size;
        return Data(head_);
    }

    // When the arena holds exactly one chunk, its records lie in one run of bytes from a
    // 16-byte boundary: returns its start and sets length. Null otherwise.
    std::byte* SingleRun(size_t& length) const {
        if (head_ == nullptr || head_->next != nullptr) {
            return nullptr;
        }
        length = head_->used;
        return Data(head_);
    }

    // Frees every chunk; the records in them must have been destroyed.
    void Release();
    // Forgets every record but keeps the largest chunk for reuse (a scratch arena).
    void Reset();

  private:
    struct alignas(16) Chunk {
        Chunk* next;
        size_t size;
        size_t used;
    };
    static std::byte* Data(Chunk* c) { return reinterpret_cast<std::byte*>(c + 1); }
    void AddChunk(size_t size);

    static constexpr size_t kMinChunk = 256;
    Chunk* head_ = nullptr;
    size_t nextChunk_ = kMinChunk;
};
