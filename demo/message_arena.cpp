#include "message_arena.h"

#include <new>

void MessageArena::AddChunk(size_t size) {
    void* raw = ::operator new(sizeof(Chunk) + size);
    head_ = new (raw) Chunk{head_, size, 0};
}

void MessageArena::Release() {
    while (head_ != nullptr) {
        Chunk* next = head_->next;
        ::operator delete(head_);
        head_ = next;
    }
}

void MessageArena::Reset() {
    Chunk* largest = nullptr;
    while (head_ != nullptr) {
        Chunk* next = head_->next;
        if (largest == nullptr || head_->size > largest->size) {
            if (largest != nullptr) {
                ::operator delete(largest);
            }
            largest = head_;
        } else {
            ::operator delete(head_);
        }
        head_ = next;
    }
    head_ = largest;
    if (head_ != nullptr) {
        head_->next = nullptr;
        head_->used = 0;
    }
}
