#include "editor/block_buffer.h"

#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"
#include "editor/block_edit.h"

CBlockBuffer::~CBlockBuffer() {
    ClearBlockBuffer();
}

void CBlockBuffer::ClearBlockBuffer() {
    DeleteBlockChain(first_);
    first_ = nullptr;
    count_ = 0;
}

void CBlockBuffer::FillBlockBuffer(DemoBlock* first, uint32_t count, CTreskDoc& doc, bool copy) {
    ClearBlockBuffer();
    if (first == nullptr || count == 0) {
        return;
    }
    if (copy) {
        first_ = CopyBlockRun(first, count, doc);
        // The copy holds what the cut would take: the messages before its first frame, not
        // those after its last.
        DemoBlock* last = LastOfRun(first, count);
        if (first->previous != nullptr) {
            PrependTrailingCopies(*first->previous, first_);
        }
        if (last->next != nullptr) {
            DropTrailingMessages(LastOfRun(first_, count));
        }
    } else {
        first_ = UnlinkBlockRun(doc, first, count);
    }
    count_ = 0;
    for (const DemoBlock* b = first_; b != nullptr; b = b->next) {
        ++count_;
    }
}

uint32_t CBlockBuffer::PasteBlockBuffer(DemoBlock* anchor, CTreskDoc& doc) {
    if (first_ == nullptr || anchor == nullptr) {
        return 0;
    }
    KeepFramesWhole({NextFrameBlock(anchor->next)});
    ShiftTrailingMessages(anchor); // they come before the anchor's next frame, as they did
    DemoBlock* copy = CopyBlockRun(first_, count_, doc);
    DemoBlock* last = copy;
    uint32_t n = 1;
    while (last->next != nullptr) {
        last = last->next;
        ++n;
    }
    DemoBlock* after = anchor->next;
    last->next = after;
    if (after != nullptr) {
        after->previous = last;
    }
    anchor->next = copy;
    copy->previous = anchor;
    doc.currentBlock = copy;
    return n;
}
