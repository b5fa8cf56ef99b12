// Spawnbaselines and packet entities: which fields a packet sends, where the rest comes from.
#include "demo_test_util.h"

#include "demo/entity_codec.h"

#include <gtest/gtest.h>

using fx::Bytes;
using fx::EntityDelta;
namespace Msg = fx::Msg;

namespace {

// Frames from 100 on, each a delta from the one before; the first stands alone.
Bytes Frame(int32_t n) {
    return Msg::Frame(n, n == 100 ? -1 : n - 1);
}

// A demo: serverdata, the baselines, then one frame block per packet.
fx::DemoFileWriter DemoWith(const std::vector<EntityDelta>& baselines,
                            const std::vector<std::vector<EntityDelta>>& packets) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    w.Block(SignonWith(baselines));
    int32_t n = 100;
    for (const auto& p : packets) {
        w.Block({Frame(n++), Msg::PlayerInfo({}), Msg::PacketEntities(p)});
    }
    return w;
}

// The entity records of the packet in block `number`.
std::vector<const EntityState*> Entities(CTreskDoc& doc, uint32_t number) {
    std::vector<const EntityState*> out;
    for (const DemoMessage* m : Records(doc.BlockAt(number))) {
        if (auto* e = MessageCast<EntityMessage>(m); e && m->type == svc_packetentities) {
            out.push_back(&e->state);
        }
    }
    return out;
}

TEST(PacketEntities, ARunOfThreeIsFourRecordsAndReencodesToTheSameBytes) {
    std::vector<EntityDelta> packet = {
        {.number = 1, .bits = U_ORIGIN1 | U_MODEL, .modelindex = 255, .origin = {16, 0, 0}},
        {.number = 5, .bits = U_FRAME8 | U_EVENT, .frame = 9, .event = 2},
        {.number = 300, .bits = U_NUMBER16 | U_ORIGIN2, .origin = {0, -8, 0}},
    };
    auto doc = DecodedDoc(DemoWith({}, {packet}).ToBytes());
    auto entities = Entities(*doc, 3);
    ASSERT_EQ(entities.size(), 4u);
    EXPECT_EQ(entities[2]->number, 300);
    EXPECT_EQ(entities[2]->origin[1], -8);
    EXPECT_EQ(entities[3]->number, 0); // the terminator
    auto blocks = BlocksOf(SavedBytes(*doc));
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[2], fx::Cat({Frame(100), Msg::PlayerInfo({}), Msg::PacketEntities(packet)}));
}

TEST(PacketEntities, FieldsNotSentComeFromTheOldFrameAtFullWidth) {
    std::vector<EntityDelta> first = {
        {.number = 3, .bits = U_EFFECTS8 | U_MODEL, .modelindex = 4, .effects = 0x40}};
    std::vector<EntityDelta> second = {{.number = 3, .bits = U_ORIGIN1, .origin = {8, 0, 0}}};
    std::vector<EntityDelta> wide = {
        {.number = 4, .bits = U_EFFECTS16 | U_FRAME16, .frame = 0x105, .effects = 0x200}};
    std::vector<EntityDelta> wideAgain = {{.number = 4, .bits = U_ORIGIN1, .origin = {8, 0, 0}}};
    auto doc = DecodedDoc(DemoWith({}, {first, second, wide, wideAgain}).ToBytes());
    EXPECT_EQ(Entities(*doc, 4)[0]->effects, 0x40u);
    EXPECT_EQ(Entities(*doc, 4)[0]->modelindex, 4);
    EXPECT_EQ(Entities(*doc, 5)[0]->effects, 0x200u);
    // Effects and frame not sent keep their full width, as the game keeps them.
    EXPECT_EQ(Entities(*doc, 6)[0]->effects, 0x200u);
    EXPECT_EQ(Entities(*doc, 6)[0]->frame, 0x105u);
    // Still the same bytes when saved: the encoder compares against the same slots.
    auto blocks = BlocksOf(SavedBytes(*doc));
    EXPECT_EQ(blocks[5],
              fx::Cat({Frame(103), Msg::PlayerInfo({}), Msg::PacketEntities(wideAgain)}));
}

TEST(PacketEntities, BaselineWithoutFrameKeepsTheMarkAndGivesFrameZero) {
    EntityDelta baseline{
        .number = 8, .bits = U_MODEL | U_ORIGIN1, .modelindex = 2, .origin = {80, 0, 0}};
    std::vector<EntityDelta> packet = {{.number = 8, .bits = U_ORIGIN2, .origin = {0, 8, 0}}};
    auto doc = DecodedDoc(DemoWith({baseline}, {packet}).ToBytes());
    auto* base = MessageCast<EntityMessage>(doc->BlockAt(2)->FindMessage(svc_spawnbaseline));
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->state.frame, kFrameNotSent);
    auto* e = Entities(*doc, 3)[0];
    EXPECT_EQ(e->frame, 0u);
    EXPECT_EQ(e->origin[0], 80);
    EXPECT_EQ(e->modelindex, 2);
    auto blocks = BlocksOf(SavedBytes(*doc));
    EXPECT_EQ(blocks[1], fx::Cat({Msg::StuffText("precache\n"), Msg::SpawnBaseline(baseline)}));
}

TEST(PacketEntities, AnEntityAddedAgainStartsFromItsBaseline) {
    EntityDelta baseline{
        .number = 6, .bits = U_MODEL | U_ORIGIN1, .modelindex = 9, .origin = {10, 0, 0}};
    std::vector<std::vector<EntityDelta>> packets = {
        {{.number = 6, .bits = U_ORIGIN1 | U_SKIN8, .skinnum = 2, .origin = {50, 0, 0}}},
        {EntityDelta::Remove(6)},
        {{.number = 6, .bits = U_ORIGIN2, .origin = {0, 4, 0}}},
    };
    auto doc = DecodedDoc(DemoWith({baseline}, packets).ToBytes());
    EXPECT_EQ(Entities(*doc, 4)[0]->remove, 1);
    auto* back = Entities(*doc, 5)[0];
    EXPECT_EQ(back->origin[0], 10);
    EXPECT_EQ(back->skinnum, 0u);
    // Encoding removes and re-adds the same way.
    auto again = DecodedDoc(SavedBytes(*doc));
    EXPECT_EQ(Entities(*again, 5)[0]->origin[0], 10);
    EXPECT_EQ(BlocksOf(SavedBytes(*doc))[4],
              fx::Cat({Frame(102), Msg::PlayerInfo({}), Msg::PacketEntities(packets[2])}));
}

TEST(PacketEntities, WideSkinsEffectsAndRenderfxKeepTheirValues) {
    std::vector<EntityDelta> packet = {
        // A laser keeps its four colours in the 32-bit skin.
        {.number = 20,
         .bits = U_SKIN8 | U_SKIN16 | U_RENDERFX8 | U_RENDERFX16,
         .skinnum = 0xF2F2F0F0,
         .renderfx = 0x00010040},
        // The 16-bit forms are signed on the wire: 0xFFFF is -1.
        {.number = 21, .bits = U_SKIN16 | U_EFFECTS16, .skinnum = 0xFFFF, .effects = 0x8001},
        {.number = 22, .bits = U_EFFECTS8 | U_EFFECTS16, .effects = 0x10000},
    };
    auto doc = DecodedDoc(DemoWith({}, {packet}).ToBytes());
    auto entities = Entities(*doc, 3);
    EXPECT_EQ(entities[0]->skinnum, 0xF2F2F0F0u);
    EXPECT_EQ(entities[0]->renderfx, 0x00010040u);
    EXPECT_EQ(entities[1]->skinnum, 0xFFFFFFFFu);
    EXPECT_EQ(entities[1]->effects, 0xFFFF8001u);
    EXPECT_EQ(entities[2]->effects, 0x10000u);
    EXPECT_EQ(BlocksOf(SavedBytes(*doc))[2],
              fx::Cat({Frame(100), Msg::PlayerInfo({}), Msg::PacketEntities(packet)}));
}

TEST(PacketEntities, AnEditedOriginIsSentWhereverItDiffers) {
    std::vector<std::vector<EntityDelta>> packets = {
        {{.number = 2, .bits = U_ORIGIN1 | U_MODEL, .modelindex = 1, .origin = {8, 0, 0}}},
        {{.number = 2, .bits = U_FRAME8, .frame = 1}},
        {{.number = 2, .bits = U_FRAME8, .frame = 2}},
    };
    auto doc = DecodedDoc(DemoWith({}, packets).ToBytes());
    for (DemoMessage* m = doc->BlockAt(4)->FirstMessage(); m; m = m->next) {
        if (auto* e = MessageCast<EntityMessage>(m); e && e->state.number == 2) {
            e->state.origin[0] = 800;
        }
    }
    auto again = DecodedDoc(SavedBytes(*doc));
    EXPECT_EQ(Entities(*again, 3)[0]->origin[0], 8);
    EXPECT_EQ(Entities(*again, 4)[0]->origin[0], 800);
    // The next packet's record still says 8, so the origin is sent back to 8.
    EXPECT_EQ(Entities(*again, 5)[0]->origin[0], 8);
}

TEST(PacketEntities, ANumberBeyondTheTablesEndsThePacketAsInTheGame) {
    std::vector<EntityDelta> packet = {
        {.number = 2000, .bits = U_NUMBER16 | U_ORIGIN1, .origin = {8, 0, 0}},
        {.number = 7, .bits = U_ORIGIN1, .origin = {16, 0, 0}},
    };
    auto doc = DecodedDoc(DemoWith({}, {packet}).ToBytes());
    // The game stops reading the packet at a number beyond its tables, and never shows the
    // frame: nothing of it is kept as shown, and saving leaves the frame out.
    ASSERT_EQ(Entities(*doc, 3).size(), 1u); // the record the game stopped at, for the page
    EXPECT_EQ(Entities(*doc, 3)[0]->number, 2000);
    auto* frame = MessageCast<FrameMessage>(doc->BlockAt(3)->FindMessage(svc_frame));
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->complete);
    bool listed = false;
    for (const DecodeProblem& p : doc->Problems()) {
        listed |= p.text.find("2000") != std::string::npos;
    }
    EXPECT_TRUE(listed);
}

TEST(PacketEntities, ARunCutShortByTheBlockEndHidesItsFrameAndNothingElse) {
    // The first packet lacks its terminator (the block ends there): the game stops at the end
    // of the message, so the frame is never shown; the next block reads from its own first
    // byte.
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    w.Block({Frame(100), Msg::PlayerInfo({}),
             Msg::PacketEntities({{.number = 1, .bits = U_ORIGIN1, .origin = {8, 0, 0}}},
                                 /*terminate=*/false)});
    w.Block({Msg::Print(1, "next block")});
    auto doc = DecodedDoc(w.ToBytes());
    auto* frame = MessageCast<FrameMessage>(doc->BlockAt(2)->FindMessage(svc_frame));
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->complete);
    EXPECT_FALSE(doc->Problems().empty());
    auto third = Records(doc->BlockAt(3));
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0]->type, svc_print);
    // Saving leaves out the frame the game never showed and keeps the rest.
    auto blocks = BlocksOf(SavedBytes(*doc));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1], Msg::Print(1, "next block"));
}

TEST(PacketEntities, AFrameTheGameCouldNotReadNeverEntersItsRing) {
    Bytes cut = Msg::PacketEntities({{.number = 1, .bits = U_ORIGIN1, .origin = {8, 0, 0}}});
    cut.resize(cut.size() - 3); // inside the origin
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    w.Block({Frame(100), Msg::PlayerInfo({}),
             Msg::PacketEntities({{.number = 1, .bits = U_ORIGIN2, .origin = {0, 24, 0}}})});
    w.Block({Frame(101), Msg::PlayerInfo({}), cut});
    w.Block({Frame(102), Msg::PlayerInfo({}),
             Msg::PacketEntities({{.number = 1, .bits = U_FRAME8, .frame = 3}})});
    w.Block({Frame(103), Msg::PlayerInfo({}), Msg::PacketEntities({})});
    auto doc = DecodedDoc(w.ToBytes());
    auto frameOf = [&](uint32_t b) {
        return MessageCast<FrameMessage>(doc->BlockAt(b)->FindMessage(svc_frame));
    };
    EXPECT_FALSE(frameOf(3)->complete);
    // 102 names 101, which the ring does not hold: the game reads it against what that entry
    // holds (nothing here) and does not show it. The half-read origin of 101 reaches no one.
    EXPECT_FALSE(frameOf(4)->valid);
    auto last = Entities(*doc, 4);
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(last[0]->origin[0], 0);
    EXPECT_EQ(last[0]->frame, 3u);
    // 103 is based on 102, which the ring does hold, so it is shown again.
    EXPECT_TRUE(frameOf(5)->valid);
    auto saved = DecodedDoc(SavedBytes(*doc));
    auto* first = MessageCast<FrameMessage>(saved->BlockAt(2)->FindMessage(svc_frame));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->valid);
}

TEST(PacketEntities, EveryFieldThatDiffersAloneIsSentAndNothingElseIs) {
    EntityState from{};
    from.number = 7;
    from.frame = 3;
    from.skinnum = 1;
    from.effects = 2;
    from.renderfx = 4;
    from.origin[0] = 10;
    from.origin[1] = 20;
    from.origin[2] = 30;
    from.solid = 5;
    from.modelindex = 1;
    from.modelindex2 = 2;
    from.modelindex3 = 3;
    from.modelindex4 = 4;
    from.angles[0] = 6;
    from.angles[1] = 7;
    from.angles[2] = 8;
    from.sound = 9;
    // Carried over unchanged: the old origin is where it stood, no event.
    const EntityState same = CarriedEntity(from);
    EXPECT_EQ(EntityDeltaBits(from, same), 0u);
    EntityState other = same;
    other.number = 8;
    other.remove = 1;
    EXPECT_EQ(EntityDeltaBits(from, other), 0u) << "number and remove are not fields";

    struct Case {
        const char* field;
        void (*change)(EntityState&);
        uint32_t bits;
    };
    const Case cases[] = {
        {"frame", [](EntityState& s) { s.frame = 4; }, U_FRAME8},
        {"skinnum", [](EntityState& s) { s.skinnum = 0x10000; }, U_SKIN8 | U_SKIN16},
        {"effects", [](EntityState& s) { s.effects = 0x100; }, U_EFFECTS16},
        {"renderfx", [](EntityState& s) { s.renderfx = 5; }, U_RENDERFX8},
        {"origin x", [](EntityState& s) { s.origin[0] = 11; }, U_ORIGIN1},
        {"origin z", [](EntityState& s) { s.origin[2] = 31; }, U_ORIGIN3},
        {"old origin", [](EntityState& s) { s.old_origin[2] = 0; }, U_OLDORIGIN},
        {"solid", [](EntityState& s) { s.solid = 6; }, U_SOLID},
        {"model", [](EntityState& s) { s.modelindex = 9; }, U_MODEL},
        {"model 4", [](EntityState& s) { s.modelindex4 = 9; }, U_MODEL4},
        {"angle 1", [](EntityState& s) { s.angles[0] = 0; }, U_ANGLE1},
        {"angle 3", [](EntityState& s) { s.angles[2] = 0; }, U_ANGLE3},
        {"sound", [](EntityState& s) { s.sound = 0; }, U_SOUND},
        {"event", [](EntityState& s) { s.event = 1; }, U_EVENT},
    };
    for (const Case& c : cases) {
        EntityState to = same;
        c.change(to);
        EXPECT_EQ(EntityDeltaBits(from, to), c.bits) << c.field;
    }
}

} // namespace
