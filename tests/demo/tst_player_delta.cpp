// Playerinfo deltas: every field keeps its previous value until sent, stats travel by mask.
#include "demo_test_util.h"

#include <gtest/gtest.h>

using fx::Bytes;
using fx::PlayerDelta;
namespace Msg = fx::Msg;

namespace {

// Frames from 10 on, each a delta from the one before; the first stands alone.
Bytes FrameBlock(int32_t n, const PlayerDelta& p) {
    return fx::Cat(
        {Msg::Frame(n, n == 10 ? -1 : n - 1), Msg::PlayerInfo(p), Msg::PacketEntities({})});
}

std::unique_ptr<CTreskDoc> DemoOf(const std::vector<PlayerDelta>& players) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    int32_t n = 10;
    for (const PlayerDelta& p : players) {
        w.Block(FrameBlock(n++, p));
    }
    return DecodedDoc(w.ToBytes());
}

PlayerState& Player(CTreskDoc& doc, uint32_t block) {
    return MessageCast<PlayerInfoMessage>(doc.BlockAt(block)->FindMessage(svc_playerinfo))->state;
}

TEST(PlayerInfo, EveryFieldKeepsItsPreviousValueUntilSent) {
    PlayerDelta dead{.flags = PS_M_TYPE | PS_M_FLAGS | PS_M_TIME | PS_M_GRAVITY | PS_M_ORIGIN |
                              PS_KICKANGLES | PS_WEAPONFRAME | PS_BLEND | PS_FOV,
                     .pm_type = 2,
                     .origin = {8, 16, 24},
                     .pm_time = 5,
                     .pm_flags = 1,
                     .gravity = 800,
                     .kick_angles = {-1, 0, 2},
                     .gunframe = 4,
                     .gunoffset = {-2, 0, 1},
                     .gunangles = {3, -4, 0},
                     .blend = {255, 0, 0, 128},
                     .fov = 90};
    PlayerDelta nothing{};
    // Respawning sends pm_type 0 and pm_flags 0 explicitly: they must reach the game.
    PlayerDelta respawn{.flags = PS_M_TYPE | PS_M_FLAGS, .pm_type = 0, .pm_flags = 0};
    auto doc = DemoOf({dead, nothing, respawn, nothing});
    PlayerState& second = Player(*doc, 3);
    EXPECT_EQ(second.pm_type, 2);
    EXPECT_EQ(second.pm_time, 5);
    EXPECT_EQ(second.gravity, 800);
    EXPECT_EQ(second.origin[2], 24);
    EXPECT_EQ(second.kick_angles[0], -1); // signed: -0.25 degrees, not 63.75
    EXPECT_EQ(second.gunoffset[0], -2);
    EXPECT_EQ(second.gunangles[1], -4);
    EXPECT_FLOAT_EQ(second.blend[3], 128.f);
    EXPECT_EQ(second.fov, 90);
    EXPECT_EQ(Player(*doc, 5).pm_type, 0);
    EXPECT_EQ(Player(*doc, 5).pm_flags, 0);

    auto blocks = BlocksOf(SavedBytes(*doc));
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(blocks[2], FrameBlock(11, nothing));
    EXPECT_EQ(blocks[3], FrameBlock(12, respawn));
    auto again = DecodedDoc(SavedBytes(*doc));
    EXPECT_EQ(Player(*again, 4).pm_type, 0);
    EXPECT_EQ(Player(*again, 3).pm_type, 2);
}

TEST(PlayerInfo, StatsNotSentKeepTheirValueAndMinusOneTravelsWhenSent) {
    PlayerDelta selected;
    selected.Stat(1, 100).Stat(8, -1); // -1: no item selected, really sent
    PlayerDelta health;
    health.Stat(1, 75);
    auto doc = DemoOf({selected, PlayerDelta{}, health});
    PlayerState& p = Player(*doc, 2);
    EXPECT_EQ(p.statsMask, (1u << 1) | (1u << 8));
    EXPECT_EQ(p.stats[8], -1);
    EXPECT_EQ(p.stats[0], 0); // never sent: the game starts from nothing
    PlayerState& none = Player(*doc, 3);
    EXPECT_EQ(none.statsMask, 0u);
    EXPECT_EQ(none.stats[1], 100); // kept from the frame before
    EXPECT_EQ(none.stats[8], -1);
    EXPECT_EQ(Player(*doc, 4).stats[1], 75);
    EXPECT_EQ(Player(*doc, 4).stats[8], -1);
    auto blocks = BlocksOf(SavedBytes(*doc));
    EXPECT_EQ(blocks[1], FrameBlock(10, selected));
    EXPECT_EQ(blocks[2], FrameBlock(11, PlayerDelta{}));
    EXPECT_EQ(blocks[3], FrameBlock(12, health));

    // An edited stat is sent where it differs from what the game holds, and sent back after.
    Player(*doc, 3).stats[1] = 5;
    auto again = DecodedDoc(SavedBytes(*doc));
    EXPECT_EQ(Player(*again, 3).stats[1], 5);
    EXPECT_EQ(Player(*again, 4).stats[1], 75);
    EXPECT_EQ(Player(*again, 4).stats[8], -1);
}

TEST(PlayerInfo, AChangeInOneComponentSendsItsGroup) {
    auto doc = DemoOf({PlayerDelta{}, PlayerDelta{}, PlayerDelta{}, PlayerDelta{}});
    Player(*doc, 3).blend[1] = 10;       // green alone
    Player(*doc, 4).kick_angles[2] = -3; // kick z alone
    Player(*doc, 5).gunoffset[0] = 2;    // gun offset travels with the gun frame
    auto blocks = BlocksOf(SavedBytes(*doc));
    auto flagsOf = [](const Bytes& block) {
        size_t at = 0;
        while (block[at] != svc_playerinfo) {
            ++at;
        }
        return block[at + 1] | block[at + 2] << 8;
    };
    EXPECT_EQ(flagsOf(blocks[2]), PS_BLEND);
    EXPECT_EQ(flagsOf(blocks[3]), PS_BLEND | PS_KICKANGLES); // blend back to 0
    EXPECT_EQ(flagsOf(blocks[4]), PS_KICKANGLES | PS_WEAPONFRAME);
    auto again = DecodedDoc(SavedBytes(*doc));
    EXPECT_EQ(Player(*again, 4).kick_angles[2], -3);
    EXPECT_EQ(Player(*again, 5).gunoffset[0], 2);
    EXPECT_FLOAT_EQ(Player(*again, 3).blend[1], 10.f);
}

} // namespace
