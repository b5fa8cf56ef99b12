// The block clipboard commands of the view: what they do to the block list, what they refuse,
// and that the saved demo shows the game the frames the edited list says.
#include "view_fixture.h"

#include "demo/byte_sink.h"
#include "editor/block_buffer.h"
#include "editor/clipboard.h"
#include "editor/command_ids.h"

#include <gtest/gtest.h>

#include <map>

using namespace edtest;

namespace {

// What the game shows of a document once saved, frame by frame.
std::vector<int> SavedFramesOf(CTreskDoc& doc) {
    VectorSink out;
    doc.SaveTo(out);
    auto again = LoadFile(out.bytes);
    again->DecodeAll();
    for (const DecodeProblem& p : again->Problems()) {
        ADD_FAILURE() << "saved demo: " << p.text;
    }
    return ShownPlayFrames(*again);
}

class ClipboardTest : public ViewTest {
  protected:
    void OpenPlay(uint32_t blocks, uint32_t firstPlay) {
        Open(PlayDemo(blocks, firstPlay));
        view->blockBuffer = &buffer;
    }
    std::vector<int> SavedFrames() { return SavedFramesOf(*doc); }
    static std::vector<int> Range(int first, int last) {
        std::vector<int> out;
        for (int n = first; n <= last; ++n) {
            out.push_back(n);
        }
        return out;
    }
    static std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
        std::vector<int> out;
        for (const auto& p : parts) {
            out.insert(out.end(), p.begin(), p.end());
        }
        return out;
    }

    CBlockBuffer buffer;
};

TEST_F(ClipboardTest, CopyLeavesTheDemoAloneAndPastesTwiceShowTheCopiedFrames) {
    OpenPlay(20, 4);
    ASSERT_EQ(ShownPlayFrames(*doc), Range(4, 20));
    const Bytes before = Saved();
    Select(6, 8);
    view->OnEditCopy();
    EXPECT_EQ(buffer.Count(), 3u);
    EXPECT_EQ(Saved(), before); // byte for byte
    EXPECT_EQ(view->BlockCount(), 20u);

    Goto(12);
    EXPECT_TRUE(view->IsCommandEnabledNow(ID_EDIT_PASTE));
    view->OnEditPaste();
    EXPECT_EQ(view->CurrentBlockNumber(), 13u);
    EXPECT_EQ(CurrentTag(), "f6");
    Goto(12);
    view->OnEditPaste();
    EXPECT_EQ(view->BlockCount(), 26u);
    EXPECT_EQ(doc->blockCount, 26u);
    std::vector<int> expected = Join({Range(4, 12), Range(6, 8), Range(6, 8), Range(13, 20)});
    EXPECT_EQ(ShownPlayFrames(*doc), expected);
    EXPECT_EQ(SavedFrames(), expected);
    // A frame's events (the messages since the frame before) travel with it, and the frame
    // after the paste keeps its own.
    EXPECT_EQ(MessageCast<PrintMessage>(doc->BlockAt(13)->FirstMessage())->text, "b5 m1");
    EXPECT_EQ(MessageCast<PrintMessage>(doc->BlockAt(19)->FirstMessage())->text, "b12 m1");
}

TEST_F(ClipboardTest, CutInTheMiddleAndToTheEnd) {
    OpenPlay(20, 4);
    Select(5, 7);
    view->OnEditCut();
    EXPECT_EQ(buffer.Count(), 3u);
    EXPECT_EQ(view->BlockCount(), 17u);
    EXPECT_EQ(view->CurrentBlockNumber(), 5u);
    EXPECT_EQ(CurrentTag(), "f8");
    EXPECT_EQ(display.selectionText, "5/17 - 5/17");
    std::vector<int> expected = Join({{4}, Range(8, 20)});
    EXPECT_EQ(ShownPlayFrames(*doc), expected);
    EXPECT_EQ(SavedFrames(), expected);

    Select(14, 17); // the last four
    view->OnEditCut();
    EXPECT_EQ(view->BlockCount(), 13u);
    EXPECT_EQ(view->CurrentBlockNumber(), 13u);
    EXPECT_EQ(CurrentTag(), "f16");
    EXPECT_EQ(doc->LastBlock(), doc->currentBlock);
    EXPECT_EQ(SavedFrames(), Join({{4}, Range(8, 16)}));
    EXPECT_EQ(Order().size(), 13u);
}

// Configstrings set during play, each after its block's frame, so the next frame on holds it.
std::vector<Bytes> PlayDemoWithConfigStrings() {
    std::vector<Bytes> blocks = PlayDemo(24, 4);
    auto add = [&](uint32_t block, int index, const char* value) {
        Bytes cs = fx::Msg::ConfigString(index, value);
        blocks[block - 1].insert(blocks[block - 1].end(), cs.begin(), cs.end());
    };
    add(8, kModelBase + 1, "models/late.md2"); // a model the signon lacks
    add(10, CS_LIGHTS + 1, "abc");             // a light style
    add(14, CS_LIGHTS + 1, "zz");
    add(16, kModelBase, "maps/other.bsp"); // the signon's own entry replaced
    return blocks;
}

// The value the saved demo's frames hold for `index`, keyed by the frame each shows.
std::map<int, std::string> SavedConfigStrings(CTreskDoc& doc, int index) {
    VectorSink out;
    doc.SaveTo(out);
    auto again = LoadFile(out.bytes);
    again->DecodeAll();
    std::vector<int> frames = ShownPlayFrames(*again);
    std::vector<std::string> held = HeldConfigStrings(*again, index);
    std::map<int, std::string> byFrame;
    for (size_t k = 0; k < frames.size() && k < held.size(); ++k) {
        byFrame[frames[k]] = held[k];
    }
    return byFrame;
}

TEST_F(ClipboardTest, FramesAfterAnEditHoldTheConfigStringsTheyHeld) {
    Open(PlayDemoWithConfigStrings());
    view->blockBuffer = &buffer;
    // Cut the blocks that set the model and the first light style: frame 13 still holds both.
    Select(7, 12);
    view->OnEditCut();
    auto model = SavedConfigStrings(*doc, kModelBase + 1);
    auto light = SavedConfigStrings(*doc, CS_LIGHTS + 1);
    auto map = SavedConfigStrings(*doc, kModelBase);
    EXPECT_EQ(model[6], "");
    EXPECT_EQ(model[13], "models/late.md2");
    EXPECT_EQ(light[6], "");
    EXPECT_EQ(light[13], "abc");
    EXPECT_EQ(light[15], "zz");
    EXPECT_EQ(map[13], "maps/sample1.bsp");
    EXPECT_EQ(map[17], "maps/other.bsp");

    // Paste frames 13 and 14 after frame 18: they hold what they held, and frame 19 after
    // them what it held, the signon's map entry among the values put back.
    Select(7, 8);
    view->OnEditCopy();
    Goto(12); // frame 18
    view->OnEditPaste();
    ASSERT_EQ(ShownPlayFrames(*doc),
              Join({Range(4, 6), Range(13, 18), Range(13, 14), Range(19, 24)}));
    VectorSink out;
    doc->SaveTo(out);
    auto again = LoadFile(out.bytes);
    again->DecodeAll();
    std::vector<std::string> mapHeld = HeldConfigStrings(*again, kModelBase);
    std::vector<std::string> lightHeld = HeldConfigStrings(*again, CS_LIGHTS + 1);
    // Frames in order: 4 5 6 13 14 15 16 17 18 13 14 19 ...
    ASSERT_GE(mapHeld.size(), 12u);
    EXPECT_EQ(mapHeld[8], "maps/other.bsp");   // frame 18
    EXPECT_EQ(mapHeld[9], "maps/sample1.bsp"); // the pasted 13
    EXPECT_EQ(lightHeld[9], "abc");
    EXPECT_EQ(lightHeld[10], "abc");
    EXPECT_EQ(lightHeld[11], "zz"); // frame 19
    EXPECT_EQ(mapHeld[11], "maps/other.bsp");
}

TEST_F(ClipboardTest, CutThePlayRightAfterTheSignonKeepsTheNextFrameWhole) {
    OpenPlay(20, 6);
    Select(6, 9);
    view->OnEditCut();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(SavedFrames(), Range(10, 20));
}

TEST_F(ClipboardTest, BlocksCutFromOneDemoShowTheirFramesInAnother) {
    OpenPlay(30, 4);
    Select(20, 24);
    view->OnEditCut();
    // A second demo, its own frames numbered far from the first's.
    ScriptedUi otherUi;
    RecordingDisplay otherDisplay;
    auto target = LoadDoc(PlayDemo(12, 4));
    CTreskView second(*target, otherUi, otherDisplay);
    second.OnInitialUpdate("/usr/share/games/quake2");
    second.blockBuffer = &buffer;
    otherUi.AnswerNumber(8);
    second.OnGotoBlock();
    second.OnEditPaste();
    EXPECT_EQ(target->blockCount, 17u);
    std::vector<int> expected = Join({Range(4, 8), Range(20, 24), Range(9, 12)});
    EXPECT_EQ(ShownPlayFrames(*target), expected);
    EXPECT_EQ(SavedFramesOf(*target), expected);
    EXPECT_TRUE(otherUi.messages.empty());
}

TEST_F(ClipboardTest, GuardsRefuseWithTheirMessagesAndChangeNothing) {
    OpenPlay(20, 6);
    const Bytes before = Saved();
    Select(3, 8);
    view->OnEditCut(); // within the first three blocks
    Select(5, 8);
    view->OnEditCut(); // from the opening blocks
    Select(5, 7);
    view->OnReverseSelection();
    Goto(4);
    Select(4, 4);
    view->OnEditCopy();
    view->OnEditPaste(); // would land at block 5, before play
    Goto(1);
    view->OnEditDeleteBlocks();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               kCutFirstBlocksText,
                               OpeningBlocksText("cut", 6),
                               OpeningBlocksText("reverse", 6),
                               OpeningBlocksText("paste among", 6),
                               kDeleteBlockOneText,
                           }));
    EXPECT_EQ(Saved(), before);

    // Deleting opening blocks asks first; No keeps them.
    ui.Clear();
    Select(4, 5);
    ui.AnswerAsk(false);
    view->OnEditDeleteBlocks();
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{"ask: " + DeleteOpeningBlocksQuestion(6)}));
    EXPECT_EQ(Saved(), before);
}

TEST_F(ClipboardTest, PasteAndClearBufferNeedBlocksInTheBuffer) {
    OpenPlay(10, 4);
    EXPECT_FALSE(view->IsCommandEnabledNow(ID_EDIT_PASTE));
    EXPECT_FALSE(view->IsCommandEnabledNow(ID_EDIT_CLEAR_BUFFER));
    view->OnEditPaste();
    EXPECT_EQ(view->BlockCount(), 10u);
    Select(5, 6);
    view->OnEditCopy();
    EXPECT_TRUE(view->IsCommandEnabledNow(ID_EDIT_PASTE));
    EXPECT_TRUE(view->IsCommandEnabledNow(ID_EDIT_CLEAR_BUFFER));
    view->OnEditClearBuffer();
    EXPECT_FALSE(buffer.HasBlocks());
    EXPECT_FALSE(view->IsCommandEnabledNow(ID_EDIT_PASTE));
}

TEST_F(ClipboardTest, DeleteTheLastTwoBlocks) {
    OpenPlay(12, 4);
    Select(11, 12);
    view->OnEditDeleteBlocks();
    EXPECT_TRUE(ui.transcript.empty());
    EXPECT_EQ(view->BlockCount(), 10u);
    EXPECT_EQ(view->CurrentBlockNumber(), 10u);
    EXPECT_EQ(CurrentTag(), "f10");
    EXPECT_FALSE(buffer.HasBlocks()); // Delete does not fill the buffer
    EXPECT_EQ(SavedFrames(), Range(4, 10));
}

TEST_F(ClipboardTest, AddNewMessageAppendsAnEmptyRecordOfTheChosenType) {
    OpenPlay(10, 4);
    Goto(6);
    const uint16_t count = doc->currentBlock->MessageCount();
    ui.AnswerMessageType("print");
    view->OnAddNewMessage();
    EXPECT_EQ(ui.transcript.back(), "message type: Enter message type to ADD");
    EXPECT_EQ(doc->currentBlock->MessageCount(), count + 1);
    EXPECT_EQ(doc->currentBlock->LastMessage()->type, svc_print);
    EXPECT_EQ(view->CurrentMessageNumber(), count + 1);

    // A prefix picks the first type it starts; a serverdata added empty leaves the
    // document's protocol alone.
    const int protocol = doc->protocolVersion;
    ui.AnswerMessageType("sp");
    view->OnAddNewMessage();
    EXPECT_EQ(doc->currentBlock->LastMessage()->type, svc_spawnbaseline);
    ui.AnswerMessageType("serverdata");
    view->OnAddNewMessage();
    EXPECT_EQ(doc->currentBlock->LastMessage()->type, svc_serverdata);
    EXPECT_EQ(doc->protocolVersion, protocol);

    // Frame data on its own would stop the game; a frame is not offered at all.
    ui.Clear();
    for (const char* type : {"frame", "playerinfo", "packetentities"}) {
        ui.AnswerMessageType(type);
        view->OnAddNewMessage();
    }
    EXPECT_EQ(ui.messages, (std::vector<std::string>{AddMessageRefusedText(svc_playerinfo),
                                                     AddMessageRefusedText(svc_packetentities)}));
    EXPECT_EQ(doc->currentBlock->MessageCount(), count + 3);
    // Cancel adds nothing.
    ui.messageTypeAnswers.emplace_back(std::nullopt);
    view->OnAddNewMessage();
    EXPECT_EQ(doc->currentBlock->MessageCount(), count + 3);
}

} // namespace
