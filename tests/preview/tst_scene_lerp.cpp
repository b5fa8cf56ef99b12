// Drawing between two blocks, on the numbers: where entities and the camera stand in a
// picture between two frames.
#include "preview/scene_lerp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

SceneEntity Entity(uint16_t number, int x, int y, int z, float yaw = 0) {
    SceneEntity e;
    std::memset(&e, 0, sizeof e);
    e.state.number = number;
    e.state.modelindex = 3;
    const int units[3] = {x, y, z};
    for (int k = 0; k < 3; ++k) {
        e.state.origin[k] = static_cast<int16_t>(units[k] * 8);
        e.record.origin[k] = static_cast<float>(units[k]);
        e.record.oldorigin[k] = e.record.origin[k];
    }
    e.record.angles[1] = yaw;
    e.record.modelindex = 3;
    e.record.frame = 10;
    return e;
}

PreviewScene Scene(std::vector<SceneEntity> entities, float eyeX = 0, float yaw = 0,
                   uint8_t fov = 90) {
    PreviewScene s;
    s.entities = std::move(entities);
    s.hasPlayer = true;
    s.player.vieworg[0] = eyeX;
    s.player.viewangles[1] = yaw;
    s.player.fov = fov;
    s.playerOrigin[0] = static_cast<int16_t>(eyeX * 8);
    return s;
}

const SceneEntity* Find(const PreviewScene& s, uint16_t number) {
    for (const SceneEntity& e : s.entities) {
        if (e.state.number == number) {
            return &e;
        }
    }
    return nullptr;
}

// Equal as directions: the same angle up to whole turns.
double TurnDistance(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

TEST(SceneLerp, PicturesBetweenTwoFramesStandBetweenThem) {
    SceneEntity moved = Entity(5, 0, 0, 0);
    SceneEntity arrived = Entity(5, 90, -30, 12);
    arrived.record.frame = 11;
    const PreviewScene from = Scene({Entity(2, 7, 7, 7), moved}, 100, 0, 90);
    const PreviewScene to = Scene({arrived, Entity(9, 50, 50, 50)}, 160, 30, 60);

    float lastX = 0;
    for (int j = 1; j < 3; ++j) {
        const float f = static_cast<float>(j) / 3;
        const PreviewScene between = LerpScene(from, to, f);
        // The later frame's entities: 2 left, 9 appeared.
        ASSERT_EQ(between.entities.size(), 2u);
        EXPECT_EQ(Find(between, 2), nullptr);
        const SceneEntity* e = Find(between, 5);
        ASSERT_NE(e, nullptr);
        EXPECT_NEAR(e->record.origin[0], 90 * f, 1e-4);
        EXPECT_NEAR(e->record.origin[1], -30 * f, 1e-4);
        EXPECT_NEAR(e->record.origin[2], 12 * f, 1e-4);
        EXPECT_GT(e->record.origin[0], lastX);
        lastX = e->record.origin[0];
        EXPECT_EQ(e->record.oldorigin[0], e->record.origin[0]);
        // The animation frame is the nearer frame's.
        EXPECT_EQ(e->record.frame, j == 1 ? 10 : 11);
        // Only in the later frame: where it is there, not moved.
        const SceneEntity* fresh = Find(between, 9);
        ASSERT_NE(fresh, nullptr);
        EXPECT_EQ(fresh->record.origin[0], 50.0f);
        // The camera likewise.
        EXPECT_NEAR(between.player.vieworg[0], 100 + 60 * f, 1e-3);
        EXPECT_NEAR(between.player.viewangles[1], 30 * f, 1e-3);
        EXPECT_EQ(between.player.fov, j == 1 ? 80 : 70);
    }
    // At the ends, the frames themselves.
    EXPECT_EQ(Find(LerpScene(from, to, 0), 5)->record.origin[0], 0.0f);
    EXPECT_EQ(Find(LerpScene(from, to, 1), 5)->record.origin[0], 90.0f);
}

TEST(SceneLerp, AnglesTurnTheShortWayRound) {
    EXPECT_LT(TurnDistance(LerpAngle(350, 10, 0.5f), 0), 1e-4);
    EXPECT_LT(TurnDistance(LerpAngle(10, 350, 0.25f), 5), 1e-4);
    EXPECT_LT(TurnDistance(LerpAngle(-170, 170, 0.5f), 180), 1e-4);
    EXPECT_LT(TurnDistance(LerpAngle(0, 720 + 90, 0.5f), 45), 1e-4);
    EXPECT_LT(TurnDistance(LerpAngle(30, 60, 0.5f), 45), 1e-4);

    const PreviewScene from = Scene({Entity(5, 0, 0, 0, 355)}, 0, 340);
    const PreviewScene to = Scene({Entity(5, 0, 0, 0, 15)}, 0, 20);
    const PreviewScene between = LerpScene(from, to, 0.25f);
    EXPECT_LT(TurnDistance(between.entities[0].record.angles[1], 0), 1e-3);
    EXPECT_LT(TurnDistance(between.player.viewangles[1], 350), 1e-3);
}

TEST(SceneLerp, JumpsAreNotInterpolated) {
    const PreviewScene from = Scene({Entity(3, 0, 0, 0), Entity(4, 0, 0, 0), Entity(5, 0, 0, 0),
                                     Entity(6, 0, 0, 0), Entity(7, 0, 0, 0)},
                                    0);
    SceneEntity teleported = Entity(3, 40, 0, 0);
    teleported.state.event = 6; // the player teleport
    SceneEntity far = Entity(4, 600, 0, 0);
    SceneEntity remodelled = Entity(5, 40, 0, 0);
    remodelled.state.modelindex = 4;
    SceneEntity beam = Entity(6, 40, 0, 0);
    beam.state.renderfx = 128;
    SceneEntity walker = Entity(7, 500, 0, 0);
    // The camera jumps further than a frame's move.
    const PreviewScene to = Scene({teleported, far, remodelled, beam, walker}, 300);
    const PreviewScene between = LerpScene(from, to, 0.5f);
    EXPECT_EQ(Find(between, 3)->record.origin[0], 40.0f);
    EXPECT_EQ(Find(between, 4)->record.origin[0], 600.0f);
    EXPECT_EQ(Find(between, 5)->record.origin[0], 40.0f);
    EXPECT_EQ(Find(between, 6)->record.origin[0], 40.0f);
    // 500 units in a frame is still a move.
    EXPECT_EQ(Find(between, 7)->record.origin[0], 250.0f);
    EXPECT_EQ(between.player.vieworg[0], 300.0f);
    // Within 256 units the camera moves.
    EXPECT_EQ(LerpScene(from, Scene({}, 200), 0.5f).player.vieworg[0], 100.0f);
}

} // namespace
