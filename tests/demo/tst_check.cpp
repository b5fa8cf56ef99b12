// The check of a whole demo: each place the game would refuse or misplay, at its block.
#include "demo_test_util.h"

#include "demo/codec.h"
#include "demo/demo_check.h"
#include "demo/frame_problems.h"
#include "demo/player_state.h"

#include <gtest/gtest.h>

#include <algorithm>

using fx::Bytes;
using fx::EntityDelta;
namespace Msg = fx::Msg;

namespace {

// The player of the first frame: a field of view the game draws.
const fx::PlayerDelta kPlayer{.flags = PS_FOV, .fov = 90};

Bytes FrameBytes(int32_t frame, int32_t delta, const std::vector<EntityDelta>& entities = {},
                 const fx::PlayerDelta& player = kPlayer) {
    return fx::Cat(
        {Msg::Frame(frame, delta), Msg::PlayerInfo(player), Msg::PacketEntities(entities)});
}

// Serverdata (block 1), the precache command (block 2), then the given blocks from block 3.
Bytes DemoOf(const std::vector<Bytes>& blocks) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    w.Block(SignonWith({}));
    for (const Bytes& b : blocks) {
        w.Block(b);
    }
    return w.ToBytes();
}

std::vector<DecodeProblem> Check(const Bytes& file) {
    ShownMessages quiet;
    CTreskDoc doc;
    doc.LoadFromBytes(file.data(), file.size());
    return CheckDemo(doc);
}

std::string Listing(const std::vector<DecodeProblem>& found) {
    std::string text;
    for (const DecodeProblem& p : found) {
        text += "\n  block " + std::to_string(p.block) + ": " + p.text;
    }
    return text.empty() ? " nothing" : text;
}

// The findings hold exactly these.
void ExpectFindings(const Bytes& file, const std::vector<DecodeProblem>& expected) {
    std::vector<DecodeProblem> found = Check(file);
    bool same = found.size() == expected.size();
    for (size_t i = 0; same && i < found.size(); ++i) {
        same = found[i].block == expected[i].block && found[i].text == expected[i].text;
    }
    EXPECT_TRUE(same) << "found:" << Listing(found) << "\nexpected:" << Listing(expected);
}

TEST(Check, APlayableDemoHasNoFindings) {
    ExpectFindings(DemoOf({FrameBytes(100, -1, {{.number = 1, .bits = U_MODEL, .modelindex = 1}}),
                           FrameBytes(101, 100, {}, {}), FrameBytes(102, 101, {}, {})}),
                   {});
}

// Decoding ends at frame data out of place too, and says what it left unread.
DecodeProblem Skipped(uint32_t block, int bytes) {
    return {block, std::to_string(bytes) + " bytes after an unreadable message were skipped"};
}

TEST(Check, FrameDataOutsideItsFrameStopsTheGame) {
    const Bytes player = Msg::PlayerInfo(kPlayer);
    const Bytes entities = Msg::PacketEntities({});
    ExpectFindings(DemoOf({player}),
                   {{3, FrameDataOutOfPlaceProblem(svc_playerinfo)}, Skipped(3, 7)});
    ExpectFindings(DemoOf({entities}),
                   {{3, FrameDataOutOfPlaceProblem(svc_packetentities)}, Skipped(3, 2)});
    ExpectFindings(DemoOf({fx::Cat({Msg::Frame(100, -1), Msg::Print(1, "x"), player, entities})}),
                   {{3, FrameWithoutPlayerProblem(100)},
                    {3, FrameDataOutOfPlaceProblem(svc_playerinfo)},
                    Skipped(3, 10)});
    ExpectFindings(DemoOf({fx::Cat({Msg::Frame(100, -1), player, Msg::Print(1, "x")})}),
                   {{3, FrameWithoutEntitiesProblem(100)}});
    // A frame split over two blocks: the game reads each block as one packet.
    ExpectFindings(DemoOf({Msg::Frame(100, -1), fx::Cat({player, entities})}),
                   {{3, FrameCutByBlockEndProblem(100, FrameCut::kBeforePlayer)},
                    {4, FrameDataOutOfPlaceProblem(svc_playerinfo)},
                    Skipped(4, 10)});
    ExpectFindings(DemoOf({fx::Cat({Msg::Frame(100, -1), player})}),
                   {{3, FrameCutByBlockEndProblem(100, FrameCut::kBeforeEntities)}});
    ExpectFindings(DemoOf({fx::Cat({Msg::Frame(100, -1), player,
                                    Msg::PacketEntities({{.number = 1, .bits = U_MODEL}},
                                                        /*terminate=*/false)})}),
                   {{3, FrameCutByBlockEndProblem(100, FrameCut::kInsideEntities)}});
    EXPECT_EQ(FrameDataOutOfPlaceProblem(svc_playerinfo),
              "playerinfo outside a frame (it must follow its frame directly, in the same "
              "block): the game stops playback here");
    EXPECT_EQ(FrameCutByBlockEndProblem(100, FrameCut::kInsideEntities),
              "frame 100 ends with its block before its entities do: the game stops playback "
              "here");
}

TEST(Check, TwoFramesInOneBlockShowOnlyTheLast) {
    ExpectFindings(
        DemoOf({FrameBytes(100, -1), fx::Cat({FrameBytes(101, 100), FrameBytes(102, 101)})}),
        {{4, FramesInOneBlockProblem({101, 102})}});
    EXPECT_EQ(FramesInOneBlockProblem({101, 102}),
              "2 frames in one block (101 and 102): the game reads them at once and shows only "
              "frame 102");
    EXPECT_EQ(FramesInOneBlockProblem({1, 2, 3}).rfind("3 frames in one block (1, 2 and 3)", 0),
              0u);
}

TEST(Check, PlayMustStartAfterThePrecacheCommandHasRun) {
    fx::DemoFileWriter none;
    none.Block({ServerDataMsg()}).Block({FrameBytes(100, -1)}).Block({FrameBytes(101, 100)});
    ExpectFindings(none.ToBytes(), {{2, FrameBeforePrecacheProblem(100)}});

    // The command runs once its whole block is read: a frame after it in that block is early.
    fx::DemoFileWriter sameBlock;
    sameBlock.Block({ServerDataMsg()}).Block({Msg::StuffText("precache\n"), FrameBytes(100, -1)});
    ExpectFindings(sameBlock.ToBytes(), {{2, FrameBeforePrecacheProblem(100)}});

    // Only the first frame the game shows counts; each map waits for its own precache.
    fx::DemoFileWriter twoMaps;
    twoMaps.Block({ServerDataMsg()})
        .Block({Msg::StuffText("precache\n")})
        .Block({FrameBytes(100, -1)})
        .Block({ServerDataMsg()})
        .Block({FrameBytes(5, -1)})
        .Block({Msg::StuffText("precache\n")})
        .Block({FrameBytes(6, 5)});
    ExpectFindings(twoMaps.ToBytes(), {{5, FrameBeforePrecacheProblem(5)}});
}

TEST(Check, PrecacheIsFoundAmongAStufftextsCommands) {
    EXPECT_TRUE(RunsPrecache("precache\n"));
    EXPECT_TRUE(RunsPrecache("precache 1234\n"));
    EXPECT_TRUE(RunsPrecache("cmd configstrings; precache"));
    EXPECT_TRUE(RunsPrecache("echo hi\n  precache\n"));
    EXPECT_FALSE(RunsPrecache("precached\n"));
    EXPECT_FALSE(RunsPrecache("echo precache\n"));
    EXPECT_FALSE(RunsPrecache(""));
}

TEST(Check, AFieldOfViewTheGameCannotDrawIsReportedOncePerRun) {
    const fx::PlayerDelta zero{.flags = PS_FOV, .fov = 0};
    const fx::PlayerDelta wide{.flags = PS_FOV, .fov = 180};
    ExpectFindings(DemoOf({FrameBytes(100, -1, {}, zero), FrameBytes(101, 100, {}, {}),
                           FrameBytes(102, 101, {}, {}), FrameBytes(103, 102, {}, kPlayer),
                           FrameBytes(104, 103, {}, wide)}),
                   {{3, FovProblem(100, 0, 2, 5)}, {7, FovProblem(104, 180, 0, 7)}});
    for (uint8_t fov : {uint8_t{1}, uint8_t{179}}) {
        ExpectFindings(DemoOf({FrameBytes(100, -1, {}, {.flags = PS_FOV, .fov = fov})}), {});
    }
    EXPECT_EQ(FovProblem(100, 0, 2, 5),
              "frame 100 has a field of view of 0, outside the 1 to 179 the game draws (so have "
              "the 2 frames after it, to block 5): the game stops playback here");
}

TEST(Check, ADeltaFromAFrameTheGameNoLongerHoldsIsNotShown) {
    // Never received.
    ExpectFindings(DemoOf({FrameBytes(100, -1), FrameBytes(101, 90)}),
                   {{4, DeltaFromFrameNotHeldProblem(101, 90)}});
    // Older than the ring: 117 took the entry of 101.
    std::vector<Bytes> ring = {FrameBytes(100, -1)};
    for (int32_t f = 101; f <= 117; ++f) {
        ring.push_back(FrameBytes(f, f - 1));
    }
    ring.push_back(FrameBytes(118, 101));
    ExpectFindings(DemoOf(ring), {{21, DeltaFromFrameNotHeldProblem(118, 101)}});
    // Held, but more entities were read since than the game keeps.
    std::vector<EntityDelta> hundred;
    for (int n = 1; n <= 100; ++n) {
        hundred.push_back({.number = n, .bits = U_MODEL, .modelindex = 1});
    }
    std::vector<Bytes> crowded = {FrameBytes(100, -1, hundred)};
    for (int32_t f = 101; f <= 109; ++f) {
        crowded.push_back(FrameBytes(f, f - 1));
    }
    crowded.push_back(FrameBytes(110, 100));
    ExpectFindings(DemoOf(crowded), {{13, DeltaFromOutdatedEntitiesProblem(110, 100)}});
    // 117 reads against the entry 116 took over; 118 builds on 117, which was not shown.
    ExpectFindings(
        DemoOf({FrameBytes(100, -1), FrameBytes(116, 100), FrameBytes(117, 100),
                FrameBytes(118, 117)}),
        {{5, DeltaFromFrameNotHeldProblem(117, 100)}, {6, DeltaFromInvalidFrameProblem(118, 117)}});
}

TEST(Check, ARemoveOfAnEntityTheGameDoesNotHold) {
    const std::vector<EntityDelta> three = {{.number = 3, .bits = U_MODEL, .modelindex = 1},
                                            {.number = 7, .bits = U_MODEL, .modelindex = 2}};
    ExpectFindings(
        DemoOf({FrameBytes(100, -1, three), FrameBytes(101, 100, {EntityDelta::Remove(5)})}),
        {{4, RemoveOfEntityNotHeldProblem(101, 100, 5, 7)}});
    ExpectFindings(
        DemoOf({FrameBytes(100, -1, three), FrameBytes(101, 100, {EntityDelta::Remove(9)})}),
        {{4, RemoveOfEntityNotHeldProblem(101, 100, 9, 0)}});
    ExpectFindings(DemoOf({FrameBytes(100, -1, {EntityDelta::Remove(3)})}),
                   {{3, RemoveOfEntityNotHeldProblem(100, -1, 3, 0)}});
    ExpectFindings(
        DemoOf({FrameBytes(100, -1, three), FrameBytes(101, 100, {EntityDelta::Remove(7)})}), {});
    EXPECT_EQ(RemoveOfEntityNotHeldProblem(101, 100, 5, 7),
              "frame 101 removes entity 5, which frame 100 does not hold: the game drops entity 7 "
              "in its place");
    EXPECT_EQ(RemoveOfEntityNotHeldProblem(100, -1, 3, 0),
              "frame 100 removes entity 3, though it is read against no earlier frame: the game "
              "has no frame to remove it from and fails");
}

TEST(Check, AConfigstringBeyondTheGamesTableStopsIt) {
    ExpectFindings(DemoOf({Msg::ConfigString(2079, "last"), Msg::ConfigString(2080, "beyond"),
                           fx::Cat({FrameBytes(100, -1), Msg::ConfigString(65535, "far")})}),
                   {{4, ConfigStringIndexProblem(2080)}, {5, ConfigStringIndexProblem(65535)}});
    EXPECT_EQ(ConfigStringIndexProblem(2080),
              "configstring index 2080 is beyond the game's 2080 configstrings (0 to 2079): the "
              "game stops playback here");
}

TEST(Check, FindingsComeInBlockOrderWithTheBlockSizes) {
    const Bytes big = fx::Cat({FrameBytes(100, -1), Bytes(1500, svc_nop)});
    ExpectFindings(DemoOf({big, Msg::PlayerInfo({}), Msg::Id(33)}),
                   {{3, BlockTooLongProblem(static_cast<uint32_t>(big.size()))},
                    {4, FrameDataOutOfPlaceProblem(svc_playerinfo)},
                    Skipped(4, 6),
                    {5, "invalid message id 33"}});
    EXPECT_EQ(BlockTooLongProblem(1401),
              "1401 bytes, more than the game's 1400-byte packet buffer: the game stops playback "
              "here");
}

TEST(Check, AnUnsupportedProtocolIsJudgedOnlyByItsBlockSizes) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg(56)}).Block(Bytes(1401, 0xFE)).Block({Msg::PlayerInfo({})});
    const std::vector<DecodeProblem> found = Check(w.ToBytes());
    ASSERT_EQ(found.size(), 3u) << Listing(found);
    EXPECT_EQ(found[0].block, 1u);
    EXPECT_EQ(found[0].text, UnsupportedProtocolProblem(56));
    EXPECT_EQ(found[1].block, 2u);
    EXPECT_EQ(found[1].text, BlockTooLongProblem(1401));
    EXPECT_EQ(found[2].block, 0u);
    EXPECT_EQ(found[2].text.find("further problems met decoding the rest are left out"), 2u)
        << found[2].text;
}

TEST(Check, EveryCorpusDemoTheGamePlaysChecksClean) {
    auto demos = CorpusDemos();
    if (demos.empty()) {
        GTEST_SKIP() << "no corpus demos in " << CINERAD_CORPUS_DIR;
    }
    for (const auto& path : demos) {
        SCOPED_TRACE(path.filename().string());
        ShownMessages quiet;
        CTreskDoc doc;
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(path.string(), &error)) << error;
        std::vector<DecodeProblem> found = CheckDemo(doc);
        if (doc.unsupportedProtocol) {
            // The source port's own protocol: named with the number its serverdata holds.
            const std::string protocol = UnsupportedProtocolProblem(doc.protocolVersion);
            EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const DecodeProblem& p) {
                return p.text == protocol;
            })) << Listing(found);
            continue;
        }
        EXPECT_TRUE(found.empty()) << Listing(found);
    }
}

} // namespace
