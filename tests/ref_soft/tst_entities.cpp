// Models, beams and entity effects.
#include "scene_fixture.h"

namespace refsoft_test {
namespace {

constexpr int kMinLight = 1, kFullBright = 8, kDepthHack = 16, kTranslucent = 32, kBeam = 128,
              kShellRed = 1024;

entity_t CubeAt(model_s* cube, float x, float y, float z) {
    entity_t ent{};
    ent.model = cube;
    ent.origin[0] = x;
    ent.origin[1] = y;
    ent.origin[2] = z;
    ent.flags = kFullBright;
    return ent;
}

TEST(RefSoftEntities, ModelIsDrawnAtItsPlaceWithItsSkin) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(scene.r.library->RegisterModel("models/cube/tris.md2"), cube);
    entity_t ent = CubeAt(cube, 64, 0, 0);
    scene.SetEntities(&ent, 1);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kModelIndex)));
    EXPECT_EQ(scene.FaceAt(160, 120), 0xffffffffu);
    // 16 units across at 64 away: 40 pixels; 30 pixels off the centre is the wall again.
    EXPECT_EQ(scene.FaceAt(190, 120), 1u);
    EXPECT_EQ(scene.FaceAt(175, 120), 0xffffffffu);
    // Moved to the right (-y): the centre is the wall, the model at 160 + 160 * 32 / 64.
    ent.origin[1] = -32;
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    EXPECT_EQ(scene.FaceAt(240, 120), 0xffffffffu);
    // The entity's own skin wins over the model's.
    ent.origin[1] = 0;
    ent.skin = scene.r.library->RegisterSkin("env/testskyrt.pcx");
    ASSERT_NE(ent.skin, nullptr);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kSkyIndex[0])));
    // An out-of-range frame or skin number draws frame 0 and the first skin.
    ent.skin = nullptr;
    ent.frame = 999;
    ent.oldframe = -5;
    ent.skinnum = 77;
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kModelIndex)));
}

TEST(RefSoftEntities, ModelShadingDependsOnTheSideFacingTheLight) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    entity_t ent = CubeAt(cube, 64, 0, 0);
    ent.flags = 0;
    scene.SetEntities(&ent, 1);
    const std::uint32_t side = scene.Pixel(160, 120);
    scene.Look(90, 0); // from above: the lit top
    ent.origin[2] = -64;
    ent.origin[0] = 0;
    const std::uint32_t top = scene.Pixel(160, 120);
    EXPECT_GT(Red(top), Red(side));
    EXPECT_LT(Red(side), 240);
    EXPECT_GT(Red(side), 60);
}

// The cube's lit side seen from the room's centre, in a room whose walls' light maps hold
// `light`.
std::uint32_t CubeInRoomLitBy(std::uint8_t light, int flags) {
    RoomOptions options;
    options.light = light;
    options.frontLight = light;
    RoomScene scene(options);
    EXPECT_TRUE(scene.ok);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    entity_t ent = CubeAt(cube, 64, 0, 0);
    ent.flags = flags;
    scene.SetEntities(&ent, 1);
    return scene.Pixel(160, 120);
}

TEST(RefSoftEntities, ModelsTakeTheLightOfTheFloorUnderThemAndMinlightKeepsThemSeen) {
    const std::uint32_t normal = CubeInRoomLitBy(128, 0);
    EXPECT_GT(Red(CubeInRoomLitBy(255, 0)), Red(normal) + 60);
    EXPECT_LT(Red(CubeInRoomLitBy(64, 0)), Red(normal) * 6 / 10);
    EXPECT_TRUE(PixelIs(CubeInRoomLitBy(0, 0), {0, 0, 0}));
    // At least a tenth of the normal light; no change where there is more.
    const std::uint32_t least = CubeInRoomLitBy(0, kMinLight);
    EXPECT_NEAR(Red(least), Red(normal) / 10, 2);
    EXPECT_GT(Red(least), 5);
    EXPECT_EQ(CubeInRoomLitBy(128, kMinLight), normal);
    // Full bright takes no light from the map.
    EXPECT_TRUE(PixelIs(CubeInRoomLitBy(0, kFullBright), PaletteColour(kModelIndex)));

    // Without the map drawn, or outside it, the light is the normal one.
    RoomOptions dark;
    dark.light = 0;
    dark.frontLight = 0;
    RoomScene scene(dark);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    entity_t ent = CubeAt(cube, 64, 0, 0);
    ent.flags = 0;
    scene.SetEntities(&ent, 1);
    scene.r.fd().rdflags = 2; // RDF_NOWORLDMODEL
    EXPECT_EQ(scene.Pixel(160, 120), normal);
}

TEST(RefSoftEntities, TheViewWeaponsDepthRangeKeepsItInFrontOfANearWall) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    // Just behind the +x wall (x = 128): hidden, unless drawn with the depth range.
    entity_t ent = CubeAt(cube, kHalf + 12, 0, 0);
    scene.SetEntities(&ent, 1);
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    ent.flags |= kDepthHack;
    EXPECT_EQ(scene.FaceAt(160, 120), 0xffffffffu);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kModelIndex)));
    // Its size on screen is its true one: 16 units across at 132 away, 19 pixels.
    EXPECT_EQ(scene.FaceAt(168, 120), 0xffffffffu);
    EXPECT_EQ(scene.FaceAt(172, 120), 1u);
    // The range is a third of the depth: three times the wall's distance is behind it.
    ent.origin[0] = 3 * kHalf + 16;
    EXPECT_EQ(scene.FaceAt(160, 120), 1u);
    // A model nearer than a third of its distance still hides it, and its shell with it.
    ent.origin[0] = kHalf + 12;
    ent.flags = kFullBright | kDepthHack | kShellRed;
    EXPECT_GT(Red(scene.Pixel(160, 120)), 240);
    entity_t pair[2] = {ent, CubeAt(cube, 32, 0, 0)};
    scene.SetEntities(pair, 2);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kModelIndex)));
}

TEST(RefSoftEntities, ShellsAndTranslucencyMixWithWhatIsBehind) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    entity_t ent = CubeAt(cube, 64, 0, 0);
    ent.flags = kFullBright | kShellRed;
    scene.SetEntities(&ent, 1);
    const std::uint32_t shell = scene.Pixel(160, 120);
    EXPECT_GT(Red(shell), 240);
    EXPECT_LT(Green(shell), 200);
    EXPECT_NEAR(Green(shell), Blue(shell), 2);
    // Half translucent over the +x wall (200, 40, 40).
    ent.flags = kFullBright | kTranslucent;
    ent.alpha = 0.5f;
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), {220, 140, 140}));
    EXPECT_EQ(scene.FaceAt(160, 120), 0xffffffffu);
}

TEST(RefSoftEntities, BeamRunsFromOriginToOldOriginFrameUnitsWide) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    entity_t beam{};
    beam.flags = kBeam;
    beam.origin[0] = 64;
    beam.origin[1] = -40;
    beam.oldorigin[0] = 64;
    beam.oldorigin[1] = 40;
    beam.frame = 8;
    beam.skinnum = kBeamIndex;
    beam.alpha = 1;
    scene.SetEntities(&beam, 1);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kBeamIndex)));
    // 8 units across at 64 away: 20 pixels high.
    EXPECT_TRUE(PixelIs(scene.r.platform.At(160, 112), PaletteColour(kBeamIndex)));
    EXPECT_TRUE(PixelIs(scene.r.platform.At(160, 100), PaletteColour(kWallIndex[0])));
    // 40 units to either side at 64 away: 100 pixels; beyond that the wall.
    EXPECT_TRUE(PixelIs(scene.r.platform.At(250, 120), PaletteColour(kBeamIndex)));
    EXPECT_TRUE(PixelIs(scene.r.platform.At(270, 120), PaletteColour(kWallIndex[0])));
    // Without an alpha of its own the beam is translucent.
    beam.alpha = 0;
    const std::uint32_t faint = scene.Pixel(160, 120);
    EXPECT_FALSE(PixelIs(faint, PaletteColour(kBeamIndex), 20));
    EXPECT_FALSE(PixelIs(faint, PaletteColour(kWallIndex[0]), 20));
}

TEST(RefSoftEntities, BadEntitiesAreSkipped) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    model_s* cube = scene.r.library->RegisterModel("models/cube/tris.md2");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<entity_t> ents(6);
    ents[0] = CubeAt(cube, nan, 0, 0);
    ents[1] = CubeAt(cube, 64, inf, 0);
    ents[2] = CubeAt(cube, 1e30f, 0, 0);
    ents[3] = CubeAt(nullptr, 64, 0, 0);
    ents[4] = CubeAt(cube, 0, 0, 0); // around the eye
    ents[4].angles[0] = nan;
    ents[5].flags = kBeam;
    ents[5].frame = -100;
    ents[5].oldorigin[0] = nan;
    scene.SetEntities(ents.data(), static_cast<int>(ents.size()));
    scene.r.Frame();
    scene.r.fd().num_entities = -4;
    scene.r.Frame();
    scene.r.fd().entities = nullptr;
    scene.r.fd().num_entities = 10;
    scene.r.Frame();
    EXPECT_TRUE(PixelIs(scene.r.platform.At(160, 120), PaletteColour(kWallIndex[0])));
}

TEST(RefSoftEntities, MissingAndBrokenModelsAreNull) {
    Files files = SceneFiles();
    files["models/broken/tris.md2"] = {'I', 'D', 'P', '2', 8, 0, 0, 0, 1, 2, 3};
    std::vector<std::uint8_t> cut = CubeModel();
    cut.resize(cut.size() / 2);
    files["models/cut/tris.md2"] = cut;
    files["models/text/tris.md2"] = std::vector<std::uint8_t>(300, 'x');
    SoftRenderer r(files);
    ASSERT_TRUE(r.Init());
    r.library->BeginRegistration("room");
    EXPECT_EQ(r.library->RegisterModel("models/none/tris.md2"), nullptr);
    EXPECT_EQ(r.library->RegisterModel("models/broken/tris.md2"), nullptr);
    EXPECT_EQ(r.library->RegisterModel("models/cut/tris.md2"), nullptr);
    EXPECT_EQ(r.library->RegisterModel("models/text/tris.md2"), nullptr);
    EXPECT_EQ(r.library->RegisterModel("sprites/s_explod.sp2"), nullptr);
    EXPECT_EQ(r.library->RegisterModel(""), nullptr);
    EXPECT_EQ(r.library->RegisterSkin("players/none/skin.pcx"), nullptr);
    EXPECT_NE(r.library->RegisterModel("models/cube/tris.md2"), nullptr);
}

} // namespace
} // namespace refsoft_test
