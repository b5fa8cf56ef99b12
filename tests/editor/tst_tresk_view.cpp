// The editor view driven through its commands, with scripted answers from the person.
#include "view_fixture.h"

#include "demo/byte_sink.h"
#include "editor/command_ids.h"
#include "editor/tresk_view.h"

#include <gtest/gtest.h>

#include <memory>

using namespace edtest;

namespace {

// --- initial update ------------------------------------------------------------------------------

TEST_F(ViewTest, InitialUpdateShowsTheFirstBlockOfPlayAloneWithItsFirstMessage) {
    Open(SampleDemo(12, 7));
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(doc->firstFrameBlock, 7u);
    EXPECT_EQ(CurrentTag(), "f7");
    EXPECT_EQ(display.selectionText, "7/12 - 7/12");
    EXPECT_EQ(display.nameText, "frame");
    EXPECT_EQ(display.numberText, "1/3");
    EXPECT_EQ(display.progressLower, 1u);
    EXPECT_EQ(display.progressUpper, 12u);
    EXPECT_EQ(display.progressPosition, 7u);
    EXPECT_EQ(display.shownPageId, IDD_PAGE_FRAME);
    EXPECT_STREQ(doc->refImport.GetBaseDirectory(), "/usr/share/games/quake2//baseq2//");
    EXPECT_EQ(display.focusCount > 0, true);
    for (DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next) {
        EXPECT_TRUE(b->decoded);
    }
    // Its refresh told the other views.
    ASSERT_FALSE(other.hints.empty());
    EXPECT_EQ(other.hints.back().hint, kHintRefresh);
}

TEST_F(ViewTest, ADemoWithoutFramesOpensAtBlockOne) {
    Open(SampleDemo(8, 0));
    EXPECT_EQ(view->CurrentBlockNumber(), 1u);
    EXPECT_EQ(doc->firstFrameBlock, 0u);
    EXPECT_EQ(display.selectionText, "1/8 - 1/8");
    EXPECT_EQ(display.nameText, "serverdata");
    // Select All has no first block of play to go back to.
    view->OnSelectAll();
    EXPECT_EQ(display.selectionText, "1/8 - 8/8");
}

TEST_F(ViewTest, BeforeTheInitialUpdateCommandsDoNothing) {
    doc = LoadDoc(SampleDemo(10, 7));
    view = std::make_unique<CTreskView>(*doc, ui, display);
    view->OnNextBlock();
    view->OnPreviousMessage();
    view->OnGotoBlock();
    view->OnSelect();
    view->OnReverseSelection();
    view->OnDeleteMessage();
    view->OnUpdate(nullptr, kHintBeforeSave, {});
    EXPECT_TRUE(ui.transcript.empty());
    EXPECT_EQ(display.showCount, 0);
    EXPECT_FALSE(view->HasCurrentBlock());
}

// --- block navigation ----------------------------------------------------------------------------

TEST_F(ViewTest, BlockNavigationBeepsAtBothEndsAndChangesNothing) {
    Open(SampleDemo(10, 7));
    Goto(10);
    ui.Clear();
    view->OnNextBlock();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"beep"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 10u);

    Goto(1);
    ui.Clear();
    view->OnPreviousBlock();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"beep"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 1u);

    view->OnNextBlock();
    view->OnNextBlock();
    EXPECT_EQ(view->CurrentBlockNumber(), 3u);
    EXPECT_EQ(CurrentTag(), "signon 3");
    view->OnPreviousBlock();
    EXPECT_EQ(CurrentTag(), "signon 2");
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(ViewTest, NextBlockResetsTheMessageAndShrinksASelectionThatReachesTheEnd) {
    Open(SampleDemo(12, 7));
    Select(9, 12); // N - 3 to N
    ui.AnswerNumber(3);
    view->OnGotoMessage();
    view->OnNextBlock();
    EXPECT_EQ(view->CurrentBlockNumber(), 10u);
    EXPECT_EQ(view->SelectionCount(), 3u);
    EXPECT_EQ(view->CurrentMessageNumber(), 1u);
    EXPECT_EQ(display.selectionText, "10/12 - 12/12");
    // A selection that does not reach the end moves along whole.
    Select(7, 8);
    view->OnNextBlock();
    EXPECT_EQ(display.selectionText, "8/12 - 9/12");
}

// --- message navigation --------------------------------------------------------------------------

TEST_F(ViewTest, MessageNavigationCrossesBlocksWithABeep) {
    Open(SampleDemo(12, 4)); // blocks 4 to 12 hold 3 messages each
    Goto(4);
    view->OnNextMessage();
    view->OnNextMessage();
    EXPECT_EQ(display.numberText, "3/3");
    ui.Clear();
    view->OnNextMessage(); // last message of block 4
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"beep"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 5u);
    EXPECT_EQ(display.numberText, "1/3");
    EXPECT_EQ(display.nameText, "frame");

    ui.Clear();
    view->OnPreviousMessage(); // message 1 of block 5
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(view->CurrentBlockNumber(), 4u);
    EXPECT_EQ(display.numberText, "3/3");
    EXPECT_EQ(display.nameText, "print");
}

TEST_F(ViewTest, MessageNavigationStopsAtTheEndsOfTheDemo) {
    Open(SampleDemo(6, 4)); // opens at block 6, the last
    ASSERT_EQ(view->CurrentBlockNumber(), 6u);
    ui.AnswerNumber(3);
    view->OnGotoMessage();
    ui.Clear();
    view->OnNextMessage();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"beep"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 6u);
    EXPECT_EQ(view->CurrentMessageNumber(), 3u);

    Goto(1);
    ui.Clear();
    view->OnPreviousMessage();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"beep"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 1u);
    EXPECT_EQ(view->CurrentMessageNumber(), 1u);
}

TEST_F(ViewTest, CrossingIntoAShorterBlockKeepsTheSelectionInsideTheDemo) {
    Open(SampleDemo(8, 4));
    Select(7, 8);
    ui.AnswerNumber(3);
    view->OnGotoMessage();
    view->OnNextMessage(); // into block 8, the last: the run 8..9 is trimmed to 8
    EXPECT_EQ(view->CurrentBlockNumber(), 8u);
    EXPECT_EQ(display.selectionText, "8/8 - 8/8");
}

TEST_F(ViewTest, EmptyBlocksCanBeWalkedThrough) {
    Open(SampleDemo(9, 7));
    view->BlockByNumber(8)->ClearMessages(); // as when every message was removed from it
    Goto(8);
    EXPECT_EQ(display.numberText, "0/0");
    EXPECT_EQ(display.nameText, "");
    EXPECT_EQ(display.shownPageId, 0);
    EXPECT_EQ(view->CurrentMessage(), nullptr);
    ui.Clear();
    view->OnDeleteMessage(); // nothing to delete, nothing asked
    EXPECT_TRUE(ui.transcript.empty());
    ui.AnswerNumber(1);
    view->OnGotoMessage();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Invalid message number"}));
    view->OnNextMessage();
    EXPECT_EQ(view->CurrentBlockNumber(), 9u);
    EXPECT_EQ(display.numberText, "1/3");
    view->OnPreviousMessage(); // back into the empty block
    EXPECT_EQ(view->CurrentBlockNumber(), 8u);
    view->OnPreviousMessage();
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(display.numberText, "3/3");
}

// --- GOTO ----------------------------------------------------------------------------------------

TEST_F(ViewTest, GotoBlockOffersTheBlockAfterTheSelectionAndRefusesBadNumbers) {
    Open(SampleDemo(12, 7));
    Select(7, 9);
    ui.Clear();
    ui.CancelNumber();
    view->OnGotoBlock();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"number: 10"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);

    for (uint32_t bad : {0u, 7u, 13u}) {
        ui.Clear();
        ui.AnswerNumber(bad);
        view->OnGotoBlock();
        EXPECT_EQ(ui.transcript,
                  (std::vector<std::string>{"number: 10", "beep", "message: Invalid block number"}))
            << bad;
        EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    }

    ui.AnswerNumber(3);
    view->OnGotoMessage();
    ui.AnswerNumber(12);
    view->OnGotoBlock();
    EXPECT_EQ(CurrentTag(), "f12");
    EXPECT_EQ(view->CurrentMessageNumber(), 1u);
    EXPECT_EQ(display.selectionText, "12/12 - 12/12"); // the run 12..14 is trimmed
    ui.AnswerNumber(2);
    view->OnGotoBlock(); // backwards
    EXPECT_EQ(CurrentTag(), "signon 2");
}

TEST_F(ViewTest, GotoMessageAcceptsAnyMessageOfTheBlock) {
    Open(SampleDemo(10, 7));
    ui.Clear();
    ui.AnswerNumber(4);
    view->OnGotoMessage();
    EXPECT_EQ(ui.transcript,
              (std::vector<std::string>{"number: 1", "beep", "message: Invalid message number"}));
    ui.AnswerNumber(0);
    view->OnGotoMessage();
    EXPECT_EQ(ui.beeps, 2);
    ui.AnswerNumber(3);
    view->OnGotoMessage();
    EXPECT_EQ(display.numberText, "3/3");
    ui.AnswerNumber(3); // the current one is accepted too
    view->OnGotoMessage();
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(display.numberText, "3/3");
}

// --- SELECT --------------------------------------------------------------------------------------

TEST_F(ViewTest, SelectWithANegativeCountSelectsBackwards) {
    Open(SampleDemo(20, 7));
    Goto(10);
    ui.Clear();
    ui.AnswerSelectionCount("-3");
    view->OnSelect();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"selection: 10 10 1"}));
    EXPECT_EQ(view->CurrentBlockNumber(), 8u);
    EXPECT_EQ(CurrentTag(), "f8");
    EXPECT_EQ(display.selectionText, "8/20 - 10/20");
}

TEST_F(ViewTest, SelectWithCountMinusOneSelectsToTheLastBlock) {
    Open(SampleDemo(20, 7));
    Goto(10);
    ui.AnswerSelectionCount("-1");
    view->OnSelect();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(view->CurrentBlockNumber(), 10u);
    EXPECT_EQ(display.selectionText, "10/20 - 20/20");
}

TEST_F(ViewTest, SelectOutsideTheDemoWarnsAndTrims) {
    Open(SampleDemo(20, 7));
    Goto(15);
    ui.AnswerSelectionCount("10");
    view->OnSelect();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Warning: Not all blocks were selected"}));
    EXPECT_EQ(display.selectionText, "15/20 - 20/20");

    // Backwards past block 1: the run goes down to block 2 and ends at the old current block.
    Goto(5);
    ui.Clear();
    ui.AnswerSelectionCount("-9");
    view->OnSelect();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Warning: Not all blocks were selected"}));
    EXPECT_EQ(display.selectionText, "2/20 - 5/20");

    // Block 2 itself selects nothing more than itself, never forwards to the end.
    ui.Clear();
    ui.AnswerSelectionCount("-4");
    view->OnSelect();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Warning: Not all blocks were selected"}));
    EXPECT_EQ(display.selectionText, "2/20 - 2/20");
}

TEST_F(ViewTest, SelectCancelledOrZeroLeavesAtLeastTheCurrentBlock) {
    Open(SampleDemo(20, 7));
    Select(7, 9);
    ui.CancelSelection();
    view->OnSelect();
    EXPECT_EQ(display.selectionText, "7/20 - 9/20");
    ui.selectionAnswers.emplace_back([](BlockSelectionDlgData& d) {
        d.countText = "0";
        d.count = 0;
        return true;
    });
    view->OnSelect();
    EXPECT_EQ(display.selectionText, "7/20 - 7/20");
}

TEST_F(ViewTest, SelectTellsThePreviewSideAfterTheRefresh) {
    Open(SampleDemo(20, 7));
    std::string seen;
    view->previewHooks.selectionConfirmed = [&] { seen = view->SelectionText(); };
    ui.AnswerSelectionCount("4");
    view->OnSelect();
    EXPECT_EQ(seen, "7/20 - 10/20");
}

// --- Select All / DeSelect All -------------------------------------------------------------------

TEST_F(ViewTest, SelectAllStartsAtTheFirstBlockOfPlayOrAtAnEarlierCurrentBlock) {
    Open(SampleDemo(12, 7));
    Goto(9);
    view->OnSelectAll();
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(CurrentTag(), "f7");
    EXPECT_EQ(display.selectionText, "7/12 - 12/12");

    Goto(3);
    view->OnSelectAll();
    EXPECT_EQ(view->CurrentBlockNumber(), 3u);
    EXPECT_EQ(display.selectionText, "3/12 - 12/12");

    view->OnDeselectAll();
    EXPECT_EQ(display.selectionText, "3/12 - 3/12");
}

// --- Reverse Selection ---------------------------------------------------------------------------

TEST_F(ViewTest, ReverseSelectionGuardsInTheirOrder) {
    Open(SampleDemo(12, 7));
    Select(4, 6);
    ui.Clear();
    view->OnReverseSelection();
    Select(3, 3); // both the first and the third guard apply: the first speaks
    view->OnReverseSelection();
    Select(10, 12);
    view->OnReverseSelection();
    Select(8, 8);
    view->OnReverseSelection();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "Don't mess with the first four blocks m0r0n!",
                               "Don't mess with the first four blocks m0r0n!",
                               "Don't screw with the last block m0ron!",
                               "Must have more than 1 block selected idiot!",
                           }));
    EXPECT_EQ(Order(), (std::vector<std::string>{"serverdata", "signon 2", "signon 3", "signon 4",
                                                 "signon 5", "signon 6", "f7", "f8", "f9", "f10",
                                                 "f11", "f12"}));
}

TEST_F(ViewTest, ReverseSelectionOfTwoBlocks) {
    Open(SampleDemo(12, 7));
    Select(5, 6);
    view->OnReverseSelection();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(view->CurrentBlockNumber(), 5u);
    EXPECT_EQ(CurrentTag(), "signon 6");
    EXPECT_EQ(display.selectionText, "5/12 - 6/12");
    EXPECT_EQ(Order(), (std::vector<std::string>{"serverdata", "signon 2", "signon 3", "signon 4",
                                                 "signon 6", "signon 5", "f7", "f8", "f9", "f10",
                                                 "f11", "f12"}));
}

TEST_F(ViewTest, ReverseSelectionOfManyBlocksRelinksBothWays) {
    Open(SampleDemo(12, 7));
    Select(7, 11);
    view->OnReverseSelection();
    EXPECT_EQ(CurrentTag(), "f11");
    EXPECT_EQ(Order(), (std::vector<std::string>{"serverdata", "signon 2", "signon 3", "signon 4",
                                                 "signon 5", "signon 6", "f11", "f10", "f9", "f8",
                                                 "f7", "f12"}));
    // Navigation walks the new order.
    view->OnNextBlock();
    EXPECT_EQ(CurrentTag(), "f10");
    ui.AnswerNumber(12);
    view->OnGotoBlock();
    view->OnPreviousBlock();
    EXPECT_EQ(CurrentTag(), "f7");
}

TEST_F(ViewTest, ReverseSelectionStoresThePendingEditsOfTheMovingBlock) {
    Open(SampleDemo(12, 7));
    Select(7, 8);
    ui.AnswerNumber(2);
    view->OnGotoMessage();
    ASSERT_NE(view->ShownPage(), nullptr);
    view->ShownPage()->SetValue("text", "edited");
    DemoBlock* old7 = doc->currentBlock;
    view->OnReverseSelection();
    EXPECT_EQ(MessageCast<PrintMessage>(old7->MessageAt(2))->text, "edited");
}

// --- deleting messages ---------------------------------------------------------------------------

TEST_F(ViewTest, DeleteAsksAndNoKeepsTheMessage) {
    Open(SampleDemo(10, 7));
    ui.AnswerAsk(false);
    view->OnDeleteMessage();
    EXPECT_EQ(ui.transcript,
              (std::vector<std::string>{"ask: Are you sure you want to delete this message?"}));
    EXPECT_EQ(doc->currentBlock->MessageCount(), 3u);
}

TEST_F(ViewTest, DeletingTheLastMessageOfABlockStepsBack) {
    Open(SampleDemo(10, 7));
    ui.AnswerNumber(3);
    view->OnGotoMessage();
    other.hints.clear();
    ui.AnswerAsk(true);
    view->OnDeleteMessage();
    EXPECT_EQ(view->CurrentMessageNumber(), 2u);
    EXPECT_EQ(display.numberText, "2/2");
    EXPECT_EQ(MessageCast<PrintMessage>(doc->currentBlock->LastMessage())->text, "b7 m1");
    auto hints = other.Without(kHintRefresh);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].hint, kHintDeleteMessage);
    EXPECT_EQ(hints[0].values, (std::vector<uint32_t>{7, 3, 1}));
}

TEST_F(ViewTest, DeletingTheFirstMessageKeepsTheNumber) {
    Open(SampleDemo(10, 7));
    ui.AnswerAsk(true);
    view->OnDeleteMessage();
    EXPECT_EQ(display.numberText, "1/2");
    EXPECT_EQ(display.nameText, "print");
    EXPECT_EQ(MessageCast<PrintMessage>(doc->currentBlock->FirstMessage())->text, "b7 m1");
}

TEST_F(ViewTest, DeletingTheOnlyMessageRemovesTheBlock) {
    Open(SampleDemo(12, 7));
    Goto(3); // "signon 3" alone
    ui.AnswerSelectionCount("3");
    view->OnSelect();
    other.hints.clear();
    ui.AnswerAsk(true);
    view->OnDeleteMessage();
    EXPECT_EQ(view->BlockCount(), 11u);
    EXPECT_EQ(doc->blockCount, 11u);
    EXPECT_EQ(view->CurrentBlockNumber(), 3u);
    EXPECT_EQ(CurrentTag(), "signon 4");
    EXPECT_EQ(display.selectionText, "3/11 - 5/11");
    EXPECT_EQ(doc->firstFrameBlock, 6u); // the first block of play moved up with its block
    auto hints = other.Without(kHintRefresh);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].values, (std::vector<uint32_t>{3, 1, 2}));
    EXPECT_EQ(Order().size(), 11u);
}

TEST_F(ViewTest, DeletingTheLastBlockMakesThePreviousOneCurrent) {
    std::vector<Bytes> blocks = SampleDemo(9, 7);
    blocks.push_back(fx::Msg::Print(2, "tail"));
    Open(blocks);
    Goto(10);
    ui.AnswerAsk(true);
    view->OnDeleteMessage();
    EXPECT_EQ(view->CurrentBlockNumber(), 9u);
    EXPECT_EQ(CurrentTag(), "f9");
    EXPECT_EQ(display.selectionText, "9/9 - 9/9");
    EXPECT_EQ(doc->LastBlock(), doc->currentBlock);
    EXPECT_EQ(doc->currentBlock->next, nullptr);
}

TEST_F(ViewTest, DeletingABlockBeforeTheCurrentOneRenumbersIt) {
    Open(SampleDemo(12, 7));
    Goto(9);
    uint16_t number = 1;
    EXPECT_EQ(view->DeleteMessage(view->BlockByNumber(4), number, 4), kBlockDeleted);
    EXPECT_EQ(view->CurrentBlockNumber(), 8u);
    EXPECT_EQ(CurrentTag(), "f9");
    EXPECT_EQ(doc->firstFrameBlock, 6u);
    view->RefreshView();
    EXPECT_EQ(display.selectionText, "8/11 - 8/11");
}

TEST_F(ViewTest, TheDemosOnlyMessageIsNeverDeleted) {
    Open({fx::Msg::ServerData({})});
    EXPECT_EQ(display.selectionText, "1/1 - 1/1");
    view->OnDeleteMessage();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"beep"}));
    uint16_t number = 1;
    EXPECT_EQ(view->DeleteMessage(doc->currentBlock, number, 1), kNothingDeleted);
    EXPECT_EQ(doc->blockCount, 1u);
    EXPECT_EQ(doc->currentBlock->MessageCount(), 1u);
    EXPECT_TRUE(other.Without(kHintRefresh).empty());
}

TEST_F(ViewTest, DeleteMessageRefusesNumbersOutsideTheBlock) {
    Open(SampleDemo(10, 7));
    uint16_t number = 4;
    EXPECT_EQ(view->DeleteMessage(doc->currentBlock, number, 7), kNothingDeleted);
    number = 0;
    EXPECT_EQ(view->DeleteMessage(doc->currentBlock, number, 7), kNothingDeleted);
    EXPECT_EQ(view->DeleteMessage(nullptr, number, 7), kNothingDeleted);
    EXPECT_EQ(doc->currentBlock->MessageCount(), 3u);
}

// --- update hints --------------------------------------------------------------------------------

TEST_F(ViewTest, HintsFromOtherViewsMoveSelectAndDelete) {
    Open(SampleDemo(12, 7));
    view->OnUpdate(&other, kHintGotoMessage, {10, 3});
    EXPECT_EQ(CurrentTag(), "f10");
    EXPECT_EQ(display.numberText, "3/3");

    view->OnUpdate(&other, kHintSelectBlocks, {8, 11});
    EXPECT_EQ(display.selectionText, "8/12 - 11/12");

    other.hints.clear();
    view->OnUpdate(&other, kHintDeleteMessage, {10, 2});
    EXPECT_EQ(view->BlockByNumber(10)->MessageCount(), 2u);
    EXPECT_EQ(MessageCast<PrintMessage>(view->BlockByNumber(10)->MessageAt(2))->text, "b10 m2");
    auto hints = other.Without(kHintRefresh);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].values, (std::vector<uint32_t>{10, 2, 1}));
}

TEST_F(ViewTest, HintsOutsideTheDemoAreIgnored) {
    Open(SampleDemo(12, 7));
    view->OnUpdate(&other, kHintGotoMessage, {13, 1});
    view->OnUpdate(&other, kHintGotoMessage, {0, 1});
    view->OnUpdate(&other, kHintGotoMessage, {8});
    view->OnUpdate(&other, kHintSelectBlocks, {9, 8});
    view->OnUpdate(&other, kHintDeleteMessage, {99, 1});
    view->OnUpdate(&other, kHintDeleteMessage, {8, 7});
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(display.selectionText, "7/12 - 7/12");
    EXPECT_EQ(doc->blockCount, 12u);
    EXPECT_EQ(view->BlockByNumber(8)->MessageCount(), 3u);
}

TEST_F(ViewTest, SavingStoresThePendingEditsAndRenumbersTheFrames) {
    std::vector<Bytes> blocks = SampleDemo(10, 7);
    for (int32_t n = 7; n <= 10; ++n) {
        int32_t number = n == 9 ? 5000 : 1000 + n; // block 9 out of step
        blocks[static_cast<size_t>(n - 1)] =
            fx::Cat({fx::Msg::Frame(number, n == 7 ? -1 : number - 1), fx::Msg::PlayerInfo({}),
                     fx::Msg::PacketEntities({}), fx::Msg::Print(1, "b m1")});
    }
    Open(blocks);
    view->OnUpdate(&other, kHintGotoMessage, {8, 4});
    view->ShownPage()->SetValue("text", "changed before saving");
    VectorSink sink;
    doc->SaveTo(sink);
    // The record took the edit, and the saved bytes carry it.
    EXPECT_EQ(MessageCast<PrintMessage>(view->CurrentMessage())->text, "changed before saving");
    std::string saved(sink.bytes.begin(), sink.bytes.end());
    EXPECT_NE(saved.find("changed before saving"), std::string::npos);
    // Frames count on from the first, each a delta from the one before; the frame that named
    // a frame the game never had (block 9, and so block 10 after it) stays unshown by naming a
    // stale ring entry.
    for (uint32_t n = 7; n <= 10; ++n) {
        auto* frame = MessageCast<FrameMessage>(view->BlockByNumber(n)->FindMessage(svc_frame));
        ASSERT_NE(frame, nullptr);
        const int32_t s = static_cast<int32_t>(1007 + (n - 7));
        EXPECT_EQ(frame->server_frame, s) << n;
        EXPECT_EQ(frame->delta_frame, n == 7 ? -1 : n >= 9 ? s + 15 : s - 1) << n;
    }
    // The view shows the current message's page again.
    EXPECT_EQ(display.shownPageId, IDD_PAGE_PRINT);
    EXPECT_EQ(view->ShownPage()->Value("text"), "changed before saving");
}

// --- pages in the view ---------------------------------------------------------------------------

TEST_F(ViewTest, LeavingAMessageStoresItsEditsIntoThatMessageOnly) {
    Open(SampleDemo(10, 7));
    ui.AnswerNumber(2);
    view->OnGotoMessage();
    display.onStore = [](MessagePage& page) { page.SetValue("text", "typed"); };
    view->OnNextMessage();
    display.onStore = nullptr;
    EXPECT_EQ(MessageCast<PrintMessage>(doc->currentBlock->MessageAt(2))->text, "typed");
    EXPECT_EQ(MessageCast<PrintMessage>(doc->currentBlock->MessageAt(3))->text, "b7 m2");
    EXPECT_EQ(display.shownPageId, IDD_PAGE_PRINT);
    EXPECT_EQ(view->ShownPage()->Value("text"), "b7 m2");
}

TEST_F(ViewTest, ThePageOfADeletedMessageIsNotWrittenIntoItsSuccessor) {
    Open(SampleDemo(10, 7));
    ui.AnswerNumber(2);
    view->OnGotoMessage();
    view->ShownPage()->SetValue("text", "pending");
    // Another part deletes message 1 of the current block without storing first.
    uint16_t number = 1;
    view->DeleteMessage(doc->currentBlock, number, 7);
    view->RefreshView();
    // The edit went into its own message (now message 1), not into message 2.
    EXPECT_EQ(MessageCast<PrintMessage>(doc->currentBlock->MessageAt(1))->text, "pending");
    EXPECT_EQ(MessageCast<PrintMessage>(doc->currentBlock->MessageAt(2))->text, "b7 m2");
}

TEST_F(ViewTest, PageButtonsRunOnWhatWasTypedAndShowTheResult) {
    fx::Sound wire;
    wire.flags = SND_VOLUME | SND_ATTENUATION | SND_POS;
    wire.soundnum = 1;
    wire.volume = 255;
    wire.attenuation = 64;
    wire.origin = {8, 16, 24};
    Open(
        {fx::Cat({fx::Msg::ServerData({}), fx::Msg::ConfigString(kSoundBase, "world/ambient.wav")}),
         fx::Msg::Sound(wire), fx::Msg::Nop(), fx::Msg::Nop(), fx::Msg::Nop(),
         fx::Msg::Frame(1, 0)});
    ui.AnswerNumber(2);
    view->OnGotoBlock();
    ASSERT_EQ(display.shownPageId, IDD_PAGE_SOUND);
    EXPECT_EQ(view->ShownPage()->Value("filename"), "world/ambient.wav");
    display.onStore = [](MessagePage& page) { page.SetValue("volume", "100"); };
    ui.AnswerAsk(false);
    ui.CancelNumber();
    display.storeCount = 0;
    view->OnPageButton("auto_origin");
    EXPECT_EQ(display.storeCount, 1);
    EXPECT_EQ(display.updateCount, 0); // cancelled: nothing changed
    EXPECT_EQ(view->ShownPage()->Value("volume"), "100");

    MessagePtr player = NewMessage(svc_playerinfo);
    MessageCast<PlayerInfoMessage>(player.get())->state.origin[2] = 40;
    doc->currentBlock->AppendMessage(std::move(player));
    display.onStore = nullptr;
    ui.AnswerAsk(true);
    view->OnPageButton("auto_origin");
    EXPECT_EQ(display.updateCount, 1);
    EXPECT_EQ(view->ShownPage()->Value("origin.2"), "5");
    // Leaving the message writes the page, typed volume and camera origin, into the sound.
    view->OnNextMessage();
    const auto* sound = MessageCast<SoundMessage>(doc->currentBlock->FirstMessage());
    EXPECT_EQ(sound->volume, 100);
    EXPECT_EQ(sound->origin[0], 0);
    EXPECT_EQ(sound->origin[2], 40);
}

TEST(ViewCommands, KeepsTheFrameworkCommandsDisabled) {
    for (int id :
         {ID_FILE_NEW, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_WINDOW_NEW, ID_VIEW_ENTITIES}) {
        EXPECT_FALSE(CTreskView::IsCommandEnabled(id)) << id;
    }
    for (int id :
         {int{ID_FILE_OPEN}, int{ID_FILE_SAVE}, int{ID_EDIT_SELECT_ALL}, int{IDC_NEXT_BLOCK}}) {
        EXPECT_TRUE(CTreskView::IsCommandEnabled(id)) << id;
    }
    // The overhead view is the application's to open, not the editor's.
    EXPECT_FALSE(CTreskView::HandlesCommand(ID_VIEW_2D_OVERHEAD));
}

TEST_F(ViewTest, CommandsRouteById) {
    Open(SampleDemo(10, 7));
    EXPECT_TRUE(view->OnCommand(IDC_NEXT_BLOCK));
    EXPECT_EQ(view->CurrentBlockNumber(), 8u);
    EXPECT_TRUE(view->OnCommand(IDC_PREVIOUS_MESSAGE));
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    // Undo and Redo are enabled only with something to take back or make again.
    EXPECT_FALSE(view->IsCommandEnabledNow(ID_EDIT_UNDO));
    EXPECT_FALSE(view->IsCommandEnabledNow(ID_EDIT_REDO));
    EXPECT_FALSE(view->OnCommand(ID_VIEW_SOUNDS)); // another family's command
}

TEST_F(ViewTest, TheViewLeavesTheDocumentWhenDestroyed) {
    Open(SampleDemo(8, 7));
    EXPECT_EQ(doc->Views().size(), 2u);
    view.reset();
    EXPECT_EQ(doc->Views().size(), 1u);
}

} // namespace

TEST_F(ViewTest, ViewModelNeedsAnOpenPreviewAndOtherwiseShowsTheModelRow) {
    Open(SampleDemo(8, 6));
    std::vector<uint32_t> shown;
    view->previewHooks.showModel = [&shown](uint32_t row) { shown.push_back(row); };
    view->OnUpdate(nullptr, kHintShowModel, {1, 0});
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"3D preview must be open for this feature to work."});
    EXPECT_TRUE(shown.empty());

    doc->previewOpen = true;
    view->OnUpdate(nullptr, kHintShowModel, {1, 0});
    EXPECT_EQ(shown, std::vector<uint32_t>{1});
    EXPECT_EQ(ui.messages.size(), 1u);
    // A hint without its row is ignored.
    view->OnUpdate(nullptr, kHintShowModel, {});
    EXPECT_EQ(shown.size(), 1u);
}
