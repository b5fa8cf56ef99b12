#include "editor/clipboard.h"

#include "demo/edit_transaction.h"
#include "demo/svc.h"
#include "demo/tresk_doc.h"
#include "editor/block_buffer.h"
#include "editor/block_edit.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

const char* const kCutFirstBlocksText = "Can't cut any of the first 3 blocks";
const char* const kDeleteBlockOneText =
    "Can't delete block 1: it holds the demo's serverdata, and a demo needs at least one block.";

std::string OpeningBlocksText(const char* what, unsigned firstPlayBlock) {
    return std::string("Can't ") + what + " the opening blocks: they hold the demo's signon, " +
           "and play starts at block " + std::to_string(firstPlayBlock) + ".";
}

std::string DeleteOpeningBlocksQuestion(unsigned firstPlayBlock) {
    return "The selection reaches into the opening blocks, which hold the demo's signon (play "
           "starts at block " +
           std::to_string(firstPlayBlock) +
           "). Without them the game may not play the demo. Delete them anyway?";
}

std::string AddMessageRefusedText(int type) {
    return "A " + GetMessageName(type) +
           " message can't be added on its own: the game would stop playing the demo there.";
}

namespace {

uint32_t LastSelected(const CTreskView& view) {
    uint64_t last = uint64_t{view.CurrentBlockNumber()} + view.SelectionCount() - 1;
    return static_cast<uint32_t>(std::min<uint64_t>(last, view.BlockCount()));
}

// The selection starts before the first block of play (when the demo has one).
bool StartsInOpening(const CTreskView& view) {
    uint32_t firstPlay = FirstFrameBlockNumber(view.Document());
    return firstPlay != 0 && view.CurrentBlockNumber() < firstPlay;
}

// After a run of blocks left the list: the view's numbers follow the document.
void AfterRunRemoved(CTreskView& view, uint32_t removed, bool reachedEnd) {
    CTreskDoc& doc = view.Document();
    const uint32_t number = view.CurrentBlockNumber();
    if (doc.firstFrameBlock > number) {
        uint32_t before = std::min(removed, doc.firstFrameBlock - number);
        doc.firstFrameBlock -= before;
    }
    view.SetBlockCount(doc.blockCount);
    if (reachedEnd) {
        view.SetCurrentBlockNumber(number - 1);
    }
    view.SetSelectionCount(1);
    view.SetCurrentMessageNumber(1);
}

} // namespace

void EditCopy(CTreskView& view, CBlockBuffer& buffer) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    buffer.FillBlockBuffer(view.Document().currentBlock, view.SelectionCount(), view.Document(),
                           true);
}

void EditCut(CTreskView& view, CBlockBuffer& buffer) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    CTreskDoc& doc = view.Document();
    if (view.CurrentBlockNumber() < 4) {
        view.GetUi().ShowMessage(kCutFirstBlocksText);
        return;
    }
    if (StartsInOpening(view)) {
        view.GetUi().ShowMessage(OpeningBlocksText("cut", FirstFrameBlockNumber(doc)));
        return;
    }
    view.ApplyMessagePage();
    const uint32_t count = LastSelected(view) - view.CurrentBlockNumber() + 1;
    const bool reachedEnd = LastSelected(view) >= view.BlockCount();
    EditTransaction edit(doc, EditSpan(doc, view.CurrentBlockNumber(), LastSelected(view)),
                         view.Place());
    buffer.FillBlockBuffer(doc.currentBlock, count, doc, false);
    AfterRunRemoved(view, count, reachedEnd);
    view.CommitEdit(edit, "Cut " + BlockCountText(count));
    view.RefreshView();
}

void EditPaste(CTreskView& view, CBlockBuffer& buffer) {
    view.ApplyMessagePage();
    if (!view.HasCurrentBlock() || !buffer.HasBlocks()) {
        return;
    }
    CTreskDoc& doc = view.Document();
    const uint32_t firstPlay = FirstFrameBlockNumber(doc);
    if (firstPlay != 0 && view.CurrentBlockNumber() + 1 < firstPlay) {
        view.GetUi().ShowMessage(OpeningBlocksText("paste among", firstPlay));
        return;
    }
    const uint32_t at = view.CurrentBlockNumber();
    EditTransaction edit(doc, EditSpan(doc, at + 1, at), view.Place());
    uint32_t n = buffer.PasteBlockBuffer(doc.currentBlock, doc);
    doc.blockCount += n;
    view.SetBlockCount(doc.blockCount);
    view.SetCurrentBlockNumber(at + 1);
    view.SetSelectionCount(1);
    view.SetCurrentMessageNumber(1);
    view.CommitEdit(edit, "Paste " + BlockCountText(n));
    view.RefreshView();
}

void EditDeleteBlocks(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    CTreskDoc& doc = view.Document();
    if (view.CurrentBlockNumber() == 1) {
        view.GetUi().ShowMessage(kDeleteBlockOneText);
        return;
    }
    if (StartsInOpening(view) &&
        !view.GetUi().Ask(DeleteOpeningBlocksQuestion(FirstFrameBlockNumber(doc)))) {
        return;
    }
    view.ApplyMessagePage();
    const uint32_t count = LastSelected(view) - view.CurrentBlockNumber() + 1;
    const bool reachedEnd = LastSelected(view) >= view.BlockCount();
    EditTransaction edit(doc, EditSpan(doc, view.CurrentBlockNumber(), LastSelected(view)),
                         view.Place());
    DeleteBlockChain(UnlinkBlockRun(doc, doc.currentBlock, count));
    AfterRunRemoved(view, count, reachedEnd);
    view.CommitEdit(edit, "Delete " + BlockCountText(count));
    view.RefreshView();
}

void AddNewMessage(CTreskView& view) {
    MessageTypeDlgData data;
    data.text = "Enter message type to ADD";
    if (!view.GetUi().RunMessageTypeDlg(data)) {
        return;
    }
    view.ApplyMessagePage();
    if (!view.HasCurrentBlock()) {
        return;
    }
    const int type = data.chosenType;
    if (type < 0 || type > svc_frame) {
        return;
    }
    if (type == svc_playerinfo || type == svc_packetentities || type == svc_deltapacketentities ||
        type == svc_frame) {
        view.GetUi().ShowMessage(AddMessageRefusedText(type));
        return;
    }
    // An empty record of the type, not read against the document: a new serverdata changes
    // neither the document's protocol nor its player.
    DemoBlock* block = view.Document().currentBlock;
    EditTransaction edit(view.Document(), {view.CurrentBlockNumber(), 1}, view.Place());
    block->AppendMessage(NewMessage(static_cast<uint8_t>(type)));
    view.SetCurrentMessageNumber(
        static_cast<uint16_t>(std::min<uint32_t>(block->MessageCount(), UINT16_MAX)));
    view.CommitEdit(edit, "Add " + GetMessageName(type) + " message");
    view.RefreshView();
}
