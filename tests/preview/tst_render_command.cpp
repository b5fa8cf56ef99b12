// tresk-cli render on a generated demo with the test renderer: one picture per block.
#include "preview_fixture.h"
#include "render_command.h"

#include "fx/game_demo_builder.h"
#include "preview/video_writer.h"

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace pvtest {
namespace {

TEST(RenderCommand, TwentyBlocksGiveTwentyDifferentPictures) {
    orrery_test::TempDir dir;
    fx::GameDemoOptions o;
    o.frames = 40;
    o.seed = 3;
    fx::GameDemoBuilder builder(o);
    builder.WriteFile(dir.Path() / "in.dm2");
    orrery_test::WritePak(dir.Path() / "pak0.pak", {{"maps/sample1.bsp", "IBSP"}});
    const std::string out = dir.File("shots");
    const uint32_t first = static_cast<uint32_t>(builder.report().signonBlocks) + 3;
    const std::string blocks = std::to_string(first) + "-" + std::to_string(first + 19);

    ASSERT_EQ(RunRender({dir.File("in.dm2"), out, "--blocks", blocks, "--size", "96x72", "--pak",
                         dir.File("pak0.pak"), "--renderer", SCENE_REF_PATH}),
              0);
    std::set<std::vector<uint32_t>> pictures;
    for (uint32_t n = first; n < first + 20; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%04u.png", n);
        const QImage picture(QString::fromStdString(out + "/" + name));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.size(), QSize(96, 72));
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        const auto* bits = reinterpret_cast<const uint32_t*>(rgb.constBits());
        pictures.insert(std::vector<uint32_t>(bits, bits + 96 * 72));
    }
    EXPECT_EQ(pictures.size(), 20u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out),
                            std::filesystem::directory_iterator{}),
              20);
    // The renderer is unloaded again with the preview.
    EXPECT_FALSE(CTreskPrevWnd::AnyBound());
}

TEST(RenderCommand, WithoutFfmpegVideosAreRefusedAndPicturesStillWritten) {
    orrery_test::TempDir dir;
    fx::GameDemoOptions o;
    o.frames = 20;
    fx::GameDemoBuilder builder(o);
    builder.WriteFile(dir.Path() / "in.dm2");
    orrery_test::WritePak(dir.Path() / "pak0.pak", {{"maps/sample1.bsp", "IBSP"}});
    const uint32_t first = static_cast<uint32_t>(builder.report().signonBlocks) + 2;
    const std::string blocks = std::to_string(first) + "-" + std::to_string(first + 2);
    const std::vector<std::string> common = {"--blocks",   blocks,        "--size",
                                             "96x72",      "--pak",       dir.File("pak0.pak"),
                                             "--renderer", SCENE_REF_PATH};
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), common.begin(), common.end());
        return RunRender(args);
    };

    EXPECT_EQ(run({dir.File("in.dm2"), dir.File("film.mp4"), "--ffmpeg", "/nonexistent/ffmpeg"}),
              1);
    setenv(kFfmpegVariable, "/nonexistent/ffmpeg", 1);
    EXPECT_EQ(run({dir.File("in.dm2"), dir.File("film.mp4")}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("film.mp4")));

    // Pictures need no ffmpeg; above 10 a second each block has its pictures on the way.
    EXPECT_EQ(run({dir.File("in.dm2"), dir.File("shots"), "--fps", "20"}), 0);
    unsetenv(kFfmpegVariable);
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.File("shots"))) {
        names.insert(e.path().filename().string());
    }
    std::set<std::string> expected;
    for (uint32_t n = first; n <= first + 2; ++n) {
        for (int j = 0; j < 2; ++j) {
            char name[32];
            std::snprintf(name, sizeof name, "%04u-%d.png", n, j);
            expected.insert(name);
        }
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(run({dir.File("in.dm2"), dir.File("x.mp4"), "--fps", "25"}), 2);
}

TEST(RenderCommand, RefusesWhatItCannotDraw) {
    orrery_test::TempDir dir;
    fx::GameDemoBuilder builder(fx::GameDemoOptions{});
    builder.WriteFile(dir.Path() / "in.dm2");
    // No pak with the map; no renderer; bad sizes and ranges.
    EXPECT_EQ(RunRender({dir.File("in.dm2"), dir.File("o"), "--blocks", "10-12", "--renderer",
                         SCENE_REF_PATH}),
              1);
    orrery_test::WritePak(dir.Path() / "pak0.pak", {{"maps/sample1.bsp", "IBSP"}});
    EXPECT_EQ(RunRender({dir.File("in.dm2"), dir.File("o"), "--blocks", "10-12", "--pak",
                         dir.File("pak0.pak"), "--renderer", dir.File("none.so")}),
              1);
    EXPECT_EQ(RunRender({dir.File("in.dm2"), dir.File("o"), "--blocks", "10-12", "--size", "5x5"}),
              2);
    EXPECT_EQ(RunRender({dir.File("in.dm2"), dir.File("o"), "--blocks", "10-99999", "--pak",
                         dir.File("pak0.pak"), "--renderer", SCENE_REF_PATH}),
              1);
    EXPECT_EQ(RunRender({dir.File("in.dm2"), "--blocks", "1-2"}), 2);
}

} // namespace
} // namespace pvtest
