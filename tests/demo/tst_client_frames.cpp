// Frames as the game client reads them: the delta frame a frame names in its ring, removes,
// full-width fields, and a save that gives the game back exactly what each frame showed.
#include "demo_test_util.h"

#include "demo/frame_timeline.h"

#include <gtest/gtest.h>

#include <optional>

using fx::Bytes;
using fx::EntityDelta;
namespace Msg = fx::Msg;

namespace {

// One packet of play: the server frame, the frame it deltas from (-1: none), its entities.
struct Packet {
    int32_t frame;
    int32_t delta;
    std::vector<EntityDelta> entities;
};

Bytes PacketBytes(const Packet& p) {
    return fx::Cat({Msg::Frame(p.frame, p.delta), Msg::PlayerInfo({}),
                    Msg::PacketEntities(p.entities)});
}

// Serverdata, a signon block with the baselines, then one block per packet (block 3 on).
Bytes DemoOf(const std::vector<EntityDelta>& baselines, const std::vector<Packet>& packets) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    w.Block(SignonWith(baselines));
    for (const Packet& p : packets) {
        w.Block(PacketBytes(p));
    }
    return w.ToBytes();
}

// What the game shows after the frame of `block`, walking the document from its start.
EntitySet ShownAt(const CTreskDoc& doc, uint32_t block) {
    FrameTimeline timeline;
    for (uint32_t b = 1; b <= block; ++b) {
        timeline.WalkBlock(*doc.BlockAt(b));
    }
    return timeline.Shown();
}

std::vector<int> NumbersOf(const EntitySet& set) {
    std::vector<int> out;
    for (const EntityState& e : set) {
        out.push_back(e.number);
    }
    return out;
}

std::optional<EntityState> Find(const EntitySet& set, int number) {
    for (const EntityState& e : set) {
        if (e.number == number) {
            return e;
        }
    }
    return std::nullopt;
}

const FrameMessage* FrameOf(const CTreskDoc& doc, uint32_t block) {
    return MessageCast<FrameMessage>(doc.BlockAt(block)->FindMessage(svc_frame));
}

// Saves, reads the saved bytes back, and checks every block of play shows the same.
void ExpectResaveShowsTheSame(CTreskDoc& doc) {
    auto again = DecodedDoc(SavedBytes(doc));
    ASSERT_EQ(again->blockCount, doc.blockCount);
    for (uint32_t b = 3; b <= doc.blockCount; ++b) {
        EntitySet was = ShownAt(doc, b);
        EntitySet now = ShownAt(*again, b);
        ASSERT_EQ(NumbersOf(now), NumbersOf(was)) << "block " << b;
        for (size_t i = 0; i < was.size(); ++i) {
            std::string why;
            EntityMessage x, y;
            x.type = y.type = svc_packetentities;
            x.state = was[i];
            y.state = now[i];
            EXPECT_TRUE(SameRecord(x, y, &why)) << "block " << b << " entity " << was[i].number
                                                << ": " << why;
        }
    }
}

TEST(ClientFrames, AShellBitGoingBackToZeroReachesTheGame) {
    // Quad shell (0x8000 in effects, sent at 32 bits as the game's server does) and colour
    // shell (0x100 in renderfx, at 16 bits).
    std::vector<Packet> packets = {
        {100, -1,
         {{.number = 4,
           .bits = U_MODEL | U_EFFECTS8 | U_EFFECTS16 | U_RENDERFX16 | U_FRAME16,
           .modelindex = 3,
           .frame = 0x100,
           .effects = 0x8000,
           .renderfx = 0x100}}},
        {101, 100, {{.number = 4, .bits = U_ORIGIN1, .origin = {8, 0, 0}}}},
        {102, 101, {{.number = 4, .bits = U_EFFECTS8 | U_RENDERFX8 | U_FRAME8}}},
        {103, 102, {}},
    };
    auto doc = DecodedDoc(DemoOf({}, packets));
    // Not sent: the game keeps the full width.
    std::optional<EntityState> held = Find(ShownAt(*doc, 4), 4);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->effects, 0x8000u);
    EXPECT_EQ(held->renderfx, 0x100u);
    EXPECT_EQ(held->frame, 0x100u);
    std::optional<EntityState> off = Find(ShownAt(*doc, 6), 4);
    ASSERT_TRUE(off);
    EXPECT_EQ(off->effects, 0u);
    EXPECT_EQ(off->renderfx, 0u);
    EXPECT_EQ(off->frame, 0u);
    ExpectResaveShowsTheSame(*doc);

    // Switching the shell off where it was never sent is sent too: the low byte is the same.
    auto edited = DecodedDoc(DemoOf({}, packets));
    for (const DemoMessage* m : Records(edited->BlockAt(4))) {
        if (m->type == svc_packetentities) {
            auto* e = const_cast<EntityMessage*>(MessageCast<EntityMessage>(m));
            if (e->state.number == 4) {
                e->state.effects = 0;
            }
        }
    }
    auto saved = DecodedDoc(SavedBytes(*edited));
    EXPECT_EQ(Find(ShownAt(*saved, 4), 4)->effects, 0u);
    EXPECT_EQ(Find(ShownAt(*saved, 3), 4)->effects, 0x8000u);
}

TEST(ClientFrames, ABaselineFrameAboveEightBitsIsResetWhenTheEntityComesBack) {
    EntityDelta baseline{.number = 9, .bits = U_MODEL | U_FRAME16, .modelindex = 2, .frame = 256};
    std::vector<Packet> packets = {
        {100, -1, {{.number = 9, .bits = U_FRAME8, .frame = 0}}},
        {101, 100, {EntityDelta::Remove(9)}},
        {102, 101, {{.number = 9, .bits = U_FRAME8, .frame = 0}}},
    };
    auto doc = DecodedDoc(DemoOf({baseline}, packets));
    EXPECT_EQ(Find(ShownAt(*doc, 5), 9)->frame, 0u);
    auto saved = DecodedDoc(SavedBytes(*doc));
    ASSERT_TRUE(Find(ShownAt(*saved, 5), 9));
    EXPECT_EQ(Find(ShownAt(*saved, 5), 9)->frame, 0u);
    EXPECT_EQ(Find(ShownAt(*saved, 3), 9)->frame, 0u);
}

TEST(ClientFrames, ABeamKeepsTheOriginItHadAsItsOldOrigin) {
    // A laser: its end point is the old origin, which the game takes from the previous
    // state's origin whenever it is not sent.
    std::vector<Packet> packets = {
        {100, -1,
         {{.number = 12,
           .bits = U_MODEL | U_RENDERFX8 | U_ORIGIN1 | U_OLDORIGIN,
           .modelindex = 1,
           .renderfx = 0x80, // RF_BEAM
           .origin = {40, 0, 0},
           .old_origin = {400, 0, 0}}}},
        {101, 100, {{.number = 12, .bits = U_ORIGIN2, .origin = {0, 16, 0}}}},
        {102, 101, {}},
    };
    auto doc = DecodedDoc(DemoOf({}, packets));
    EXPECT_EQ(Find(ShownAt(*doc, 3), 12)->old_origin[0], 400);
    std::optional<EntityState> moved = Find(ShownAt(*doc, 4), 12);
    EXPECT_EQ(moved->old_origin[0], 40); // the origin it had, not the old origin it had
    EXPECT_EQ(moved->old_origin[1], 0);
    EXPECT_EQ(moved->origin[1], 16);
    std::optional<EntityState> still = Find(ShownAt(*doc, 5), 12);
    EXPECT_EQ(still->old_origin[1], 16);
    ExpectResaveShowsTheSame(*doc);
}

TEST(ClientFrames, AFrameOnAStaleRingEntryReadsThatEntryAndIsNotShown) {
    // Frame 116 takes ring entry 4 from frame 100; frame 117 names 100 and so reads against
    // 116 as the game does. The game does not show 117 but keeps it in its ring, and 118,
    // based on 117, is shown again.
    std::vector<Packet> packets = {
        {100, -1, {{.number = 1, .bits = U_MODEL, .modelindex = 1}}},
        {116, 100, {{.number = 2, .bits = U_MODEL, .modelindex = 2}}},
        {117, 100, {{.number = 3, .bits = U_MODEL, .modelindex = 3}}},
        {118, 117, {{.number = 1, .bits = U_ORIGIN1, .origin = {8, 0, 0}}}},
    };
    auto doc = DecodedDoc(DemoOf({}, packets));
    EXPECT_TRUE(FrameOf(*doc, 4)->valid);
    EXPECT_FALSE(FrameOf(*doc, 5)->valid);
    EXPECT_TRUE(FrameOf(*doc, 6)->valid);
    EXPECT_EQ(NumbersOf(ShownAt(*doc, 6)), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Find(ShownAt(*doc, 6), 1)->origin[0], 8);
    EXPECT_EQ(Find(ShownAt(*doc, 6), 2)->modelindex, 2);
    ExpectResaveShowsTheSame(*doc);
}

TEST(ClientFrames, ARemoveOfAnAbsentEntityDropsTheNextOneAsInTheGame) {
    std::vector<Packet> packets = {
        {100, -1,
         {{.number = 3, .bits = U_MODEL, .modelindex = 1},
          {.number = 7, .bits = U_MODEL, .modelindex = 2},
          {.number = 9, .bits = U_MODEL, .modelindex = 3}}},
        {101, 100, {EntityDelta::Remove(5)}},
        {102, 101, {}},
    };
    auto doc = DecodedDoc(DemoOf({}, packets));
    // The game advances past 7 instead of removing 5.
    EXPECT_EQ(NumbersOf(ShownAt(*doc, 4)), (std::vector<int>{3, 9}));
    EXPECT_EQ(NumbersOf(ShownAt(*doc, 5)), (std::vector<int>{3, 9}));
    ExpectResaveShowsTheSame(*doc);
    // The saver never writes a remove for an entity the game does not hold.
    Bytes block = BlocksOf(SavedBytes(*doc))[3];
    EXPECT_EQ(block, PacketBytes({101, 100, {EntityDelta::Remove(7)}}));
}

TEST(ClientFrames, ARemoveCarriesNoFieldsOnTheWireEitherWay) {
    // The game reads no fields after a remove: the byte after it starts the next entity.
    EntityDelta moved{.number = 8, .bits = U_ORIGIN1, .origin = {24, 0, 0}};
    // Remove 6 with U_ORIGIN1 set as well, and no origin after it.
    Bytes removeWithBits = {svc_packetentities, U_REMOVE | U_ORIGIN1, 6};
    Bytes rest = Msg::PacketEntities({moved});
    rest.erase(rest.begin()); // its message id
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    w.Block({Msg::StuffText("precache\n")});
    w.Block({PacketBytes({100, -1,
                          {{.number = 6, .bits = U_MODEL, .modelindex = 1},
                           {.number = 8, .bits = U_MODEL, .modelindex = 2}}})});
    w.Block({Msg::Frame(101, 100), Msg::PlayerInfo({}), removeWithBits, rest});
    auto doc = DecodedDoc(w.ToBytes());
    EXPECT_TRUE(doc->Problems().empty());
    EXPECT_EQ(NumbersOf(ShownAt(*doc, 4)), (std::vector<int>{8}));
    EXPECT_EQ(Find(ShownAt(*doc, 4), 8)->origin[0], 24);

    // A remove record holding fields is written as its bits and number only.
    for (const DemoMessage* m : Records(doc->BlockAt(4))) {
        auto* e = const_cast<EntityMessage*>(MessageCast<EntityMessage>(m));
        if (e != nullptr && e->state.remove) {
            e->state.origin[2] = 99;
            e->state.modelindex = 5;
        }
    }
    Bytes saved = BlocksOf(SavedBytes(*doc))[3];
    EXPECT_EQ(saved, PacketBytes({101, 100, {EntityDelta::Remove(6), moved}}));
}

TEST(ClientFrames, AnOldFrameRunningOverTheEndOfTheParseRingIsReadWhole) {
    // 250 entities a frame: frame 104 fills parse entries 1000 to 1249, which wrap round the
    // ring's 1024. Frame 105 reads against it; frame 106 against 104 as well, so it is kept
    // whole on that wrapped frame.
    constexpr int kCount = 250;
    std::vector<EntityDelta> all;
    for (int n = 1; n <= kCount; ++n) {
        all.push_back({.number = n, .bits = U_MODEL | U_FRAME8,
                       .modelindex = static_cast<uint8_t>(n), .frame = 1});
    }
    auto moved = [](int n, int16_t x) {
        return EntityDelta{.number = n, .bits = U_ORIGIN1, .origin = {x, 0, 0}};
    };
    std::vector<Packet> packets = {
        {100, -1, all},
        {101, 100, {moved(1, 8)}},
        {102, 101, {moved(2, 8)}},
        {103, 102, {moved(3, 8)}},
        {104, 103, {moved(30, 8), moved(240, 16)}}, // 30 at entry 1029, 240 at 1239
        {105, 104, {moved(4, 8)}},
        {106, 104, {moved(5, 8)}},
    };
    auto doc = DecodedDoc(DemoOf({}, packets));
    EXPECT_TRUE(doc->Problems().empty());
    const FrameMessage* irregular = FrameOf(*doc, 9);
    ASSERT_TRUE(irregular->complete);
    EXPECT_TRUE(irregular->valid);
    ASSERT_NE(irregular->keptWhole, nullptr);
    const EntitySet& kept = irregular->keptWhole->base;
    ASSERT_EQ(kept.size(), static_cast<size_t>(kCount));
    for (int n = 1; n <= kCount; ++n) {
        const EntityState& e = kept[static_cast<size_t>(n - 1)];
        ASSERT_EQ(e.number, n);
        EXPECT_EQ(e.modelindex, n) << n;
        EXPECT_EQ(e.origin[0], n <= 3 || n == 30 ? 8 : n == 240 ? 16 : 0) << n;
    }
    for (uint32_t block : {8u, 9u}) {
        EntitySet shown = ShownAt(*doc, block);
        ASSERT_EQ(shown.size(), static_cast<size_t>(kCount)) << block;
        EXPECT_EQ(Find(shown, 240)->origin[0], 16) << block;
        EXPECT_EQ(Find(shown, 250)->modelindex, 250) << block;
    }
    EXPECT_EQ(Find(ShownAt(*doc, 8), 4)->origin[0], 8);
    EXPECT_EQ(Find(ShownAt(*doc, 9), 4)->origin[0], 0); // 106 is read against 104, not 105
    EXPECT_EQ(Find(ShownAt(*doc, 9), 5)->origin[0], 8);
    ExpectResaveShowsTheSame(*doc);
}

TEST(ClientFrames, RecordsThatRepeatTheGameOrComeOutOfOrderAreSavedAsTheGameNeedsThem) {
    EntityDelta baseline{.number = 9, .bits = U_MODEL, .modelindex = 5};
    std::vector<Packet> packets = {
        {100, -1,
         {{.number = 3, .bits = U_MODEL, .modelindex = 1},
          {.number = 7, .bits = U_MODEL, .modelindex = 2}}},
        // 3 as the game already holds it, 7 leaves, 9 comes back as its baseline.
        {101, 100,
         {{.number = 3, .bits = U_MODEL, .modelindex = 1},
          EntityDelta::Remove(7),
          {.number = 9, .bits = U_MODEL, .modelindex = 5}}},
        {102, 101,
         {{.number = 4, .bits = U_MODEL, .modelindex = 6},
          {.number = 8, .bits = U_MODEL, .modelindex = 7}}},
        {103, 102, {{.number = 3, .bits = U_ORIGIN1, .origin = {8, 0, 0}}}},
    };
    auto doc = DecodedDoc(DemoOf({baseline}, packets));
    // An edit swaps the numbers of frame 102's records: they now come 8, 4.
    std::vector<EntityMessage*> records;
    for (const DemoMessage* m : Records(doc->BlockAt(5))) {
        if (m->type == svc_packetentities) {
            auto* e = const_cast<EntityMessage*>(MessageCast<EntityMessage>(m));
            if (e->state.number != 0) {
                records.push_back(e);
            }
        }
    }
    ASSERT_EQ(records.size(), 2u);
    std::swap(records[0]->state.number, records[1]->state.number);

    std::vector<Bytes> blocks = BlocksOf(SavedBytes(*doc));
    ASSERT_EQ(blocks.size(), 6u);
    // Nothing for 3; a remove for 7; 9 in full although it equals its baseline.
    EXPECT_EQ(blocks[3], PacketBytes({101, 100, {EntityDelta::Remove(7), {.number = 9}}}));
    // Ascending, as the game reads them, with the values the edit gave each number.
    EXPECT_EQ(blocks[4], PacketBytes({102, 101,
                                      {{.number = 4, .bits = U_MODEL, .modelindex = 7},
                                       {.number = 8, .bits = U_MODEL, .modelindex = 6}}}));
    EXPECT_EQ(blocks[5],
              PacketBytes({103, 102, {{.number = 3, .bits = U_ORIGIN1, .origin = {8, 0, 0}}}}));
    ExpectResaveShowsTheSame(*doc);
}

TEST(ClientFrames, FramesAfterOnesThatCouldNotSendEverythingCatchUpAndThenFollowTheirRecords) {
    // 250 entities with a model and a position take about 2,500 bytes: the first frame's
    // block sends part of them and the frames after it the rest.
    std::vector<EntityDelta> crowd;
    for (int n = 1; n <= 250; ++n) {
        const auto v = static_cast<int16_t>(n * 8);
        crowd.push_back({.number = n, .bits = U_MODEL | U_ORIGIN1 | U_ORIGIN2 | U_ORIGIN3,
                         .modelindex = 1, .origin = {v, v, v}});
    }
    std::vector<Packet> packets = {{100, -1, crowd}};
    for (int32_t f = 101; f <= 108; ++f) {
        const auto x = static_cast<int16_t>(f);
        packets.push_back({f, f - 1, {{.number = 7, .bits = U_ORIGIN1, .origin = {x, 0, 0}}}});
    }
    auto doc = DecodedDoc(DemoOf({}, packets));
    auto saved = DecodedDoc(SavedBytes(*doc));
    EXPECT_GT(doc->lastSave.framesDiffering, 0u);
    ASSERT_EQ(saved->blockCount, doc->blockCount);
    for (uint32_t b = doc->blockCount - 2; b <= doc->blockCount; ++b) {
        EntitySet was = ShownAt(*doc, b);
        EntitySet now = ShownAt(*saved, b);
        ASSERT_EQ(NumbersOf(now), NumbersOf(was)) << "block " << b;
        for (size_t i = 0; i < was.size(); ++i) {
            EntityMessage x, y;
            x.type = y.type = svc_packetentities;
            x.state = was[i];
            y.state = now[i];
            std::string why;
            EXPECT_TRUE(SameRecord(x, y, &why)) << "block " << b << ": " << why;
        }
    }
    // Once caught up, a frame sends its record alone.
    EXPECT_EQ(BlocksOf(SavedBytes(*doc)).back(),
              PacketBytes({108, 107, {{.number = 7, .bits = U_ORIGIN1, .origin = {108, 0, 0}}}}));
}

} // namespace
