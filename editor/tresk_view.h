// The editor of one open demo: navigation through blocks and messages, the selection of a
// run of blocks, deleting single messages, and the edit page of the current message.
//
// The view holds the navigation state: the current block (always the document's current
// block, at position CurrentBlockNumber()), the current message inside it, and the selection,
// the run of SelectionCount() blocks that starts at the current block. It talks to the person
// only through the Ui port and shows its state through a ViewDisplay. Every command first
// stores the pending edits of the shown page into their message and ends with RefreshView(),
// unless its description says otherwise. Before the initial update, and for a document
// without blocks, there is no current block and every command does nothing.
#pragma once

#include "demo/document_view.h"
#include "demo/edit_history.h"
#include "editor/pages/page_set.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CBlockBuffer;
class CSpecialBuffer;
class CTreskDoc;
class DemoBlock;
struct DemoMessage;
class MessagePage;
class Ui;
class ViewDisplay;

// The view numbers a block's messages in 16 bits; a longer block shows its last as this one.
constexpr uint16_t kMaxMessageNumber = UINT16_MAX;
inline uint16_t MessageNumberOf(uint32_t count) {
    return static_cast<uint16_t>(count < kMaxMessageNumber ? count : kMaxMessageNumber);
}

// Shown when a playerinfo or packetentities record is to be deleted without its frame.
extern const char* const kFrameDataText;
// The answer to View Model (update hint 10) while no 3D preview is open on the document.
extern const char* const kPreviewMustBeOpenText;

// What DeleteMessage did; also the kind it broadcasts with update hint 3.
enum DeleteKind : uint32_t {
    kNothingDeleted = 0,
    kMessageDeleted = 1, // the message went
    kBlockDeleted = 2,   // the message went and its block with it
};

// Hooks the 3D preview side of the view sets (all optional).
struct ViewPreviewHooks {
    // Refresh, step "feed the current block": called when a preview is open and no playback
    // runs; the preview side decides both. Also answers update hint 69.
    std::function<void()> feedCurrentBlock;
    // Update hint 10 while the document's preview is open: show this model table row in the
    // preview's model viewer (model index row + 1). Without an open preview the view answers
    // with kPreviewMustBeOpenText instead.
    std::function<void(uint32_t row)> showModel;
    // After a block selection was confirmed with SELECT: fill the filmstrip.
    std::function<void()> selectionConfirmed;
};

// Lets a front end run Undo and Redo through its own undo stack (optional): the stack's
// entries then call UndoInView and RedoInView (history_commands.h).
struct ViewHistoryHooks {
    std::function<void()> undo;
    std::function<void()> redo;
};

class EditTransaction;

class CTreskView : public DocumentView {
  public:
    // Registers with the document; the destructor unregisters.
    CTreskView(CTreskDoc& doc, Ui& ui, ViewDisplay& display);
    ~CTreskView() override;
    CTreskView(const CTreskView&) = delete;
    CTreskView& operator=(const CTreskView&) = delete;

    // --- set-up -------------------------------------------------------------------------
    // Once, when the view is first shown: decodes the whole demo, finds the first block of
    // play (the first block from block 6 on that holds a frame) and shows it alone selected
    // with its first message. A demo without such a block shows block 1. `quake2Path` is the
    // Quake 2 folder setting; the renderer host's base directory is set from it.
    void OnInitialUpdate(const std::string& quake2Path);

    // --- commands -------------------------------------------------------------------------
    void OnNextBlock();       // 1005
    void OnPreviousBlock();   // 1004
    void OnNextMessage();     // 1007
    void OnPreviousMessage(); // 1006
    void OnFirstPlayBlock();  // Home: the first block of play (block 1 without one)
    void OnLastBlock();       // End
    void OnGotoBlock();       // 1013: "Enter number", preset to the block after the selection
    void OnGotoMessage();     // 1012: "Enter number", preset to the current message
    // 1097: "Block Selection". A negative count selects backwards to the current block; a run
    // that leaves the demo is trimmed after "Warning: Not all blocks were selected".
    void OnSelect();
    void OnSelectAll();   // 32843: from the first block of play, or an earlier current block
    void OnDeselectAll(); // 32845
    // 32842: reverses the order of the selected blocks; refused (with its message) for a run
    // that starts before block 5 or before the first block of play, reaches the last block,
    // or holds a single block. Every reversed frame goes on showing what it showed.
    void OnReverseSelection();
    // 1037: asks first. A frame message goes with its player state and entities; those alone
    // are refused with kFrameDataText.
    void OnDeleteMessage();
    // The clipboard family (clipboard.h), on the application's block buffer.
    void OnEditCopy();         // 57634
    void OnEditCut();          // 57635
    void OnEditPaste();        // 57637
    void OnEditDeleteBlocks(); // 32831
    void OnEditClearBuffer();  // 32819
    void OnAddNewMessage();    // 32838
    // Runs a button of the shown page on what the person typed (the sound page's
    // "Auto-Origin"); shows the page's new values when the button changed them.
    void OnPageButton(const std::string& key);

    // Runs a command of this view by id (view_commands.cpp). False for an id the view does
    // not handle here.
    bool OnCommand(int id);
    // True for the ids OnCommand runs (its buttons and its menu commands).
    static bool HandlesCommand(int id);
    // The command-enable query: New, Print, Print Preview and New Window are disabled while
    // the view is active, and so are the commands without a handler ("Entities").
    static bool IsCommandEnabled(int id);
    // The enable query as this view stands: IsCommandEnabled; Paste and Clear Buffer only
    // while the block buffer holds blocks; Undo and Redo only when the history has a step.
    bool IsCommandEnabledNow(int id) const;

    // --- the edit history ----------------------------------------------------------------
    // Where the view stands.
    EditPlace Place() const;
    // Goes to a place the history gives back (after an undo, a redo or a restored snapshot):
    // the block count follows the document; numbers out of range are trimmed. The shown page
    // goes without being stored (its record may be gone).
    void ShowPlace(const EditPlace& place);
    // Ends a command's change: the transaction is committed under `label` with the place the
    // view stands at now, and the status line says so.
    void CommitEdit(EditTransaction& edit, const std::string& label);
    ViewHistoryHooks historyHooks;

    // --- operations other commands use ---------------------------------------------------
    // Redraws: progress position, hint 0 to the other views, selection trimmed at the last
    // block, message number trimmed to the block, the three texts, the current message's
    // page, the preview feed, the keyboard focus.
    void RefreshView();
    // The block at position n (1 ≤ n ≤ block count), walking from the current block and
    // decoding it when needed; null without a current block or for n outside the list.
    DemoBlock* BlockByNumber(uint32_t n);
    // The n-th message of a block (n < 2 gives the first); null past the end or without a
    // block.
    static DemoMessage* MessageByNumber(const DemoBlock* block, uint32_t n);
    // Deletes message `number` of `block` (at position blockNumber). A frame message takes its
    // player state and entities with it (the next frame is kept whole first); a playerinfo or
    // packetentities record alone is not deleted. When the block is left empty it goes too,
    // unless it is the demo's only block (then nothing is deleted); the view's numbers,
    // counts and the document's first block of play follow.
    // Deleting the last message of a block lowers `number` by one. Pending edits of a page
    // shown for this block are stored first. Broadcasts hint 3 with [blockNumber, number as
    // passed, kind] unless nothing was deleted.
    DeleteKind DeleteMessage(DemoBlock* block, uint16_t& number, uint32_t blockNumber);
    // Fills the page of the current message's type and shows it (none for a message type
    // without a page, or a block without messages).
    void ShowMessagePage();
    // Stores the pending edits: takes the shown page's fields, writes them into the current
    // message and removes the page. Gives the view the keyboard focus.
    void ApplyMessagePage();

    // --- document broadcast ---------------------------------------------------------------
    // Answers hints 2 (go to message), 3 (delete message), 4 (select run), 10 and 69 (the
    // preview hooks) and 20 (before saving). Values out of range are ignored.
    void OnUpdate(DocumentView* sender, int hint, const std::vector<uint32_t>& values) override;

    // --- state ------------------------------------------------------------------------------
    CTreskDoc& Document() const { return doc_; }
    Ui& GetUi() const { return ui_; }
    ViewDisplay& Display() const { return display_; }
    bool HasCurrentBlock() const;
    uint32_t CurrentBlockNumber() const { return currentBlockNumber_; }
    uint32_t SelectionCount() const { return selectionCount_; }
    uint32_t BlockCount() const { return blockCount_; }
    uint16_t CurrentMessageNumber() const { return currentMessageNumber_; }
    // The current message of the current block; null when the block holds none.
    DemoMessage* CurrentMessage() const;
    const std::string& SelectionText() const { return selectionText_; }
    const std::string& NameText() const { return nameText_; }
    const std::string& NumberText() const { return numberText_; }

    // Commands of other families change the navigation state through these; they keep the
    // view's invariants (the document's current block at CurrentBlockNumber(), the block count
    // equal to the document's) and end with RefreshView(), which trims the rest.
    void SetCurrentBlockNumber(uint32_t number) { currentBlockNumber_ = number; }
    void SetSelectionCount(uint32_t count) { selectionCount_ = count; }
    void SetBlockCount(uint32_t count) { blockCount_ = count; }
    void SetCurrentMessageNumber(uint16_t number) { currentMessageNumber_ = number; }

    // The search state of the Search commands: empty text / type -2 = no search yet.
    std::string lastSearchText;
    int32_t lastSearchType = -2;
    // The application's skip-message-delete-confirmation flag (nothing sets it).
    bool skipDeleteConfirmation = false;
    ViewPreviewHooks previewHooks;
    // The application's block buffer, shared by every view; without one the clipboard
    // commands do nothing.
    CBlockBuffer* blockBuffer = nullptr;
    // The application's special-copy buffer (actor_import.h), likewise shared; without one
    // Copy Special and Paste Special do nothing.
    CSpecialBuffer* specialBuffer = nullptr;
    // A 3D preview of the document is open: commands that rebuild what it shows refuse then.
    bool IsPreviewOpen() const;

    // The pages, one per page resource; the shown one, if any.
    MessagePageSet& Pages() { return pages_; }
    MessagePage* ShownPage() const { return shownPage_; }

  private:
    void MoveToBlock(DemoBlock* block, uint32_t number);
    // Keeps the page's edits, then shows block n (1 to the block count) at its first message.
    void GoToBlockStart(uint32_t n);
    void DecodeIfNeeded(DemoBlock* block);
    void TrimSelection();
    void UpdateTexts();
    void RemoveBlock(DemoBlock* block, uint32_t blockNumber);

    CTreskDoc& doc_;
    Ui& ui_;
    ViewDisplay& display_;
    uint32_t currentBlockNumber_ = 0;
    uint32_t selectionCount_ = 0;
    uint32_t blockCount_ = 0;
    uint16_t currentMessageNumber_ = 0;
    std::string selectionText_;
    std::string nameText_;
    std::string numberText_;
    MessagePageSet pages_;
    MessagePage* shownPage_ = nullptr;
    // Where the shown page's record stands, so its edits go back into that record only.
    const DemoBlock* shownBlock_ = nullptr;
    uint16_t shownNumber_ = 0;
    uint8_t shownType_ = 0;
};
