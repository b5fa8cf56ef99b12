// The editor view's selection: Block Selection, Select All, Deselect All, and Reverse
// Selection, which turns the selected blocks round as one edit.
#include "editor/tresk_view.h"

#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/block_edit.h"
#include "editor/block_selection.h"
#include "editor/clipboard.h"
#include "editor/ui.h"

#include <algorithm>

namespace {

// Reverse Selection leaves the opening signon blocks alone.
constexpr uint32_t kFirstReversibleBlock = 5;

} // namespace

void CTreskView::OnSelect() {
    if (!HasCurrentBlock()) {
        return;
    }
    BlockSelectionDlgData data;
    PresetBlockSelection(data, currentBlockNumber_, selectionCount_);
    if (!ui_.RunBlockSelectionDlg(data)) {
        return;
    }
    const int64_t first = currentBlockNumber_;
    int64_t count = data.count;
    const int64_t last = first + count - 1;
    const bool beforeBlockOne = first + count + 1 < 1;
    // A run past the last block or anywhere before block 1.
    if (last > blockCount_ || last < 0 || beforeBlockOne) {
        ui_.ShowMessage("Warning: Not all blocks were selected");
    }
    if (beforeBlockOne) {
        // Backwards down to block 2. From block 1 or 2 that leaves the current block alone
        // (a count of -1 would otherwise select forwards to the end).
        count = 1 - first;
        if (count >= -1) {
            count = 1;
        }
    }
    ApplyMessagePage();
    if (count < -1) {
        const uint32_t start = static_cast<uint32_t>(first + count + 1);
        if (DemoBlock* block = BlockByNumber(start)) {
            MoveToBlock(block, start);
            selectionCount_ = static_cast<uint32_t>(-count);
        }
    } else if (count == 0) {
        selectionCount_ = 1;
    } else {
        // -1 becomes the largest count: the refresh extends the run to the last block.
        selectionCount_ = static_cast<uint32_t>(count);
    }
    RefreshView();
    if (previewHooks.selectionConfirmed) {
        previewHooks.selectionConfirmed();
    }
}

void CTreskView::OnSelectAll() {
    if (!HasCurrentBlock()) {
        return;
    }
    ApplyMessagePage();
    const uint32_t firstPlay = doc_.firstFrameBlock;
    if (firstPlay >= 1 && currentBlockNumber_ > firstPlay) {
        if (DemoBlock* block = BlockByNumber(firstPlay)) {
            MoveToBlock(block, firstPlay);
        }
    }
    selectionCount_ = blockCount_;
    RefreshView();
}

void CTreskView::OnDeselectAll() {
    if (!HasCurrentBlock()) {
        return;
    }
    ApplyMessagePage();
    selectionCount_ = 1;
    RefreshView();
}

void CTreskView::OnReverseSelection() {
    if (!HasCurrentBlock()) {
        return;
    }
    if (currentBlockNumber_ < kFirstReversibleBlock) {
        ui_.ShowMessage("Don't mess with the first four blocks m0r0n!");
        return;
    }
    if (uint64_t{currentBlockNumber_} + selectionCount_ - 1 >= blockCount_) {
        ui_.ShowMessage("Don't screw with the last block m0ron!");
        return;
    }
    if (selectionCount_ < 2) {
        ui_.ShowMessage("Must have more than 1 block selected idiot!");
        return;
    }
    if (uint32_t firstPlay = FirstFrameBlockNumber(doc_);
        firstPlay != 0 && currentBlockNumber_ < firstPlay) {
        ui_.ShowMessage(OpeningBlocksText("reverse", firstPlay));
        return;
    }
    DemoBlock* first = doc_.currentBlock;
    DemoBlock* last = LastOfRun(first, selectionCount_);
    if (first->previous == nullptr || last->next == nullptr ||
        doc_.NumberOf(last) != currentBlockNumber_ + selectionCount_ - 1) {
        return; // the list is shorter than the view counts: leave it alone
    }
    // The shown page belongs to the first block of the run, which moves: store it first.
    ApplyMessagePage();
    const uint32_t count = selectionCount_;
    const BlockSpan span = EditSpan(doc_, currentBlockNumber_, currentBlockNumber_ + count - 1);
    EditTransaction edit(doc_, span, Place());
    ReverseBlockRun(doc_, first, count);
    CommitEdit(edit, "Reverse " + BlockCountText(count));
    RefreshView();
}
