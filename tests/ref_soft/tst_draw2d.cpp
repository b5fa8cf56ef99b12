// 2D drawing: the console font (loaded and built in), pictures, fills, and the frame size.
#include "scene_fixture.h"

namespace refsoft_test {
namespace {

// Renders one frame of 2D calls only.
template <class Draw> void Draw2d(SoftRenderer& r, Draw draw) {
    r.library->BeginFrame(0);
    draw(r.re());
    r.library->EndFrame();
}

TEST(RefSoft2d, CharactersComeFromConcharsAndAreCutAtEveryEdge) {
    SoftRenderer r(SceneFiles({}, true));
    ASSERT_TRUE(r.Init());
    r.NormalLight();
    Draw2d(r, [](const refexport_t& re) {
        re.DrawChar(8, 8, 'A');
        re.DrawChar(24, 8, 'B'); // transparent cell
        re.DrawChar(-4, -4, 'A');
        re.DrawChar(316, 236, 'A');
        re.DrawChar(-100, 50, 'A');
        re.DrawChar(1 << 30, -(1 << 30), 'A');
    });
    const TestPlatform& p = r.platform;
    ASSERT_EQ(p.width, 320);
    const Rgb glyph = PaletteColour(kGlyphIndex);
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            ASSERT_TRUE(PixelIs(p.At(x, y), glyph)) << x << "," << y;
    EXPECT_FALSE(PixelIs(p.At(7, 8), glyph));
    EXPECT_FALSE(PixelIs(p.At(16, 15), glyph));
    EXPECT_FALSE(PixelIs(p.At(28, 12), glyph));
    // Cut glyphs at the corners: the visible quarter is drawn.
    EXPECT_TRUE(PixelIs(p.At(0, 0), glyph));
    EXPECT_TRUE(PixelIs(p.At(3, 3), glyph));
    EXPECT_FALSE(PixelIs(p.At(4, 4), glyph));
    EXPECT_TRUE(PixelIs(p.At(319, 239), glyph));
    EXPECT_TRUE(PixelIs(p.At(316, 236), glyph));
    EXPECT_FALSE(PixelIs(p.At(315, 236), glyph));
}

TEST(RefSoft2d, BuiltInFontStandsInWithoutConchars) {
    SoftRenderer r(SceneFiles());
    ASSERT_TRUE(r.Init());
    r.NormalLight();
    Draw2d(r, [](const refexport_t& re) {
        re.DrawChar(0, 0, 'I');
        re.DrawChar(8, 0, ' ');
        re.DrawChar(16, 0, 'i' | 0x80); // highlighted half, lower case as upper
        re.DrawChar(312, 232, 'I');
    });
    const TestPlatform& p = r.platform;
    // 'I': a bar across the top (line 1), a stem in the middle columns.
    auto lit = [&](int x, int y) { return p.At(x, y) != 0xff000000u; };
    EXPECT_TRUE(lit(1, 1));
    EXPECT_TRUE(lit(6, 1));
    EXPECT_TRUE(lit(3, 4));
    EXPECT_FALSE(lit(1, 4));
    EXPECT_FALSE(lit(0, 0));
    int spaceLit = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            spaceLit += lit(x, y) ? 1 : 0;
    EXPECT_EQ(spaceLit, 0);
    EXPECT_TRUE(lit(19, 4));
    EXPECT_NE(p.At(19, 4), p.At(3, 4)); // another colour for the highlighted half
    EXPECT_TRUE(lit(313, 233));
}

TEST(RefSoft2d, PicturesAndFills) {
    SoftRenderer r(SceneFiles());
    ASSERT_TRUE(r.Init());
    r.NormalLight();
    int w = 0, h = 0;
    r.re().DrawGetPicSize(&w, &h, "colormap");
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    r.re().DrawGetPicSize(&w, &h, "nosuchpic");
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
    EXPECT_NE(r.re().RegisterPic("/env/testskyup.pcx"), nullptr);
    EXPECT_EQ(r.re().RegisterPic("nosuchpic"), nullptr);
    Draw2d(r, [](const refexport_t& re) {
        re.DrawFill(0, 0, 320, 240, kWallIndex[2]);
        re.DrawPic(10, 10, "/env/testskyup.pcx");
        re.DrawStretchPic(100, 100, 40, 20, "/env/testskydn.pcx");
        re.DrawStretchPic(-50, -50, 100000, 3, "/env/testskydn.pcx");
        re.DrawPic(0, 0, "nosuchpic");
        re.DrawFill(300, 200, 1 << 30, 1 << 30, kWallIndex[0]);
    });
    const TestPlatform& p = r.platform;
    EXPECT_TRUE(PixelIs(p.At(50, 50), PaletteColour(kWallIndex[2])));
    EXPECT_TRUE(PixelIs(p.At(10, 10), PaletteColour(kSkyIndex[4])));
    EXPECT_TRUE(PixelIs(p.At(17, 17), PaletteColour(kSkyIndex[4])));
    EXPECT_TRUE(PixelIs(p.At(18, 18), PaletteColour(kWallIndex[2])));
    EXPECT_TRUE(PixelIs(p.At(139, 119), PaletteColour(kSkyIndex[5])));
    EXPECT_TRUE(PixelIs(p.At(140, 120), PaletteColour(kWallIndex[2])));
    EXPECT_TRUE(PixelIs(p.At(319, 239), PaletteColour(kWallIndex[0])));
    EXPECT_TRUE(PixelIs(p.At(299, 199), PaletteColour(kWallIndex[2])));
}

TEST(RefSoft2d, FrameSizeComesFromTheWindowElseTheFrameDescription) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    // Opened at the host's video size.
    EXPECT_EQ(scene.r.platform.openWidth, 320);
    EXPECT_EQ(scene.r.platform.openHeight, 240);
    scene.r.fd().width = 200;
    scene.r.fd().height = 100;
    scene.r.Frame();
    EXPECT_EQ(scene.r.platform.width, 200);
    EXPECT_EQ(scene.r.platform.height, 100);
    scene.r.platform.windowWidth = 400;
    scene.r.platform.windowHeight = 300;
    scene.r.fd().width = 400;
    scene.r.fd().height = 300;
    scene.r.Frame();
    EXPECT_EQ(scene.r.platform.width, 400);
    EXPECT_EQ(scene.r.platform.height, 300);
    EXPECT_TRUE(PixelIs(scene.r.platform.At(200, 150), PaletteColour(kWallIndex[0])));
    // A view hanging over the window's edge is cut, not squeezed: its centre stays put.
    scene.r.fd().x = 200;
    scene.r.fd().y = 150;
    scene.r.FaceFrame();
    EXPECT_EQ(scene.r.platform.At(399, 299), 1u);
    EXPECT_EQ(scene.r.platform.At(100, 100), 0u);
}

} // namespace
} // namespace refsoft_test
