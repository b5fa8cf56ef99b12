// The camera and film effects, judged on what the saved demo shows the game frame by frame:
// Track Entity, Re-Camera, Smooth Camera, Zoom, FrameRate, Palette Shift and Entity Effects.
#include "shown_frames.h"
#include "view_fixture.h"

#include "demo/byte_sink.h"
#include "demo/frame_timeline.h"
#include "editor/camera.h"
#include "editor/command_ids.h"
#include "editor/film_effects.h"
#include "editor/film_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

using namespace edtest;

namespace {

using Shown = ShownFrame;

class FilmTest : public ViewTest {
  protected:
    void SetUp() override { Open(PlayDemo(60, 6)); }
    std::map<int, Shown> SavedFrames() { return ShownFramesOf(Saved()); }
    // The command is undone to the bytes from before it.
    void ExpectUndone(const Bytes& before) {
        view->OnCommand(ID_EDIT_UNDO);
        EXPECT_TRUE(Saved() == before);
    }
};

TEST(FilmMath, AnglesAimAndRamps) {
    double pitch = 0;
    double yaw = 33;
    const double eye[3] = {0, 0, 0};
    const double ahead[3] = {100, 0, 100};
    ASSERT_TRUE(AimAt(eye, ahead, pitch, yaw));
    EXPECT_NEAR(pitch, -45.0, 1e-9);
    EXPECT_NEAR(yaw, 0.0, 1e-9);
    const double above[3] = {0, 0, 50};
    yaw = 33;
    ASSERT_TRUE(AimAt(eye, above, pitch, yaw));
    EXPECT_EQ(pitch, -90.0);
    EXPECT_EQ(yaw, 33.0); // straight up keeps the heading
    EXPECT_FALSE(AimAt(eye, eye, pitch, yaw));
    EXPECT_EQ(AngleToShort(-45.0), -8192);
    EXPECT_EQ(AngleToShort(400.0), AngleToShort(40.0));
    EXPECT_EQ(AngleToShort(-1e12), AngleToShort(std::fmod(-1e12, 360.0)));
    EXPECT_NEAR(ShortToAngle(AngleToShort(90.0)), 90.0, 0.01);
    EXPECT_EQ(Ramp(90, 0, 1000, 1000), 0.0); // the end is reached exactly
    EXPECT_EQ(Ramp(5, 9, 0, 0), 5.0);
    EXPECT_EQ(ShortestTurn(170, -170), 20.0);
    EXPECT_EQ(ShortestTurn(-170, 170), -20.0);
    EXPECT_EQ(TimescaleCommand(SpeedTimescale(100)), "timescale 6.000000\n");
    EXPECT_EQ(TimescaleCommand(SpeedTimescale(-100)), "timescale 0.100000\n");
    EXPECT_EQ(ZoomFov(-50), 45.0);
    EXPECT_EQ(ZoomFov(-100), 1.0); // 0 would stop the game
    EXPECT_EQ(ZoomFov(100), 170.0);
    EXPECT_EQ(ZoomFov(0), 90.0);
    EXPECT_EQ(SwatchColor({255, 128, 0, 255}), (std::array<uint8_t, 3>{255, 128, 0}));
    EXPECT_EQ(SwatchColor({255, 255, 255, 0}), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST_F(FilmTest, TrackAimsEveryFrameThatHoldsTheEntityIncludingUnsentOnes) {
    const Bytes before = Saved();
    Select(7, 13);
    // Entity 3 stands straight above the player in frames 8 to 11 and is sent only in 8.
    EXPECT_EQ(TrackEntity(*view, 3), 4u);
    std::map<int, Shown> frames = SavedFrames();
    for (int n : {8, 9, 10, 11}) {
        EXPECT_EQ(frames[n].player.viewangles[0], AngleToShort(-90.0)) << n;
    }
    for (int n : {6, 7, 12, 13}) {
        EXPECT_EQ(frames[n].player.viewangles[0], 0) << n; // not there, or not visited
    }
    ExpectUndone(before);

    // Entity 2 stands along y: a quarter turn; frames without it keep their view.
    Select(20, 30);
    EXPECT_GT(TrackEntity(*view, 2), 0u);
    frames = SavedFrames();
    for (int n = 20; n < 30; ++n) {
        EXPECT_EQ(frames[n].player.viewangles[1], n % 3 != 0 ? AngleToShort(90.0) : 0) << n;
    }
    EXPECT_EQ(ui.statuses.back(), "Track entity 2 over 7 frames");
}

TEST_F(FilmTest, ReCameraStandsAtTheEntityAndStaysWhereItWasLastSeen) {
    const Bytes before = Saved();
    Select(8, 14);
    EXPECT_EQ(ReCamera(*view, 3, true), 6u); // 8-11 at the entity, 12 and 13 stay
    std::map<int, Shown> frames = SavedFrames();
    for (int n : {8, 9, 10, 11, 12, 13}) {
        EXPECT_EQ(frames[n].player.origin[2], 16) << n;
    }
    EXPECT_EQ(frames[7].player.origin[2], 0);
    EXPECT_EQ(frames[14].player.origin[2], 0); // the last selected block is not visited
    ExpectUndone(before);
}

TEST_F(FilmTest, SmoothTurnsTheShorterWayAndReachesTheLastFramesView) {
    Select(10, 14);
    view->RefreshView();
    auto setYaw = [&](uint32_t block, double yaw) {
        DemoBlock* b = doc->BlockAt(block);
        auto* p = MessageCast<PlayerInfoMessage>(FirstCompleteFrame(*b)->next);
        p->state.viewangles[1] = AngleToShort(yaw);
    };
    setYaw(10, 170);
    setYaw(14, -170);
    EXPECT_EQ(SmoothCamera(*view), 5u);
    std::map<int, Shown> frames = SavedFrames();
    for (int i = 0; i <= 4; ++i) {
        const double want = 170 + 5.0 * i;
        EXPECT_NEAR(ShortToAngle(AngleToShort(want)),
                    ShortToAngle(frames[10 + i].player.viewangles[1]), 360.0 / 65536)
            << i;
    }
    EXPECT_EQ(frames[14].player.viewangles[1], AngleToShort(-170));
}

TEST_F(FilmTest, ZoomAndPaletteRampsReachTheirEndsInTheLastFrame) {
    Select(10, 12);
    EXPECT_EQ(ZoomEffect(*view, {-50, 50}), 3u);
    std::map<int, Shown> frames = SavedFrames();
    EXPECT_EQ(frames[10].player.fov, 45);
    EXPECT_EQ(frames[11].player.fov, 85);
    EXPECT_EQ(frames[12].player.fov, 125);
    Select(20, 20);
    ZoomEffect(*view, {-100, 100}); // one block: the initial field of view, never 0
    EXPECT_EQ(SavedFrames()[20].player.fov, 1);

    Select(6, 56);
    PaletteShiftDlgData shift;
    shift.initial = PalettePreset(0); // black
    shift.final = PalettePreset(1);   // clear
    EXPECT_EQ(PaletteShiftEffect(*view, shift), 51u);
    frames = SavedFrames();
    // The wire carries blend bytes: the ramp as the game reads it, to the end exactly.
    EXPECT_EQ(frames[6].player.blend[3], 255.0f);
    EXPECT_NEAR(frames[31].player.blend[3], 127.5f, 1.0f);
    EXPECT_EQ(frames[56].player.blend[3], 0.0f);
}

TEST_F(FilmTest, FrameRateSetsTheSpeedAfterTheFirstBlockAndNormalAfterTheLast) {
    Select(10, 20);
    ASSERT_TRUE(FrameRateEffect(*view, {100}));
    std::map<int, Shown> frames = SavedFrames();
    // Messages after a block's frame belong to the next frame.
    auto commandsNear = [&](int n) {
        std::vector<std::string> all = frames[n].commands;
        all.insert(all.end(), frames[n + 1].commands.begin(), frames[n + 1].commands.end());
        return all;
    };
    EXPECT_EQ(commandsNear(10), std::vector<std::string>{"timescale 6.000000\n"});
    EXPECT_EQ(commandsNear(20), std::vector<std::string>{"timescale 1.000000\n"});
    Select(3, 8);
    ui.Clear();
    EXPECT_FALSE(FrameRateEffect(*view, {50}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("block 6"), std::string::npos);
}

TEST_F(FilmTest, EntityEffectsLastExactlyOverTheSelectionSentOrNot) {
    const Bytes before = Saved();
    EntityEffectsDlgData fx;
    fx.entity = 3;
    fx.changeModel = true;
    fx.model = 5;
    fx.effects[5] = TriState::kSet; // transparency
    // Entity 3 is there in frames 16 to 19, sent only in 16; the edit starts in unsent 17.
    Select(17, 19);
    EXPECT_EQ(EntityEffect(*view, fx), 2u);
    std::map<int, Shown> frames = SavedFrames();
    EXPECT_EQ(EntityIn(frames[16], 3)->renderfx, 0u);
    for (int n : {17, 18}) {
        EXPECT_EQ(EntityIn(frames[n], 3)->renderfx, 0x20u) << n;
        EXPECT_EQ(EntityIn(frames[n], 3)->modelindex, 5) << n;
    }
    EXPECT_EQ(EntityIn(frames[19], 3)->renderfx, 0u);
    EXPECT_EQ(EntityIn(frames[19], 3)->modelindex, 3);
    ExpectUndone(before);

    // A beam takes its colour in its skin when the bit is set, and keeps it when set already.
    EntityEffectsDlgData beam;
    beam.entity = 1;
    beam.laserColor = 0xf2f2f0f0;
    beam.effects[7] = TriState::kSet;
    Select(30, 34);
    EntityEffect(*view, beam);
    beam.laserColor = 7;
    Select(31, 32);
    EntityEffect(*view, beam);
    frames = SavedFrames();
    for (int n : {30, 31, 32, 33}) {
        EXPECT_EQ(EntityIn(frames[n], 1)->renderfx & kRenderFxBeam, kRenderFxBeam) << n;
        EXPECT_EQ(EntityIn(frames[n], 1)->skinnum, 0xf2f2f0f0u) << n;
    }
    EXPECT_EQ(EntityIn(frames[34], 1)->renderfx, 0u);
}

TEST_F(FilmTest, MenuCommandsAskForTheirSettingsAndCancelChangesNothing) {
    const Bytes before = Saved();
    Select(10, 12);
    ui.fovAnswers.emplace_back(std::nullopt);
    ui.fixCameraAnswers.emplace_back(std::nullopt);
    ui.entityEffectsAnswers.emplace_back(std::nullopt);
    view->OnCommand(ID_FX_ZOOM);
    view->OnCommand(ID_SEL_TRACK_ENTITY);
    view->OnCommand(ID_FX_ENTITY_EFFECTS);
    EXPECT_TRUE(Saved() == before);
    EXPECT_EQ(doc->history.Count(), 0u);

    ui.fixCameraAnswers.emplace_back(FixCameraDlgData{2000});
    view->OnCommand(ID_SEL_TRACK_ENTITY);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Please enter an entity number between 1 and 1023.");

    ui.fovAnswers.emplace_back(FovDlgData{-50, 50});
    view->OnCommand(ID_FX_ZOOM);
    EXPECT_EQ(doc->history.UndoLabel(), "Zoom over 3 frames");
    EXPECT_EQ(SavedFrames()[11].player.fov, 85);
}

} // namespace
