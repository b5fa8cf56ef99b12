#include "editor/block_edit.h"

#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"

#include <vector>

DemoBlock* NextFrameBlock(DemoBlock* block) {
    for (; block != nullptr; block = block->next) {
        if (FirstCompleteFrame(*block) != nullptr) {
            return block;
        }
    }
    return nullptr;
}

DemoBlock* LastOfRun(DemoBlock* first, uint32_t count) {
    DemoBlock* last = first;
    for (uint32_t i = 1; i < count && last != nullptr && last->next != nullptr; ++i) {
        last = last->next;
    }
    return last;
}

DemoBlock* UnlinkBlockRun(CTreskDoc& doc, DemoBlock* first, uint32_t count) {
    DemoBlock* last = LastOfRun(first, count);
    std::vector<DemoBlock*> keep;
    uint32_t n = 1;
    for (DemoBlock* b = first;; b = b->next, ++n) {
        if (keep.empty() && FirstCompleteFrame(*b) != nullptr) {
            keep.push_back(b);
        }
        if (b == last) {
            break;
        }
    }
    keep.push_back(NextFrameBlock(last->next));
    KeepFramesWhole(keep);
    DemoBlock* before = first->previous;
    DemoBlock* after = last->next;
    if (before != nullptr) {
        before->next = after;
    }
    if (after != nullptr) {
        after->previous = before;
    }
    first->previous = nullptr;
    last->next = nullptr;
    doc.currentBlock = after != nullptr ? after : before;
    doc.blockCount -= n;
    return first;
}

void ReverseBlockRun(CTreskDoc& doc, DemoBlock* first, uint32_t count) {
    std::vector<DemoBlock*> run;
    run.reserve(count);
    for (DemoBlock* b = first; b != nullptr && run.size() < count; b = b->next) {
        run.push_back(b);
    }
    DemoBlock* before = run.front()->previous;
    DemoBlock* after = run.back()->next;
    std::vector<DemoBlock*> keep = run;
    keep.push_back(NextFrameBlock(after));
    KeepFramesWhole(keep);
    for (DemoBlock* b : run) {
        std::swap(b->previous, b->next);
    }
    DemoBlock* last = run.back();
    before->next = last;
    last->previous = before;
    run.front()->next = after;
    if (after != nullptr) {
        after->previous = run.front();
    }
    doc.currentBlock = last;
}
