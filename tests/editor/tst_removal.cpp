// Removal from the selection and the entity and player transforms, judged on what the saved
// demo shows the game; each is one undoable edit.
#include "shown_frames.h"
#include "view_fixture.h"

#include "demo/byte_sink.h"
#include "demo/demo_check.h"
#include "demo/frame_timeline.h"
#include "editor/command_ids.h"
#include "editor/entity_transforms.h"
#include "editor/removal.h"
#include "editor/search.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace edtest;

namespace {

using Shown = ShownFrame;

class RemovalTest : public ViewTest {
  protected:
    void SetUp() override { Open(PlayDemo(60, 6)); }
    std::unique_ptr<CTreskDoc> Reloaded() {
        auto again = LoadFile(Saved());
        again->DecodeAll();
        for (const DecodeProblem& p : again->Problems()) {
            ADD_FAILURE() << "saved demo, block " << p.block << ": " << p.text;
        }
        return again;
    }
    std::map<int, Shown> SavedFrames() { return ShownFramesOf(Saved()); }
    // One history entry that undo takes back to the bytes from before.
    void ExpectOneUndoableEntry(const Bytes& before) {
        EXPECT_EQ(doc->history.Count(), 1u);
        view->OnCommand(ID_EDIT_UNDO);
        EXPECT_TRUE(Saved() == before);
        view->OnCommand(ID_EDIT_REDO);
    }
};

TEST_F(RemovalTest, ByKeywordRemovesEveryMatchingTextInAnyCaseAsOneEdit) {
    const Bytes before = Saved();
    Select(8, 20);
    EXPECT_EQ(RemoveByKeyword(*view, "B1"), 10u); // "b10 m1" to "b19 m1"
    ExpectOneUndoableEntry(before);
    std::map<int, Shown> frames = SavedFrames();
    for (int n = 8; n <= 21; ++n) {
        const bool gone = n >= 10 && n <= 19;
        EXPECT_EQ(frames[n].prints.empty(), gone) << n;
    }
    EXPECT_TRUE(ui.messages.empty()); // nothing is reported
}

TEST_F(RemovalTest, ByTypeTakesEmptiedBlocksAwayAndRefusesFrameData) {
    Open(SampleDemo(20, 7, 0)); // blocks 2 to 6 hold one print each
    Select(2, 4);
    ui.AnswerMessageType("print");
    EXPECT_TRUE(view->OnCommand(ID_SEL_REMOVE_BY_TYPE));
    EXPECT_EQ(doc->blockCount, 17u);
    EXPECT_EQ(view->BlockCount(), 17u);
    EXPECT_EQ(view->SelectionCount(), 1u);
    EXPECT_EQ(Tag(doc->BlockAt(2)), "signon 5");
    EXPECT_EQ(doc->history.Count(), 1u);

    ui.Clear();
    EXPECT_EQ(RemoveByType(*view, svc_packetentities), 0u);
    ASSERT_EQ(ui.messages.size(), 1u);
    // Block 1's serverdata stays, whatever the selection.
    Select(1, 3);
    RemoveByType(*view, svc_serverdata);
    EXPECT_EQ(doc->FirstBlock()->FirstMessage()->type, svc_serverdata);
}

TEST_F(RemovalTest, NoRemovalTakesThePrecacheTheGameNeedsToStart) {
    std::vector<Bytes> blocks = PlayDemo(20, 6);
    blocks[2] = fx::Cat({fx::Msg::StuffText("cmd configstrings\n"), blocks[2]});
    blocks[4] = fx::Cat({fx::Msg::StuffText("echo ready; precache 7\n")});
    blocks[10] = fx::Cat({blocks[10], fx::Msg::StuffText("play misc/secret.wav\n")});
    Open(blocks);
    const auto stuffed = [this] {
        std::vector<std::string> texts;
        for (const DemoBlock* b = doc->FirstBlock(); b; b = b->next) {
            for (const DemoMessage* m = b->FirstMessage(); m; m = m->next) {
                if (const auto* t = MessageCast<TextMessage>(m); t && m->type == svc_stufftext) {
                    texts.push_back(t->text);
                }
            }
        }
        return texts;
    };
    Select(1, 20);
    EXPECT_EQ(RemoveByType(*view, svc_stufftext), 2u);
    EXPECT_EQ(stuffed(), std::vector<std::string>{"echo ready; precache 7\n"});
    EXPECT_EQ(RemoveByKeyword(*view, "precache"), 0u);
    EXPECT_EQ(stuffed().size(), 1u);
    // The saved demo still loads its map before the first frame.
    for (const DecodeProblem& p : CheckDemo(*LoadFile(Saved()))) {
        EXPECT_EQ(p.text.find("precache"), std::string::npos) << p.block << ": " << p.text;
    }
}

TEST_F(RemovalTest, ByEntityMakesItAbsentOverTheSelectionAndItComesBackAfter) {
    const Bytes before = Saved();
    Select(20, 30);
    ui.AnswerNumber(2);
    EXPECT_TRUE(view->OnCommand(ID_SEL_REMOVE_BY_ENTITY));
    ExpectOneUndoableEntry(before);
    std::map<int, Shown> frames = SavedFrames();
    for (int n = 20; n <= 30; ++n) {
        EXPECT_FALSE(EntityIn(frames[n], 2)) << n;
    }
    ASSERT_TRUE(EntityIn(frames[31], 2));
    EXPECT_EQ(EntityIn(frames[31], 2)->origin[1], 8 * 31);
    EXPECT_TRUE(EntityIn(frames[19], 2));
    ASSERT_EQ(ui.messages.size(), 1u);
    // Entity 2 is sent in the frames n % 3 != 0 of 20 to 30: seven records.
    EXPECT_EQ(ui.messages[0], "Operation successful.  Removed 7 occurances of entity 2.");

    // Entity 3 is sent in 16 and carried over unsent in 17 to 19: it goes from 17 and 18 and
    // shows again, as it was, in 19.
    Select(17, 18);
    RemoveByEntity(*view, 3);
    frames = SavedFrames();
    EXPECT_FALSE(EntityIn(frames[17], 3));
    EXPECT_FALSE(EntityIn(frames[18], 3));
    ASSERT_TRUE(EntityIn(frames[19], 3));
    EXPECT_EQ(EntityIn(frames[19], 3)->origin[2], 8 * 4);
}

TEST_F(RemovalTest, ByModelAndSoundKeywordFindTheNameFirst) {
    Select(10, 12);
    ui.AnswerText("SAMPLE1"); // model 1, "maps/sample1.bsp": entity 1
    EXPECT_TRUE(view->OnCommand(ID_SEL_REMOVE_BY_MODEL_KEYWORD));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], "Found a match! ModelIndex 1, 'maps/sample1.bsp'.");
    EXPECT_EQ(ui.messages[1], "Operation successful.  Removed 3 occurances of maps/sample1.bsp.");
    std::map<int, Shown> frames = SavedFrames();
    EXPECT_FALSE(EntityIn(frames[11], 1));
    EXPECT_TRUE(EntityIn(frames[13], 1));

    ui.Clear();
    ui.AnswerText("nothing-like-it");
    view->OnCommand(ID_SEL_REMOVE_BY_SOUND_KEYWORD);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No result was found."});
    EXPECT_EQ(doc->history.Count(), 1u);
}

TEST_F(RemovalTest, KeywordsFindNamesFirstGivenDuringPlay) {
    // Sound and model indices the opening tables leave empty, named by configstrings in play.
    const int sound = doc->soundTable.Count() + 3;
    const int model = doc->modelTable.Count() + 2;
    const auto name = [this](int block, int index, const char* value) {
        MessagePtr cs = NewMessage(svc_configstring);
        static_cast<ConfigStringMessage&>(*cs).index = static_cast<uint16_t>(index);
        static_cast<ConfigStringMessage&>(*cs).value = value;
        doc->BlockAt(block)->AppendMessage(std::move(cs));
    };
    name(8, kSoundBase + sound - 1, "world/late_thunder.wav");
    name(9, kSoundBase + sound - 1, "world/renamed.wav"); // the first name given counts
    name(8, kModelBase + model - 1, "models/late/gib.md2");
    const auto sounds = [this, sound](int block) {
        int n = 0;
        for (const DemoMessage* m = doc->BlockAt(block)->FirstMessage(); m; m = m->next) {
            const auto* s = MessageCast<SoundMessage>(m);
            n += s != nullptr && s->soundnum == sound ? 1 : 0;
        }
        return n;
    };
    for (int block : {10, 12, 20}) {
        MessagePtr m = NewMessage(svc_sound);
        static_cast<SoundMessage&>(*m).soundnum = static_cast<uint8_t>(sound);
        doc->BlockAt(block)->AppendMessage(std::move(m));
    }
    Select(9, 13);
    EXPECT_EQ(RemoveBySoundKeyword(*view, "LATE_THUNDER"), 2u);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0],
              "Found a match! soundnum " + std::to_string(sound) + ", 'world/late_thunder.wav'.");
    EXPECT_EQ(sounds(10) + sounds(12), 0);
    EXPECT_EQ(sounds(20), 1);

    ui.Clear();
    ui.AnswerText("late/gib");
    view->OnCommand(ID_TOOLS_KEYWORD_SEARCH_MODELS);
    EXPECT_EQ(ui.messages, std::vector<std::string>{ModelFoundText(model, "models/late/gib.md2")});
}

TEST_F(RemovalTest, ReModelLastsWhereTheEntityShowsAndRefusesModelsPast255) {
    const Bytes before = Saved();
    Select(16, 20); // entity 3: sent in 16, carried over in 17 to 19
    ui.AnswerNumber(3);
    ui.AnswerNumber(9);
    EXPECT_TRUE(view->OnCommand(ID_SEL_REMODEL_ENTITY));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1], "Operation successful.  Changed 4 occurances to .");
    ExpectOneUndoableEntry(before);
    std::map<int, Shown> frames = SavedFrames();
    for (int n : {16, 17, 18, 19}) {
        EXPECT_EQ(EntityIn(frames[n], 3)->modelindex, 9) << n;
    }
    ui.Clear();
    EXPECT_EQ(ReModelEntity(*view, 3, 256), 0u);
    EXPECT_EQ(ReModelEntity(*view, 3, 0), 0u);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ChangeWeaponModel(*view, 1, 0), 4u); // 0 takes the weapon away
}

TEST_F(RemovalTest, ViewWeaponStatusBarAndPlayerFlags) {
    for (DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next) {
        if (FrameMessage* f = FirstCompleteFrame(*b)) {
            MessageCast<PlayerInfoMessage>(f->next)->state.gunindex = 7;
        }
    }
    Select(10, 13);
    EXPECT_EQ(RemoveViewWeapon(*view), 3u);
    std::map<int, Shown> frames = SavedFrames();
    EXPECT_EQ(frames[9].player.gunindex, 7);
    EXPECT_EQ(frames[10].player.gunindex, 0);
    EXPECT_EQ(frames[12].player.gunindex, 0);
    EXPECT_EQ(frames[13].player.gunindex, 7); // the original after the range

    // A status bar in the signon and one sent during play: both blanked, 29 left alone.
    doc->statusBarTable.Set(0, "yb -24 xv 0 hnum");
    doc->statusBarTable.Set(24, "accel");
    MessagePtr cs = NewMessage(svc_configstring);
    static_cast<ConfigStringMessage&>(*cs).index = CS_STATUSBAR;
    static_cast<ConfigStringMessage&>(*cs).value = "yb -24 xv 0 anum";
    doc->BlockAt(30)->AppendMessage(std::move(cs));
    EXPECT_EQ(RemoveStatusBar(*view), 2u);
    auto again = Reloaded();
    EXPECT_EQ(again->statusBarTable.Entry(0), "");
    EXPECT_EQ(again->statusBarTable.Entry(24), "accel");
    for (const std::string& held : HeldConfigStrings(*again, CS_STATUSBAR)) {
        EXPECT_EQ(held, "");
    }

    Goto(58);
    EXPECT_EQ(HackPlayerFlags(*view, 0x104), 0u); // block count - 2: nothing
    Goto(50);
    EXPECT_EQ(HackPlayerFlags(*view, 0x104), 8u); // blocks 50 to 57
    frames = SavedFrames();
    EXPECT_EQ(frames[57].player.pm_type, 1);
    EXPECT_EQ(frames[57].player.pm_flags, 0x04);
    EXPECT_EQ(frames[58].player.pm_type, 0);
}

} // namespace
