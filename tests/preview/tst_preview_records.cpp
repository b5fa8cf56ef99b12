// The names the scene is built from and the records fed to the window, without a window.
#include "preview/preview_records.h"
#include "preview/scene_names.h"

#include "demo/demo_message.h"

#include <gtest/gtest.h>

TEST(SceneNames, MapBaseNameOnlyFromAMapPath) {
    EXPECT_EQ(MapBaseName("maps/base1.bsp").value_or("?"), "base1");
    EXPECT_EQ(MapBaseName("maps/dm/q2dm1.bsp").value_or("?"), "q2dm1");
    for (const char* bad :
         {"", "maps/.bsp", "base1.bsp", "maps/base1", "models/a.md2", "bsp", "maps/"}) {
        EXPECT_FALSE(MapBaseName(bad).has_value()) << bad;
    }
}

TEST(SceneNames, PlayerSkinsWithFallbacks) {
    const PlayerSkin normal = ParsePlayerSkin("Grunt\\female/athena");
    EXPECT_EQ(normal.model, "female");
    EXPECT_EQ(normal.skin, "athena");
    EXPECT_EQ(ParsePlayerSkin("x\\male/none").skin, "cipher");
    // No backslash, no slash, directory steps: never read out of range, never a path escape.
    for (const char* bad : {"", "Grunt", "Grunt\\", "Grunt\\female", "a\\..//..", "a\\/x"}) {
        const PlayerSkin s = ParsePlayerSkin(bad);
        EXPECT_FALSE(s.model.empty()) << bad;
        EXPECT_EQ(s.model.find(".."), std::string::npos) << bad;
        EXPECT_EQ(s.skin.find('/'), std::string::npos) << bad;
    }
    EXPECT_EQ(ParsePlayerSkin("Grunt\\female").model, "female");
    EXPECT_EQ(ParsePlayerSkin("Grunt\\female").skin, "cipher");
}

TEST(SceneNames, PlayerModelsNumberedInOrderOfFirstAppearance) {
    const PlayerModelPlan plan =
        PlanPlayerModels({"a\\male/grunt", "b\\female/athena", "c\\male/none"});
    ASSERT_EQ(plan.models, (std::vector<std::string>{"male", "female"}));
    ASSERT_EQ(plan.players.size(), 3u);
    EXPECT_EQ(plan.players[0].modelNumber, 300);
    EXPECT_EQ(plan.players[1].modelNumber, 301);
    EXPECT_EQ(plan.players[2].modelNumber, 300);
    EXPECT_EQ(plan.players[2].skinPath, "players/male/cipher.pcx");

    const PlayerModelPlan none = PlanPlayerModels({});
    ASSERT_EQ(none.models, std::vector<std::string>{"male"});
    EXPECT_EQ(none.players.at(0).skinPath, "players/male/cipher.pcx");

    std::vector<std::string> many(80, "p\\male/grunt");
    EXPECT_EQ(PlanPlayerModels(many).players.size(), 64u);
}

TEST(PreviewRecords, CameraBackToWireUnits) {
    EXPECT_EQ(AngleToWire(-90.0f), -16384);
    EXPECT_EQ(AngleToWire(90.0f), 16384);
    // A flight that turned past a half turn wraps instead of overflowing.
    EXPECT_EQ(AngleToWire(270.0f), -16384);
    EXPECT_EQ(AngleToWire(450.0f), 16384);
    EXPECT_EQ(AngleToWire(-450.0f), -16384);
    EXPECT_EQ(AngleToWire(0.004f), 0); // truncated toward zero
    EXPECT_EQ(OriginToWire(10.99f), 87);
    EXPECT_EQ(OriginToWire(-10.99f), -87);
    EXPECT_EQ(OriginToWire(5000.0f), 32767);
    EXPECT_EQ(OriginToWire(-5000.0f), -32768);
}

TEST(PreviewRecords, EntityAndPlayerRecordsInPreviewUnits) {
    EntityState s{};
    s.number = 5;
    s.modelindex = 7;
    s.origin[0] = 80;
    s.origin[2] = -16;
    s.angles[1] = 64;
    s.frame = 0xFFFFFFFEu; // a negative frame
    s.skinnum = 0x1203;
    s.solid = 31;
    s.renderfx = 4;
    const preventity_s r = FrameEntityRecord(s, 2);
    EXPECT_EQ(+r.modelindex, 7);
    EXPECT_FLOAT_EQ(+r.origin[0], 10.0f);
    EXPECT_FLOAT_EQ(+r.origin[2], -2.0f);
    EXPECT_FLOAT_EQ(+r.oldorigin[0], 10.0f);
    EXPECT_FLOAT_EQ(+r.angles[1], 90.0f);
    EXPECT_EQ(+r.frame, 0);
    EXPECT_EQ(+r.skinnum, 3);
    EXPECT_EQ(+r.skinmarker, 2);
    EXPECT_EQ(+r.spawn, 31);
    EXPECT_EQ(+r.flags, 4);

    PlayerState ps{};
    ps.origin[0] = 800;
    ps.viewoffset[2] = 88;
    ps.viewangles[0] = -16384;
    ps.blend[3] = 255.0f;
    ps.fov = 90;
    const prevplayer_s p = PlayerRecord(ps);
    EXPECT_FLOAT_EQ(p.vieworg[0], 100.0f);
    EXPECT_FLOAT_EQ(p.vieworg[2], 22.0f);
    EXPECT_FLOAT_EQ(p.viewangles[0], -90.0f);
    EXPECT_FLOAT_EQ(p.blend[3], 1.0f);
    EXPECT_EQ(p.fov, 90);
}
