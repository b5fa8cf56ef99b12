#include "editor/tresk_view.h"

#include "demo/edit_transaction.h"
#include "demo/frame_timeline.h"
#include "demo/signon_routing.h"
#include "demo/svc.h"
#include "demo/tresk_doc.h"
#include "editor/block_buffer.h"
#include "editor/block_edit.h"
#include "editor/clipboard.h"
#include "editor/ui.h"
#include "editor/view_display.h"

#include <algorithm>

const char* const kFrameDataText = "A frame's player state and entities can't be deleted on "
                                   "their own: delete the frame message, and they go with it.";
const char* const kPreviewMustBeOpenText = "3D preview must be open for this feature to work.";

CTreskView::CTreskView(CTreskDoc& doc, Ui& ui, ViewDisplay& display)
    : doc_(doc), ui_(ui), display_(display) {
    doc_.AddView(this);
}

CTreskView::~CTreskView() {
    doc_.RemoveView(this);
}

// --- set-up --------------------------------------------------------------------------------

void CTreskView::OnInitialUpdate(const std::string& quake2Path) {
    lastSearchText.clear();
    lastSearchType = -2;
    if (doc_.currentBlock == nullptr) {
        return;
    }
    currentBlockNumber_ = 1;
    selectionCount_ = 1;
    currentMessageNumber_ = 1;
    blockCount_ = doc_.blockCount;
    // Files that no pak archive holds are looked for in the game's base folder.
    doc_.refImport.SetBaseDirectory((quake2Path + "//baseq2//").c_str());

    doc_.DecodeAll();
    doc_.currentBlock = doc_.FirstBlock();
    uint32_t first = doc_.FindFirstPlayBlock();
    doc_.firstFrameBlock = first;
    // Without a block of play the demo opens at block 1.
    if (DemoBlock* block = first != 0 ? doc_.BlockAt(first) : nullptr) {
        MoveToBlock(block, first);
    }
    display_.SetProgressRange(1, blockCount_);
    RefreshView();
}

// --- state -----------------------------------------------------------------------------------

bool CTreskView::HasCurrentBlock() const {
    return doc_.currentBlock != nullptr && currentBlockNumber_ != 0;
}

DemoMessage* CTreskView::CurrentMessage() const {
    if (!HasCurrentBlock() || currentMessageNumber_ == 0 ||
        currentMessageNumber_ > doc_.currentBlock->MessageCount()) {
        return nullptr;
    }
    return MessageByNumber(doc_.currentBlock, currentMessageNumber_);
}

void CTreskView::MoveToBlock(DemoBlock* block, uint32_t number) {
    doc_.currentBlock = block;
    currentBlockNumber_ = number;
}

void CTreskView::DecodeIfNeeded(DemoBlock* block) {
    if (block != nullptr && !block->decoded) {
        block->Decode(doc_, kDecodeWithNeighbours);
    }
}

// --- refresh -------------------------------------------------------------------------------

void CTreskView::TrimSelection() {
    if (selectionCount_ == 0) {
        selectionCount_ = 1; // the selection always holds the current block
    }
    if (currentBlockNumber_ > blockCount_) {
        selectionCount_ = 1;
    } else if (uint64_t{currentBlockNumber_} + selectionCount_ - 1 > blockCount_) {
        selectionCount_ = blockCount_ - currentBlockNumber_ + 1;
    }
}

void CTreskView::UpdateTexts() {
    const std::string blocks = std::to_string(blockCount_);
    const uint64_t last = uint64_t{currentBlockNumber_} + selectionCount_ - 1;
    selectionText_ = std::to_string(currentBlockNumber_) + "/" + blocks + " - " +
                     std::to_string(last) + "/" + blocks;
    const DemoMessage* m = CurrentMessage();
    nameText_ = m != nullptr ? GetMessageName(m->type) : std::string();
    numberText_ = std::to_string(currentMessageNumber_) + "/" +
                  std::to_string(doc_.currentBlock->MessageCount());
    display_.SetSelectionText(selectionText_);
    display_.SetNameText(nameText_);
    display_.SetNumberText(numberText_);
}

bool CTreskView::IsPreviewOpen() const {
    return doc_.previewOpen;
}

void CTreskView::RefreshView() {
    if (!HasCurrentBlock()) {
        return;
    }
    display_.SetProgressRange(1, std::max<uint32_t>(blockCount_, 1));
    display_.SetProgressPosition(currentBlockNumber_);
    doc_.UpdateAllViews(this, kHintRefresh);
    TrimSelection();
    const uint32_t count = doc_.currentBlock->MessageCount();
    if (currentMessageNumber_ > count) {
        currentMessageNumber_ = MessageNumberOf(count);
    }
    if (currentMessageNumber_ == 0 && count > 0) {
        currentMessageNumber_ = 1;
    }
    UpdateTexts();
    ShowMessagePage();
    if (previewHooks.feedCurrentBlock) {
        previewHooks.feedCurrentBlock();
    }
    display_.FocusView();
}

// --- edit pages ------------------------------------------------------------------------------

void CTreskView::ShowMessagePage() {
    if (shownPage_ != nullptr) {
        display_.DestroyPage();
        shownPage_ = nullptr;
        shownBlock_ = nullptr;
    }
    DemoMessage* m = CurrentMessage();
    MessagePage* page = m != nullptr ? pages_.ForType(m->type) : nullptr;
    if (page == nullptr) {
        return;
    }
    page->Fill(*m, doc_);
    display_.ShowPage(*page);
    shownPage_ = page;
    shownBlock_ = doc_.currentBlock;
    shownNumber_ = currentMessageNumber_;
    shownType_ = m->type;
}

void CTreskView::ApplyMessagePage() {
    display_.FocusView();
    if (shownPage_ == nullptr) {
        return;
    }
    MessagePage* page = shownPage_;
    display_.StorePageFields(*page);
    // The edits belong to the record the page was filled from; they go nowhere else.
    DemoMessage* m = CurrentMessage();
    // A page left as it was filled changes nothing, not even what a lossy unit would round.
    if (m != nullptr && doc_.currentBlock == shownBlock_ && currentMessageNumber_ == shownNumber_ &&
        m->type == shownType_ && page->Edited()) {
        auto* cs = MessageCast<ConfigStringMessage>(m);
        EditTransaction edit(doc_, {currentBlockNumber_, 1}, Place(), cs != nullptr && cs->signon);
        const uint16_t index = cs != nullptr ? cs->index : 0;
        page->Apply(*m, ui_);
        // A configstring of the opening blocks reaches the game through the rebuilt signon,
        // which is written from the document's fields and tables: they take the edit.
        if (cs != nullptr && cs->signon) {
            RouteEditedSignonConfigString(doc_, *cs, index);
        }
        CommitEdit(edit, "Edit " + GetMessageName(shownType_) + " message");
    }
    display_.DestroyPage();
    shownPage_ = nullptr;
    shownBlock_ = nullptr;
}

void CTreskView::OnPageButton(const std::string& key) {
    if (shownPage_ == nullptr) {
        return;
    }
    display_.StorePageFields(*shownPage_);
    PageContext context{doc_, ui_};
    if (shownPage_->PressButton(key, context)) {
        display_.UpdatePage(*shownPage_);
    }
}

// --- deleting a message ----------------------------------------------------------------------

void CTreskView::OnDeleteMessage() {
    if (!HasCurrentBlock() || CurrentMessage() == nullptr) {
        return;
    }
    if (blockCount_ <= 1 && doc_.currentBlock->MessageCount() <= 1) {
        ui_.Beep(); // the demo's last message stays
        return;
    }
    const uint8_t type = CurrentMessage()->type;
    if (type == svc_playerinfo || type == svc_packetentities) {
        ui_.ShowMessage(kFrameDataText);
        return;
    }
    if (!skipDeleteConfirmation && !ui_.Ask("Are you sure you want to delete this message?")) {
        return;
    }
    ApplyMessagePage();
    DeleteMessage(doc_.currentBlock, currentMessageNumber_, currentBlockNumber_);
    RefreshView();
}

DeleteKind CTreskView::DeleteMessage(DemoBlock* block, uint16_t& number, uint32_t blockNumber) {
    if (block == nullptr || number == 0 || number > block->MessageCount()) {
        return kNothingDeleted;
    }
    DemoMessage* target = block->MessageAt(number);
    if (target->type == svc_playerinfo || target->type == svc_packetentities) {
        return kNothingDeleted; // frame data goes only with its frame
    }
    // A frame's player state and entities go with it.
    uint32_t span = 1;
    if (target->type == svc_frame) {
        for (const DemoMessage* m = target->next;
             m != nullptr && (m->type == svc_playerinfo || m->type == svc_packetentities);
             m = m->next) {
            ++span;
        }
    }
    const bool onlyMessage = block->MessageCount() == span;
    if (onlyMessage &&
        (blockCount_ <= 1 || (block->previous == nullptr && block->next == nullptr))) {
        return kNothingDeleted; // the demo's only block stays
    }
    // Pending edits on this block's page go into their record before the messages shift.
    if (shownPage_ != nullptr && shownBlock_ == block) {
        ApplyMessagePage();
    }
    const BlockSpan changed = target->type == svc_frame ? EditSpan(doc_, blockNumber, blockNumber)
                                                        : BlockSpan{blockNumber, 1};
    EditTransaction edit(doc_, changed, Place());
    const std::string label = "Delete " + GetMessageName(target->type) + " message";
    if (target->type == svc_frame) {
        // The next frame loses its predecessor: it keeps what it shows now.
        KeepFramesWhole({NextFrameBlock(block->next)});
    }
    const uint16_t passed = number;
    DeleteKind kind = kMessageDeleted;
    if (onlyMessage) {
        RemoveBlock(block, blockNumber);
        kind = kBlockDeleted;
    } else {
        DemoMessage* before = number == 1 ? nullptr : block->MessageAt(number - 1u);
        for (uint32_t i = 0; i < span; ++i) {
            block->EraseMessageAfter(before);
        }
        if (number > block->MessageCount()) {
            number = static_cast<uint16_t>(block->MessageCount());
        }
    }
    CommitEdit(edit, label);
    doc_.UpdateAllViews(this, kHintDeleteMessage, {blockNumber, passed, kind});
    return kind;
}

void CTreskView::RemoveBlock(DemoBlock* block, uint32_t blockNumber) {
    DemoBlock* before = block->previous;
    DemoBlock* after = block->next;
    if (before != nullptr) {
        before->next = after;
    }
    if (after != nullptr) {
        after->previous = before;
    }
    const uint32_t oldCount = blockCount_;
    if (doc_.currentBlock == block) {
        doc_.currentBlock = after != nullptr ? after : before;
        if (after == nullptr) {
            --currentBlockNumber_;
        }
        DecodeIfNeeded(doc_.currentBlock);
    } else if (blockNumber < currentBlockNumber_) {
        --currentBlockNumber_;
    }
    // The first block of play keeps its number relative to the blocks around it.
    if (blockNumber < doc_.firstFrameBlock) {
        --doc_.firstFrameBlock;
    }
    block->previous = nullptr;
    block->next = nullptr;
    delete block;
    --blockCount_;
    --doc_.blockCount;
    if (uint64_t{currentBlockNumber_} + selectionCount_ > oldCount && selectionCount_ > 1) {
        --selectionCount_;
    }
}

// --- clipboard -------------------------------------------------------------------------------

void CTreskView::OnEditCopy() {
    if (blockBuffer != nullptr) {
        EditCopy(*this, *blockBuffer);
    }
}

void CTreskView::OnEditCut() {
    if (blockBuffer != nullptr) {
        EditCut(*this, *blockBuffer);
    }
}

void CTreskView::OnEditPaste() {
    if (blockBuffer != nullptr) {
        EditPaste(*this, *blockBuffer);
    }
}

void CTreskView::OnEditDeleteBlocks() {
    EditDeleteBlocks(*this);
}

void CTreskView::OnEditClearBuffer() {
    if (blockBuffer != nullptr) {
        blockBuffer->ClearBlockBuffer();
    }
}

void CTreskView::OnAddNewMessage() {
    AddNewMessage(*this);
}

// --- document broadcast ----------------------------------------------------------------------

void CTreskView::OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>& values) {
    switch (hint) {
    case kHintGotoMessage:
        if (HasCurrentBlock() && values.size() >= 2 && values[0] >= 1 && values[0] <= blockCount_ &&
            values[1] >= 1 && values[1] <= kMaxMessageNumber) {
            ApplyMessagePage();
            if (DemoBlock* block = BlockByNumber(values[0])) {
                MoveToBlock(block, values[0]);
                currentMessageNumber_ = static_cast<uint16_t>(values[1]);
            }
            RefreshView();
        }
        break;
    case kHintDeleteMessage:
        if (HasCurrentBlock() && values.size() >= 2 && values[0] >= 1 && values[0] <= blockCount_ &&
            values[1] >= 1 && values[1] <= kMaxMessageNumber) {
            ApplyMessagePage();
            uint16_t number = static_cast<uint16_t>(values[1]);
            DeleteMessage(BlockByNumber(values[0]), number, values[0]);
            RefreshView();
        }
        break;
    case kHintSelectBlocks:
        if (HasCurrentBlock() && values.size() >= 2 && values[0] >= 1 && values[0] <= blockCount_ &&
            values[1] >= values[0]) {
            ApplyMessagePage();
            if (DemoBlock* block = BlockByNumber(values[0])) {
                MoveToBlock(block, values[0]);
                selectionCount_ = values[1] - values[0] + 1;
            }
            RefreshView();
        }
        break;
    case kHintShowModel:
        if (values.empty()) {
            break;
        }
        if (!IsPreviewOpen()) {
            ui_.ShowMessage(kPreviewMustBeOpenText);
        } else if (previewHooks.showModel) {
            previewHooks.showModel(values[0]);
        }
        break;
    case kHintFeedPreview:
        if (previewHooks.feedCurrentBlock) {
            previewHooks.feedCurrentBlock();
        }
        break;
    case kHintBeforeSave:
        if (HasCurrentBlock()) {
            ApplyMessagePage();
            RefreshView();
        }
        break;
    default:
        break;
    }
}

// --- the edit history ------------------------------------------------------------------------

EditPlace CTreskView::Place() const {
    return {currentBlockNumber_, selectionCount_, currentMessageNumber_};
}

void CTreskView::ShowPlace(const EditPlace& place) {
    if (shownPage_ != nullptr) {
        display_.DestroyPage();
        shownPage_ = nullptr;
        shownBlock_ = nullptr;
    }
    blockCount_ = doc_.blockCount;
    if (blockCount_ == 0 || doc_.currentBlock == nullptr) {
        currentBlockNumber_ = 0;
        return;
    }
    const uint32_t n = std::clamp<uint32_t>(place.block, 1, blockCount_);
    if (DemoBlock* block = doc_.BlockAt(n)) {
        MoveToBlock(block, n);
    }
    DecodeIfNeeded(doc_.currentBlock);
    selectionCount_ = place.selection;
    currentMessageNumber_ = place.message;
    RefreshView();
}

void CTreskView::CommitEdit(EditTransaction& edit, const std::string& label) {
    if (edit.Commit(label, Place())) {
        ui_.ShowStatus(label);
    }
}
