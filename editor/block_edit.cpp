#include "editor/block_edit.h"

#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"

#include <vector>

namespace {

// The last message of a block's last complete frame's data; null without a frame.
DemoMessage* EndOfLastFrame(const DemoBlock& block) {
    DemoMessage* end = nullptr;
    for (DemoMessage* m = block.FirstMessage(); m != nullptr; m = m->next) {
        auto* f = MessageCast<FrameMessage>(m);
        if (f == nullptr || !f->complete) {
            continue;
        }
        end = m;
        while (end->next != nullptr &&
               (end->next->type == svc_playerinfo || end->next->type == svc_packetentities)) {
            end = end->next;
        }
        m = end;
    }
    return end;
}

} // namespace

void ShiftTrailingMessages(DemoBlock* block) {
    if (block != nullptr && block->next != nullptr) {
        PrependTrailingCopies(*block, block->next);
        DropTrailingMessages(block);
    }
}

void DropTrailingMessages(DemoBlock* block) {
    DemoMessage* end = block != nullptr ? EndOfLastFrame(*block) : nullptr;
    while (end != nullptr && end->next != nullptr) {
        block->EraseMessageAfter(end);
    }
}

void PrependTrailingCopies(const DemoBlock& source, DemoBlock* block) {
    DemoMessage* end = EndOfLastFrame(source);
    DemoMessage* after = nullptr;
    for (const DemoMessage* m = end != nullptr ? end->next : nullptr; m != nullptr; m = m->next) {
        MessagePtr copy = CloneMessage(*m);
        DemoMessage* raw = copy.get();
        block->InsertMessageAfter(after, std::move(copy));
        after = raw;
    }
}

uint32_t FirstFrameBlockNumber(const CTreskDoc& doc) {
    uint32_t n = 1;
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next, ++n) {
        if (FirstCompleteFrame(*b) != nullptr) {
            return n;
        }
    }
    return 0;
}

BlockSpan EditSpan(const CTreskDoc& doc, uint32_t first, uint32_t last) {
    const uint32_t start = first > 1 ? first - 1 : 1;
    uint32_t end = doc.blockCount;
    uint32_t n = last + 1;
    for (const DemoBlock* b = doc.BlockAt(n); b != nullptr; b = b->next, ++n) {
        if (FirstCompleteFrame(*b) != nullptr) {
            end = n;
            break;
        }
    }
    return {start, end >= start ? end - start + 1 : 0};
}

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
    // The messages before the run's first frame go with the run, those after its last frame
    // stay with the frame that follows.
    ShiftTrailingMessages(first->previous);
    ShiftTrailingMessages(last);
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
    // Each frame takes the messages that come before it since the frame before.
    for (size_t i = run.size(); i-- > 0;) {
        ShiftTrailingMessages(run[i]);
    }
    ShiftTrailingMessages(before);
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
