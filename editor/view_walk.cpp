// Walking the demo in the editor view: the next and previous block and message, the first
// block of play and the last block, and Go To Block and Go To Message.
#include "editor/tresk_view.h"

#include "demo/tresk_doc.h"
#include "editor/ui.h"

#include <algorithm>
#include <limits>

DemoBlock* CTreskView::BlockByNumber(uint32_t n) {
    if (!HasCurrentBlock() || n < 1 || n > blockCount_) {
        return nullptr;
    }
    DemoBlock* block = doc_.currentBlock;
    for (uint32_t i = currentBlockNumber_; i < n && block != nullptr; ++i) {
        block = block->next;
    }
    for (uint32_t i = currentBlockNumber_; i > n && block != nullptr; --i) {
        block = block->previous;
    }
    DecodeIfNeeded(block);
    return block;
}

DemoMessage* CTreskView::MessageByNumber(const DemoBlock* block, uint32_t n) {
    return block != nullptr ? block->MessageAt(n) : nullptr;
}

void CTreskView::OnNextBlock() {
    if (!HasCurrentBlock()) {
        return;
    }
    DemoBlock* next = doc_.currentBlock->next;
    if (currentBlockNumber_ >= blockCount_ || next == nullptr) {
        ui_.Beep();
        return;
    }
    ApplyMessagePage();
    MoveToBlock(next, currentBlockNumber_ + 1);
    // The selection moves with its first block and stops at the last block.
    if (uint64_t{currentBlockNumber_} + selectionCount_ - 1 > blockCount_ && selectionCount_ > 1) {
        --selectionCount_;
    }
    DecodeIfNeeded(next);
    currentMessageNumber_ = 1;
    RefreshView();
}

void CTreskView::OnPreviousBlock() {
    if (!HasCurrentBlock()) {
        return;
    }
    DemoBlock* previous = doc_.currentBlock->previous;
    if (currentBlockNumber_ <= 1 || previous == nullptr) {
        ui_.Beep();
        return;
    }
    ApplyMessagePage();
    MoveToBlock(previous, currentBlockNumber_ - 1);
    DecodeIfNeeded(previous);
    currentMessageNumber_ = 1;
    RefreshView();
}

void CTreskView::OnNextMessage() {
    if (!HasCurrentBlock()) {
        return;
    }
    DemoBlock* block = doc_.currentBlock;
    const bool lastOfBlock = currentMessageNumber_ >= block->MessageCount();
    if (lastOfBlock && (currentBlockNumber_ >= blockCount_ || block->next == nullptr)) {
        ui_.Beep();
        return;
    }
    ApplyMessagePage();
    if (!lastOfBlock) {
        ++currentMessageNumber_;
    } else {
        ui_.Beep();
        DecodeIfNeeded(block->next);
        MoveToBlock(block->next, currentBlockNumber_ + 1);
        currentMessageNumber_ = 1;
    }
    RefreshView();
}

void CTreskView::OnPreviousMessage() {
    if (!HasCurrentBlock()) {
        return;
    }
    DemoBlock* block = doc_.currentBlock;
    const bool firstOfBlock = currentMessageNumber_ <= 1;
    if (firstOfBlock && (currentBlockNumber_ <= 1 || block->previous == nullptr)) {
        ui_.Beep();
        return;
    }
    ApplyMessagePage();
    if (!firstOfBlock) {
        --currentMessageNumber_;
    } else {
        ui_.Beep();
        DemoBlock* previous = block->previous;
        DecodeIfNeeded(previous);
        MoveToBlock(previous, currentBlockNumber_ - 1);
        currentMessageNumber_ = MessageNumberOf(previous->MessageCount());
    }
    RefreshView();
}

void CTreskView::GoToBlockStart(uint32_t n) {
    ApplyMessagePage();
    if (DemoBlock* block = BlockByNumber(n)) {
        MoveToBlock(block, n);
        currentMessageNumber_ = 1;
    }
    RefreshView();
}

void CTreskView::OnFirstPlayBlock() {
    if (!HasCurrentBlock()) {
        return;
    }
    const uint32_t n =
        doc_.firstFrameBlock >= 1 && doc_.firstFrameBlock <= blockCount_ ? doc_.firstFrameBlock : 1;
    GoToBlockStart(n);
}

void CTreskView::OnLastBlock() {
    if (!HasCurrentBlock()) {
        return;
    }
    GoToBlockStart(blockCount_);
}

void CTreskView::OnGotoBlock() {
    if (!HasCurrentBlock()) {
        return;
    }
    NumberDlgData data;
    data.number = static_cast<uint32_t>(std::min<uint64_t>(
        uint64_t{currentBlockNumber_} + selectionCount_, std::numeric_limits<uint32_t>::max()));
    if (!ui_.RunNumberDlg(data)) {
        return;
    }
    const uint32_t n = data.number;
    if (n < 1 || n > blockCount_ || n == currentBlockNumber_) {
        ui_.Beep();
        ui_.ShowMessage("Invalid block number");
        return;
    }
    GoToBlockStart(n);
}

void CTreskView::OnGotoMessage() {
    if (!HasCurrentBlock()) {
        return;
    }
    NumberDlgData data;
    data.number = currentMessageNumber_;
    if (!ui_.RunNumberDlg(data)) {
        return;
    }
    const uint32_t n = data.number;
    if (n < 1 || n > doc_.currentBlock->MessageCount() || n > kMaxMessageNumber) {
        ui_.Beep();
        ui_.ShowMessage("Invalid message number");
        return;
    }
    ApplyMessagePage();
    currentMessageNumber_ = static_cast<uint16_t>(n);
    RefreshView();
}
