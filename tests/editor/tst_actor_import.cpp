// Copy Special and Paste Special: collecting an actor over a selection and importing it into
// another demo under a free number, with its models, sounds and skin found by name.
#include "view_fixture.h"

#include "demo/edit_transaction.h"
#include "editor/actor_import.h"
#include "editor/command_ids.h"
#include "editor/selection_frames.h"
#include "editor/special_buffer.h"

#include <map>

using namespace edtest;

namespace {

constexpr uint32_t kFirstPlay = 6;
constexpr uint32_t kBlocks = 20;

struct DemoShape {
    std::vector<std::string> models; // slot k names model index k + 1
    std::vector<std::string> sounds;
    std::vector<std::string> skins;          // slot k is player k + 1's
    std::vector<fx::EntityDelta> baselines2; // in block 2
    std::vector<fx::EntityDelta> baselines3; // in block 3
    // Entities of frame n; by default none.
    std::function<std::vector<fx::EntityDelta>(uint32_t n)> entities;
    uint32_t blocks = kBlocks;
    uint32_t firstPlay = kFirstPlay;
};

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

std::vector<Bytes> ShapedDemo(const DemoShape& s) {
    std::vector<Bytes> blocks;
    std::vector<Bytes> opening = {fx::Msg::ServerData({}),
                                  fx::Msg::ConfigString(CS_MAXCLIENTS, "4")};
    for (size_t k = 0; k < s.models.size(); ++k) {
        opening.push_back(fx::Msg::ConfigString(kModelBase + static_cast<int>(k), s.models[k]));
    }
    for (size_t k = 0; k < s.sounds.size(); ++k) {
        opening.push_back(fx::Msg::ConfigString(kSoundBase + static_cast<int>(k), s.sounds[k]));
    }
    for (size_t k = 0; k < s.skins.size(); ++k) {
        opening.push_back(fx::Msg::ConfigString(kSkinBase + static_cast<int>(k), s.skins[k]));
    }
    blocks.push_back(Join(opening));
    for (uint32_t n = 2; n < s.firstPlay || (s.firstPlay == 0 && n <= s.blocks); ++n) {
        std::vector<Bytes> msgs = {fx::Msg::Print(2, "signon " + std::to_string(n))};
        for (const fx::EntityDelta& d : n == 2   ? s.baselines2
                                        : n == 3 ? s.baselines3
                                                 : std::vector<fx::EntityDelta>{}) {
            msgs.push_back(fx::Msg::SpawnBaseline(d));
        }
        blocks.push_back(Join(msgs));
    }
    for (uint32_t n = s.firstPlay; s.firstPlay != 0 && n <= s.blocks; ++n) {
        fx::PlayerDelta player;
        player.Stat(1, static_cast<int16_t>(n));
        const auto frame = static_cast<int32_t>(1000 + n);
        blocks.push_back(fx::Cat(
            {fx::Msg::Frame(frame, n == s.firstPlay ? -1 : frame - 1), fx::Msg::PlayerInfo(player),
             fx::Msg::PacketEntities(s.entities ? s.entities(n)
                                                : std::vector<fx::EntityDelta>{})}));
    }
    return blocks;
}

constexpr uint32_t kAll = U_ORIGIN1 | U_ORIGIN2 | U_MODEL | U_MODEL2 | U_SOUND | U_SKIN16;

fx::EntityDelta Thing(int number, uint8_t model, uint8_t model2, uint8_t sound, int16_t y) {
    return {.number = number,
            .bits = number > 255 ? kAll | U_NUMBER16 : kAll,
            .modelindex = model,
            .modelindex2 = model2,
            .skinnum = 7,
            .origin = {8, y, 0},
            .sound = sound};
}

// The source: players 1 and 2 (skins), entity 10 a tank with armour on it and its step sound
// (baseline in the third signon block), absent from every fifth frame; entity 11 the map's
// own brush model *1.
DemoShape SourceShape() {
    DemoShape s;
    s.models = {"maps/src.bsp", "*1", "models/items/armor/tris.md2", "models/tank/tris.md2"};
    s.sounds = {"world/amb.wav", "tank/step.wav"};
    s.skins = {"me\\male/grunt", "foe\\female/athena"};
    s.baselines2 = {Thing(11, 2, 0, 0, 0)};
    s.baselines3 = {Thing(10, 4, 3, 2, 0)};
    s.entities = [](uint32_t n) {
        std::vector<fx::EntityDelta> e;
        e.push_back({.number = 2,
                     .bits = U_ORIGIN1 | U_MODEL | U_SKIN16,
                     .modelindex = 255,
                     .skinnum = 5,
                     .origin = {static_cast<int16_t>(8 * n), 0, 0}});
        if (n % 5 != 0) {
            e.push_back(Thing(10, 4, 3, 2, static_cast<int16_t>(8 * n)));
        } else {
            e.push_back(fx::EntityDelta::Remove(10));
        }
        e.push_back(Thing(11, 2, 0, 0, 0));
        return e;
    };
    return s;
}

// The target: one player; the tank model at another index, no armour and no step sound; an
// entity 400 already.
DemoShape TargetShape() {
    DemoShape s;
    s.models = {"maps/dst.bsp", "*1", "models/tank/tris.md2"};
    s.sounds = {"world/amb.wav"};
    s.skins = {"host\\male/grunt"};
    s.entities = [](uint32_t n) {
        return std::vector<fx::EntityDelta>{{.number = 1,
                                             .bits = U_ORIGIN1 | U_MODEL,
                                             .modelindex = 255,
                                             .origin = {int16_t(n), 0, 0}},
                                            Thing(400, 3, 0, 0, 16)};
    };
    return s;
}

// The entity as each frame of the document shows it, by block number.
std::map<uint32_t, EntityState> Shown(CTreskDoc& doc, uint16_t entity) {
    std::map<uint32_t, EntityState> out;
    for (const SelectedFrame& f : SelectedFrames(doc, 1, doc.blockCount, entity)) {
        if (f.entity) {
            out[f.block] = *f.entity;
        }
    }
    return out;
}

class ActorTest : public ViewTest {
  protected:
    // Opens the source, selects blocks first to last and copies `entity`.
    int32_t CopyFrom(const DemoShape& shape, int32_t entity, uint32_t first, uint32_t last) {
        sourceView.reset(); // a second source replaces the first: its view goes first
        source = LoadDoc(ShapedDemo(shape));
        sourceView = std::make_unique<CTreskView>(*source, sourceUi, sourceDisplay);
        sourceView->OnInitialUpdate("");
        sourceView->OnUpdate(nullptr, kHintSelectBlocks, {first, last});
        return CopySpecial(*sourceView, buffer, entity);
    }
    void TearDown() override {
        sourceUi.ExpectAllAnswersUsed();
        sourceView.reset();
        ViewTest::TearDown();
    }

    CSpecialBuffer buffer;
    ScriptedUi sourceUi;
    RecordingDisplay sourceDisplay;
    std::unique_ptr<CTreskDoc> source;
    std::unique_ptr<CTreskView> sourceView;
};

TEST_F(ActorTest, CopySpecialAsksForTheEntityAndRefusesPlayerSlotsWithoutSkinAndMissingBaselines) {
    // Player 3 is a slot of max clients 4 whose skin entry (2) is empty; entity 0 is no player.
    for (int32_t entity : {3, 0, -5}) {
        EXPECT_EQ(CopyFrom(SourceShape(), entity, 8, 12), -1);
        EXPECT_FALSE(buffer.HasActor());
        EXPECT_EQ(sourceUi.messages.back(), kNoSkinText);
    }
    EXPECT_EQ(CopyFrom(SourceShape(), 50, 8, 12), -1);
    EXPECT_EQ(sourceUi.messages.back(), kNoBaselineText);
    // A refusal empties what an earlier copy left.
    EXPECT_EQ(CopyFrom(SourceShape(), 2, 8, 12), 5);
    EXPECT_EQ(CopySpecial(*sourceView, buffer, 50), -1);
    EXPECT_FALSE(buffer.HasActor());

    // Through the command: the query opens with entity 1; Cancel keeps the buffer as it was.
    sourceView->specialBuffer = &buffer;
    sourceUi.Clear();
    sourceUi.copySpecialAnswers.emplace_back(std::nullopt);
    sourceView->OnCommand(ID_EDIT_COPY_SPECIAL);
    EXPECT_EQ(sourceUi.transcript, std::vector<std::string>{"copy special dialog"});
    EXPECT_FALSE(buffer.HasActor());
    CopySpecialDlgData answer;
    answer.entity = 1;
    sourceUi.copySpecialAnswers.emplace_back(answer);
    sourceView->OnCommand(ID_EDIT_COPY_SPECIAL);
    EXPECT_TRUE(buffer.HasActor());
    EXPECT_TRUE(buffer.player);
    EXPECT_EQ(buffer.skin, "me\\male/grunt"); // entry 0 belongs to entity 1
}

TEST_F(ActorTest, CopySpecialTakesTheSkinOrTheBaselineAndTheFramesThatShowTheActor) {
    EXPECT_EQ(CopyFrom(SourceShape(), 2, 8, 12), 5);
    EXPECT_TRUE(buffer.player);
    EXPECT_EQ(buffer.skin, "foe\\female/athena");
    ASSERT_EQ(buffer.states.size(), 5u);
    EXPECT_EQ(buffer.states[0].origin[0], 64);
    EXPECT_EQ(buffer.states[4].origin[0], 96);

    // Entity 10's baseline stands in the third signon block; frames 10 and 15 lack it.
    EXPECT_EQ(CopyFrom(SourceShape(), 10, 8, 16), 7);
    EXPECT_FALSE(buffer.player);
    EXPECT_EQ(buffer.baseline.number, 10);
    EXPECT_EQ(buffer.baseline.modelindex, 4);
    EXPECT_EQ(buffer.modelNames[3], "models/tank/tris.md2");
    EXPECT_EQ(buffer.soundNames[1], "tank/step.wav");

    // A selection reaching past the last block stops there.
    CopyFrom(SourceShape(), 2, 18, 18);
    sourceView->SetSelectionCount(1000);
    EXPECT_EQ(CopySpecial(*sourceView, buffer, 2), 3);
}

TEST_F(ActorTest, APlayerBecomesTheNextPlayerAndExistsFromTheStartOfPlayUnseen) {
    ASSERT_EQ(CopyFrom(SourceShape(), 2, 8, 12), 5);
    Open(ShapedDemo(TargetShape()));
    Goto(10);
    EXPECT_EQ(PasteSpecial(*view, buffer), 2);
    EXPECT_EQ(ui.messages.back(), "Actor successfully imported as entity #2.");
    EXPECT_EQ(doc->skinTable.Entry(1), "foe\\female/athena");

    const std::map<uint32_t, EntityState> shown = Shown(*doc, 2);
    // From the first frame of play, with no model, until the paste starts.
    ASSERT_TRUE(shown.count(kFirstPlay));
    EXPECT_EQ(shown.at(kFirstPlay).modelindex, 0);
    EXPECT_EQ(shown.at(9).modelindex, 0);
    // Frames 10 to 14 show the copied frames 8 to 12, drawn with the new player's skin.
    for (uint32_t b = 10; b <= 14; ++b) {
        ASSERT_TRUE(shown.count(b)) << b;
        EXPECT_EQ(shown.at(b).origin[0], static_cast<int16_t>(8 * (b - 2))) << b;
        EXPECT_EQ(shown.at(b).modelindex, 255);
        EXPECT_EQ(shown.at(b).skinnum, 1u); // low 16 bits: player index 1
    }
    EXPECT_FALSE(shown.count(15)); // gone after its last frame
    // The target's own entities are untouched.
    EXPECT_EQ(Shown(*doc, 1).size(), kBlocks - kFirstPlay + 1);

    // One undoable edit.
    EXPECT_EQ(doc->history.Count(), 1u);
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(Shown(*doc, 2).empty());
    EXPECT_EQ(doc->skinTable.Count(), 1);
}

TEST_F(ActorTest, AThingTakesTheLowestFreeNumberFrom400AndItsModelsAndSoundsByName) {
    ASSERT_EQ(CopyFrom(SourceShape(), 10, 8, 12), 4); // frame 10 lacks it
    Open(ShapedDemo(TargetShape()));
    Goto(8);
    EXPECT_EQ(PasteSpecial(*view, buffer), 401); // 400 is the target's own
    EXPECT_EQ(ui.messages.back(), "Actor successfully imported as entity #401.");
    // The tank is the target's model 3; the armour and the step sound are appended.
    EXPECT_EQ(doc->modelTable.Entry(3), "models/items/armor/tris.md2");
    EXPECT_EQ(doc->soundTable.Entry(1), "tank/step.wav");
    EXPECT_EQ(doc->modelTable.Count(), 4);
    // Its baseline is the last message of the last signon block.
    const auto* baseline = MessageCast<EntityMessage>(doc->BlockAt(kFirstPlay - 1)->LastMessage());
    ASSERT_NE(baseline, nullptr);
    EXPECT_EQ(baseline->type, svc_spawnbaseline);
    EXPECT_EQ(baseline->state.number, 401);
    EXPECT_EQ(baseline->state.modelindex, 3);

    const std::map<uint32_t, EntityState> shown = Shown(*doc, 401);
    // The four records in consecutive frames from block 8: copied frames 8, 9, 11, 12.
    const int16_t ys[] = {64, 72, 88, 96};
    for (uint32_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(shown.count(8 + i));
        const EntityState& e = shown.at(8 + i);
        EXPECT_EQ(e.origin[1], ys[i]);
        EXPECT_EQ(e.modelindex, 3);
        EXPECT_EQ(e.modelindex2, 4);
        EXPECT_EQ(e.sound, 2);
        EXPECT_EQ(e.skinnum, 7u);
    }
    EXPECT_FALSE(shown.count(12));
    EXPECT_EQ(Shown(*doc, 400).size(), kBlocks - kFirstPlay + 1);

    // A second paste leaves the first actor and takes the next number; the names are found.
    Goto(8);
    EXPECT_EQ(PasteSpecial(*view, buffer), 402);
    EXPECT_EQ(doc->modelTable.Count(), 4);
    EXPECT_EQ(Shown(*doc, 401).size(), 6u); // as it was: blocks 6 and 7 hold its first record
    EXPECT_EQ(Shown(*doc, 402).size(), 6u);
}

TEST_F(ActorTest, TheMapsOwnBrushModelKeepsItsNumber) {
    ASSERT_EQ(CopyFrom(SourceShape(), 11, 8, 9), 2);
    Open(ShapedDemo(TargetShape()));
    Goto(kFirstPlay);
    ASSERT_EQ(PasteSpecial(*view, buffer), 401);
    EXPECT_EQ(Shown(*doc, 401).at(kFirstPlay).modelindex, 2);
    EXPECT_EQ(doc->modelTable.Count(), 3);
}

TEST_F(ActorTest, APasteBeforePlayStartsAtTheFirstFrameOnce) {
    ASSERT_EQ(CopyFrom(SourceShape(), 2, 8, 10), 3);
    Open(ShapedDemo(TargetShape()));
    Goto(3);
    ASSERT_EQ(PasteSpecial(*view, buffer), 2);
    const std::map<uint32_t, EntityState> shown = Shown(*doc, 2);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown.at(kFirstPlay).origin[0], 64);
    EXPECT_EQ(shown.at(kFirstPlay + 1).origin[0], 72);
    EXPECT_EQ(shown.at(kFirstPlay + 2).origin[0], 80);
}

TEST_F(ActorTest, PasteSpecialRefusesBeforeChangingAnything) {
    Open(ShapedDemo(TargetShape()));
    view->specialBuffer = &buffer;
    Goto(8);
    view->OnCommand(ID_EDIT_PASTE_SPECIAL);
    EXPECT_EQ(ui.messages.back(), kSpecialBufferEmptyText);

    ASSERT_EQ(CopyFrom(SourceShape(), 2, 8, 12), 5);
    view->Document().previewOpen = true;
    view->OnCommand(ID_EDIT_PASTE_SPECIAL);
    EXPECT_EQ(ui.messages.back(), kClosePreviewText);
    view->Document().previewOpen = false;

    // The target's entity 2 is in use: the player cannot take it.
    DemoShape taken = TargetShape();
    taken.entities = [](uint32_t) { return std::vector<fx::EntityDelta>{Thing(2, 3, 0, 0, 0)}; };
    Open(ShapedDemo(taken));
    Goto(8);
    EXPECT_EQ(PasteSpecial(*view, buffer), 0);
    EXPECT_EQ(ui.messages.back(), PlayerNumberUsedText(2));

    // A full skin table.
    DemoShape full = TargetShape();
    full.skins.assign(kTableSlots, "p\\male/grunt");
    Open(ShapedDemo(full));
    Goto(8);
    EXPECT_EQ(PasteSpecial(*view, buffer), 0);
    EXPECT_EQ(ui.messages.back(), kSkinTableFullText);

    // No block of play.
    DemoShape none = TargetShape();
    none.firstPlay = 0;
    none.blocks = 8;
    Open(ShapedDemo(none));
    EXPECT_EQ(PasteSpecial(*view, buffer), 0);
    EXPECT_EQ(ui.messages.back(), kNoPlayBlockText);
    EXPECT_EQ(doc->history.Count(), 0u);

    // No room for the armour model: nothing changes, not even the sound table.
    ASSERT_EQ(CopyFrom(SourceShape(), 10, 8, 12), 4);
    DemoShape crowded = TargetShape();
    for (int k = 3; k < 254; ++k) {
        crowded.models.push_back("models/m" + std::to_string(k) + ".md2");
    }
    Open(ShapedDemo(crowded));
    Goto(8);
    EXPECT_EQ(PasteSpecial(*view, buffer), 0);
    EXPECT_EQ(ui.messages.back(), kNoTableRoomText);
    EXPECT_EQ(doc->soundTable.Count(), 1);
    EXPECT_TRUE(Shown(*doc, 401).empty());
    EXPECT_EQ(doc->history.Count(), 0u);
}

} // namespace
