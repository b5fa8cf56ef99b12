// Undo, redo and snapshots: every command that changes a document can be taken back so that
// the demo saves byte for byte as before it, made again so that it saves as after it, and the
// document knows whether it stands where it was saved.
#include "view_fixture.h"

#include "demo/byte_sink.h"
#include "demo/edit_transaction.h"
#include "editor/block_buffer.h"
#include "editor/block_edit.h"
#include "editor/clipboard.h"
#include "editor/command_ids.h"
#include "editor/history_commands.h"

#include "fx/demo_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace edtest;

namespace {

class HistoryTest : public ViewTest {
  protected:
    void OpenPlay(uint32_t blocks, uint32_t firstPlay) {
        Open(PlayDemo(blocks, firstPlay));
        view->blockBuffer = &buffer;
    }
    void OpenFile(const Bytes& file) {
        doc = LoadFile(file);
        doc->AddView(&other);
        view = std::make_unique<CTreskView>(*doc, ui, display);
        view->OnInitialUpdate("");
        view->blockBuffer = &buffer;
    }
    // Runs a command, then checks that undo brings back the bytes from before it and the
    // place it ran at, and that redo brings back the bytes from after it.
    void ExpectUndoable(const std::function<void()>& command, const std::string& label) {
        const Bytes before = Saved();
        const EditPlace place = view->Place();
        const size_t entries = doc->history.Index();
        command();
        ASSERT_EQ(doc->history.Index(), entries + 1) << label << ": no history entry";
        EXPECT_EQ(doc->history.UndoLabel(), label);
        const Bytes after = Saved();
        EXPECT_FALSE(after == before) << label << " changed nothing";
        EXPECT_TRUE(view->OnCommand(ID_EDIT_UNDO));
        EXPECT_TRUE(Saved() == before) << "undo " << label;
        EXPECT_EQ(view->CurrentBlockNumber(), place.block);
        EXPECT_EQ(view->SelectionCount(), place.selection);
        EXPECT_EQ(view->BlockCount(), doc->blockCount);
        EXPECT_TRUE(view->OnCommand(ID_EDIT_REDO));
        EXPECT_TRUE(Saved() == after) << "redo " << label;
        EXPECT_EQ(view->BlockCount(), doc->blockCount);
        // And once more, so that each step has been applied in both directions twice.
        view->OnCommand(ID_EDIT_UNDO);
        EXPECT_TRUE(Saved() == before) << "second undo " << label;
        view->OnCommand(ID_EDIT_REDO);
        EXPECT_TRUE(Saved() == after) << "second redo " << label;
        Order(); // the links agree both ways
    }

    CBlockBuffer buffer;
};

TEST_F(HistoryTest, EveryBlockCommandIsUndoneToTheSavedBytesAndRedone) {
    OpenPlay(160, 6);
    Select(20, 119);
    ExpectUndoable([&] { view->OnEditCut(); }, "Cut 100 blocks");
    Goto(10);
    ExpectUndoable([&] { view->OnEditPaste(); }, "Paste 100 blocks");
    Select(30, 40);
    ExpectUndoable([&] { view->OnReverseSelection(); }, "Reverse 11 blocks");
    Select(150, doc->blockCount);
    ExpectUndoable([&] { view->OnEditDeleteBlocks(); },
                   "Delete " + std::to_string(doc->blockCount - 149) + " blocks");
    Goto(12);
    ui.AnswerAsk(true);
    ExpectUndoable([&] { view->OnDeleteMessage(); }, "Delete frame message");
    Goto(13);
    ui.AnswerNumber(doc->currentBlock->MessageCount()); // the block's print
    view->OnGotoMessage();
    ui.AnswerAsk(true);
    ExpectUndoable([&] { view->OnDeleteMessage(); }, "Delete print message");
    ui.AnswerMessageType("centerprint");
    ExpectUndoable([&] { view->OnAddNewMessage(); }, "Add centerprint message");
    EXPECT_EQ(ui.statuses.back(), "Redone: Add centerprint message");
}

TEST_F(HistoryTest, APageEditIsOneEntryAndLeavingAPageUneditedIsNone) {
    OpenPlay(20, 6);
    Goto(8);
    ui.AnswerNumber(doc->currentBlock->MessageCount()); // the block's print
    view->OnGotoMessage();
    ASSERT_NE(view->ShownPage(), nullptr);
    view->OnNextBlock(); // shown and left alone
    EXPECT_EQ(doc->history.Count(), 0u);
    EXPECT_FALSE(doc->IsModified());
    view->OnPreviousBlock();
    ui.AnswerNumber(doc->currentBlock->MessageCount());
    view->OnGotoMessage();
    ExpectUndoable(
        [&] {
            view->ShownPage()->SetValue("text", "typed");
            view->OnNextBlock();
        },
        "Edit print message");
    EXPECT_EQ(ui.statuses.front(), "Edit print message");
}

TEST_F(HistoryTest, AConfigstringEditedInTheOpeningBlocksIsSavedAndUndone) {
    OpenPlay(20, 6);
    Goto(1);
    ui.AnswerNumber(2);
    view->OnGotoMessage();
    ASSERT_EQ(view->ShownPage()->Value("index"), std::to_string(kModelBase));
    const Bytes before = Saved();
    view->ShownPage()->SetValue("value", "maps/other.bsp");
    view->OnNextBlock();
    EXPECT_EQ(doc->modelTable.Entry(0), "maps/other.bsp");
    auto again = LoadFile(Saved());
    again->DecodeAll();
    EXPECT_EQ(again->modelTable.Entry(0), "maps/other.bsp");
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ(doc->modelTable.Entry(0), "maps/sample1.bsp");
    EXPECT_TRUE(Saved() == before);
}

TEST_F(HistoryTest, ModifiedFollowsTheHistoryThroughEditUndoAndSave) {
    OpenPlay(30, 6);
    EXPECT_FALSE(doc->IsModified());
    Select(10, 12);
    view->OnEditDeleteBlocks();
    EXPECT_TRUE(doc->IsModified());
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_FALSE(doc->IsModified());
    view->OnCommand(ID_EDIT_REDO);
    EXPECT_TRUE(doc->IsModified());
    const std::string path =
        (std::filesystem::temp_directory_path() / "cinerad_history_test.dm2").string();
    std::string error;
    ASSERT_TRUE(doc->OnSaveDocument(path, &error)) << error;
    std::filesystem::remove(path);
    EXPECT_FALSE(doc->IsModified());
    view->OnCommand(ID_EDIT_UNDO); // back to the opened state, which is not on disk now
    EXPECT_TRUE(doc->IsModified());
    view->OnCommand(ID_EDIT_REDO);
    EXPECT_FALSE(doc->IsModified());
    // A new edit after undoing past the save leaves the saved state out of reach.
    view->OnCommand(ID_EDIT_UNDO);
    Select(15, 16);
    view->OnEditDeleteBlocks();
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(doc->IsModified());
    // Nothing to undo: a beep, nothing else.
    while (doc->history.CanUndo()) {
        view->OnCommand(ID_EDIT_UNDO);
    }
    ui.Clear();
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(HistoryTest, SnapshotsRestoreWhatTheyStoredAsOneUndoableStep) {
    OpenPlay(60, 6);
    EXPECT_TRUE(view->OnCommand(IDC_BACKUP_B1));
    const Bytes opened = Saved();
    Select(10, 19);
    view->OnEditCut();
    EXPECT_TRUE(view->OnCommand(IDC_BACKUP_B2));
    const Bytes cut = Saved();
    Goto(30);
    view->OnEditPaste();
    Select(20, 25);
    view->OnReverseSelection();
    const Bytes edited = Saved();

    EXPECT_TRUE(view->OnCommand(IDC_RESTORE_R1));
    EXPECT_TRUE(Saved() == opened);
    EXPECT_EQ(doc->history.UndoLabel(), "Restore snapshot 1");
    EXPECT_TRUE(view->OnCommand(IDC_RESTORE_R2));
    EXPECT_TRUE(Saved() == cut);
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(Saved() == opened);
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(Saved() == edited);

    // A snapshot outlives the entries it needs: undo past it, then a new edit drops them.
    view->OnCommand(ID_EDIT_UNDO); // the reverse
    view->OnCommand(ID_EDIT_UNDO); // the paste
    view->OnCommand(ID_EDIT_UNDO); // the cut: back to the opened demo
    EXPECT_TRUE(Saved() == opened);
    Select(40, 41);
    view->OnEditDeleteBlocks(); // the cut, paste and reverse are no longer redoable
    EXPECT_FALSE(doc->history.CanRedo());
    EXPECT_TRUE(view->OnCommand(IDC_RESTORE_R2));
    EXPECT_TRUE(Saved() == cut);

    // An empty slot says how the slots work; restoring the state it holds adds nothing.
    ui.Clear();
    view->OnCommand(IDC_RESTORE_R3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("B3"), std::string::npos);
    const size_t entries = doc->history.Count();
    view->OnCommand(IDC_RESTORE_R2);
    EXPECT_EQ(doc->history.Count(), entries);
}

TEST_F(HistoryTest, TheHistoryHoldsWhatEditsTouchedAndNoMoreThanItsDepth) {
    OpenPlay(400, 6);
    size_t demo = 0;
    for (const DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next) {
        demo += b->Footprint();
    }
    Goto(50);
    ui.AnswerNumber(doc->currentBlock->MessageCount());
    view->OnGotoMessage();
    view->ShownPage()->SetValue("text", "typed");
    view->OnNextBlock();
    ASSERT_EQ(doc->history.Count(), 1u);
    EXPECT_LT(doc->history.Bytes() * 50, demo);

    doc->history.SetDepth(3);
    for (uint32_t n : {100u, 120u, 140u, 160u, 180u}) {
        Select(n, n);
        view->OnEditDeleteBlocks();
    }
    EXPECT_EQ(doc->history.Count(), 3u);
    EXPECT_EQ(doc->history.UndoLabel(), "Delete 1 block");
    // The opened state is out of reach: undoing all that is left keeps the demo modified.
    while (doc->history.CanUndo()) {
        view->OnCommand(ID_EDIT_UNDO);
    }
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(HistoryTest, ATransactionLeftWithoutACommitPutsTheBlocksBack) {
    OpenPlay(40, 6);
    const Bytes before = Saved();
    {
        EditTransaction edit(*doc, {9, 12}, view->Place());
        DeleteBlockChain(UnlinkBlockRun(*doc, doc->BlockAt(10), 5));
    }
    view->ShowPlace({10, 1, 1});
    EXPECT_EQ(doc->blockCount, 40u);
    EXPECT_TRUE(Saved() == before);
    EXPECT_EQ(doc->history.Count(), 0u);
}

TEST_F(HistoryTest, RecordedDemosUndoACutOf100BlocksToTheirSavedBytes) {
    const std::filesystem::path demos = std::filesystem::path(CINERAD_CORPUS_DIR) / "demos";
    const std::filesystem::path path = demos / "botarchive_aq2botpreview.dm2";
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "no recorded demo at " << path;
    }
    OpenFile(fx::ReadBytes(path));
    ASSERT_GT(doc->blockCount, 300u);
    Select(995, 1094);
    ExpectUndoable([&] { view->OnEditCut(); }, "Cut 100 blocks");
    Goto(100);
    ExpectUndoable([&] { view->OnEditPaste(); }, "Paste 100 blocks");
    Select(300, 320);
    ExpectUndoable([&] { view->OnReverseSelection(); }, "Reverse 21 blocks");
}

} // namespace
