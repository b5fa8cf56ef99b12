// The map's faces: textures through the palette, light maps and styles, the sky, translucent
// faces, missing textures, inline models moved by their entity, and the camera.
#include "scene_fixture.h"

#include "formats/bsp.h"

namespace refsoft_test {
namespace {

TEST(RefSoftWorld, EachWallShowsItsTextureAtItsLight) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    ASSERT_NE(scene.world, nullptr);
    // Light 128 at normal brightness leaves the texture as it is.
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[0])));
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    scene.Look(0, 180);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[1])));
    scene.Look(0, 90); // yaw 90 looks along +y
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[2])));
    scene.Look(-90, 0); // negative pitch looks up
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[4])));
    EXPECT_EQ(scene.FaceAt(160, 120), 5u);
    scene.Look(90, 0);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[5])));
    // Stepped back 100 units, the edges of the view lie on the side walls.
    scene.Look(0, 0);
    scene.r.fd().vieworg[0] = -100;
    EXPECT_EQ(scene.FaceAt(1, 120), 3u);   // left: +y wall
    EXPECT_EQ(scene.FaceAt(318, 120), 4u); // right: -y wall
    EXPECT_EQ(scene.FaceAt(160, 1), 5u);   // top: ceiling
}

TEST(RefSoftWorld, LightMapSamplesAndStylesScaleTheTexture) {
    RoomOptions options;
    options.frontLight = 64;
    options.frontStyle = 5;
    RoomScene scene(options);
    ASSERT_TRUE(scene.ok);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), {100, 20, 20}));
    // Style 5 twice as bright, then off; the other walls keep style 0.
    scene.r.library->m_lightstyles[5].white = 6;
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), {200, 40, 40}));
    scene.r.library->m_lightstyles[5].white = 0;
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), {0, 0, 0}));
    scene.Look(0, 180);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[1])));
}

TEST(RefSoftWorld, SkyFacesShowTheSkyBoxSideAlongTheView) {
    RoomOptions options;
    options.skyCeiling = true;
    options.frontFlags = formats::SURF_SKY;
    RoomScene scene(options);
    ASSERT_TRUE(scene.ok);
    scene.Look(-90, 0);
    // No sky set: a flat colour; the sky face still names itself.
    const std::uint32_t flat = scene.Pixel(160, 120);
    EXPECT_FALSE(PixelIs(flat, PaletteColour(kWallIndex[4]), 10));
    EXPECT_EQ(scene.FaceAt(160, 120), 5u);
    float axis[3] = {0, 0, 1};
    scene.r.library->SetSky("testsky", 0, axis);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kSkyIndex[4]))); // up
    // Looking along +x through the sky wall: the box's rt side; a little up, still rt, and
    // steeply up through the ceiling, the up side again.
    scene.Look(0, 0);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kSkyIndex[0])));
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    scene.Look(-60, 0);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kSkyIndex[4])));
    // The -x wall is no sky face.
    scene.Look(0, 180);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[1])));
    // A sky name without images falls back to the flat colour.
    scene.r.library->SetSky("nosuchsky", 0, axis);
    scene.Look(-90, 0);
    EXPECT_EQ(scene.Pixel(160, 120), flat);
}

TEST(RefSoftWorld, MissingTextureDrawsAChecker) {
    RoomOptions options;
    options.missingFront = true;
    RoomScene scene(options);
    ASSERT_TRUE(scene.ok);
    scene.Pixel(0, 0);
    int magenta = 0, black = 0;
    for (int y = 100; y < 140; ++y) {
        for (int x = 140; x < 180; ++x) {
            const std::uint32_t p = scene.r.platform.At(x, y);
            magenta += PixelIs(p, {255, 0, 255}) ? 1 : 0;
            black += PixelIs(p, {0, 0, 0}) ? 1 : 0;
        }
    }
    EXPECT_GT(magenta, 300);
    EXPECT_GT(black, 300);
    EXPECT_EQ(magenta + black, 1600);
}

TEST(RefSoftWorld, TranslucentFacesAreDrawnOverWhatIsBehindThem) {
    RoomOptions options;
    options.frontFlags = formats::SURF_TRANS33;
    RoomScene scene(options);
    ASSERT_TRUE(scene.ok);
    // Behind the +x wall: a full-bright cube, listed after the world so only the order of
    // the passes puts it under the wall.
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    ASSERT_NE(cube, nullptr);
    entity_t ent{};
    ent.model = cube;
    ent.origin[0] = 150;
    ent.flags = 8; // RF_FULLBRIGHT
    scene.SetEntities(&ent, 1);
    const std::uint32_t p = scene.Pixel(160, 120);
    // A third of the wall (200, 40, 40) over the cube (240, 240, 240).
    EXPECT_TRUE(PixelIs(p, {226, 174, 174}, 4));
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
}

TEST(RefSoftWorld, InlineModelsAreDrawnWhereTheirEntityPlacesThem) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    EXPECT_EQ(scene.r.library->RegisterModel("*0"), nullptr);
    EXPECT_EQ(scene.r.library->RegisterModel("*2"), nullptr);
    EXPECT_EQ(scene.r.library->RegisterModel("*x"), nullptr);
    EXPECT_EQ(scene.r.library->RegisterModel("*"), nullptr);
    model_s* sub = scene.r.library->RegisterModel("*1");
    ASSERT_NE(sub, nullptr);
    // Not part of the world by itself.
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    entity_t ent{};
    ent.model = sub;
    scene.SetEntities(&ent, 1);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kInlineIndex)));
    EXPECT_EQ(scene.FaceAt(160, 120), static_cast<std::uint32_t>(kInlineFace + 1));
    // Moved 40 units to the left (+y): it covers x = 160 - 160 * 40 / 100 = 96 and leaves
    // the centre.
    ent.origin[1] = 40;
    EXPECT_EQ(scene.FaceAt(96, 120), static_cast<std::uint32_t>(kInlineFace + 1));
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    // Turned half round about the origin: it faces away and lies behind the eye.
    ent.origin[1] = 0;
    ent.angles[1] = 180;
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    scene.Look(0, 180);
    EXPECT_EQ(scene.FaceAt(160, 120), static_cast<std::uint32_t>(kInlineFace + 1));
}

TEST(RefSoftWorld, VerticalFieldOfViewFollowsTheHorizontalOneAndTheAspect) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    scene.r.FaceFrame();
    const std::vector<std::uint32_t> reference = scene.r.platform.pixels;
    scene.r.fd().fov_y = 10; // ignored
    scene.r.FaceFrame();
    EXPECT_EQ(scene.r.platform.pixels, reference);
    // 90 degrees across at 320 x 240 is 73.7 degrees high: the ceiling's edge on the +x wall
    // (45 degrees up) lies above the view, so the top row's centre is still the wall...
    EXPECT_EQ(scene.FaceAt(160, 1), 1u);
    // ... and a wide view shows the ceiling at the top centre.
    scene.r.fd().fov_x = 150;
    EXPECT_EQ(scene.FaceAt(160, 1), 5u);
    // Out-of-range fields of view are clamped, not refused.
    for (float fov : {0.0f, -20.0f, 180.0f, 1000.0f}) {
        scene.r.fd().fov_x = fov;
        scene.r.FaceFrame();
        EXPECT_EQ(scene.r.platform.At(160, 120), 1u) << fov;
    }
}

TEST(RefSoftWorld, BlendTintsTheWholeView) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    scene.r.fd().blend[0] = 0;
    scene.r.fd().blend[1] = 0;
    scene.r.fd().blend[2] = 1;
    scene.r.fd().blend[3] = 0.5f;
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), {100, 20, 147}));
    EXPECT_EQ(scene.r.platform.At(0, 0), scene.r.platform.At(160, 120));
    scene.r.fd().blend[3] = 7; // clamped to full
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), {0, 0, 255}));
}

TEST(RefSoftWorld, GammaBrightensWithoutWashingOut) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    scene.r.host.CVar_Set("vid_gamma", "0.5");
    const std::uint32_t bright = scene.Pixel(160, 120);
    EXPECT_GT(Red(bright), 215);
    EXPECT_LT(Red(bright), 235);
    EXPECT_GT(Green(bright), 90);
    EXPECT_LT(Green(bright), 110);
    // Lower values are held at the same limit.
    scene.r.host.CVar_Set("vid_gamma", "0.01");
    EXPECT_EQ(scene.Pixel(160, 120), bright);
    scene.r.host.CVar_Set("vid_gamma", "1");
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[0])));
}

} // namespace
} // namespace refsoft_test
