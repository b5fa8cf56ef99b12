// Films of the sample demo drawn by the project's software renderer: to MP4 at the demo's rate
// and at 30 pictures a second, read back with ffprobe; the pictures between blocks; a
// cancelled film leaves nothing.
#include "preview_fixture.h"
#include "render_command.h"
#include "video_probe.h"

#include "demo/document_view.h"
#include "preview/film_render.h"
#include "preview/selection_film.h"
#include "preview/video_writer.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace pvtest {
namespace {

// Keeps every picture it is given.
class KeptPictures : public FilmSink {
  public:
    bool Write(const PreviewImage& picture, const FilmFrame& frame, std::string*) override {
        pictures.push_back(picture.pixels);
        frames.push_back(frame);
        return true;
    }
    bool Finish(std::string*) override {
        finished = true;
        return true;
    }
    std::vector<std::vector<uint32_t>> pictures;
    std::vector<FilmFrame> frames;
    bool finished = false;
};

// Render Selection to Video over the generated demo with the test renderer.
TEST_F(PreviewTest, SelectionFilmLeavesViewAndPreviewAsTheyWere) {
    OpenDemo(GeneratedDemo(30));
    const uint32_t first = view->CurrentBlockNumber() + 2;
    view->OnUpdate(nullptr, kHintSelectBlocks, {first, first + 5});
    ASSERT_EQ(view->CurrentBlockNumber(), first);
    ASSERT_EQ(view->SelectionCount(), 6u);
    options.width = 96;
    options.height = 72;
    const FilmRequest request = SelectionFilmRequest(*view, options, 30);
    EXPECT_EQ(request.first, first);
    EXPECT_EQ(request.last, first + 5);
    EXPECT_EQ(FilmPictureCount(request), 18u);

    std::string why;
    for (const bool open : {false, true}) {
        if (open) {
            ASSERT_TRUE(OpenPreview());
        }
        KeptPictures kept;
        ASSERT_EQ(FilmSelection(*view, *driver, request, kept, nullptr, &why), FilmResult::Written)
            << why;
        EXPECT_EQ(kept.pictures.size(), 18u);
        EXPECT_EQ(kept.frames.back().block, first + 5);
        EXPECT_EQ(kept.pictures.front().size(), 96u * 72u);
        EXPECT_EQ(driver->IsOpen(), open);
        EXPECT_EQ(view->CurrentBlockNumber(), first);
        EXPECT_EQ(view->SelectionCount(), 6u);
        if (open) {
            // The renderer's clock was the film's, the last of 18 pictures at 17/30 s; let go
            // after it, so the current block shown again moved it on by a tenth, as does each
            // frame since.
            EXPECT_NEAR(Window()->RefDef().time, 17.0f / 30.0f + 0.1f, 1e-5);
            Window()->UpdateFrame();
            EXPECT_NEAR(Window()->RefDef().time, 17.0f / 30.0f + 0.2f, 1e-5);
        }
    }
    driver->Close();
    // A preview that cannot open films nothing, and the person was told why.
    OpenDemo(GeneratedDemo(10), false);
    KeptPictures none;
    EXPECT_EQ(FilmSelection(*view, *driver, SelectionFilmRequest(*view, options, 10), none, nullptr,
                            &why),
              FilmResult::Failed);
    EXPECT_TRUE(none.pictures.empty());
    EXPECT_FALSE(ui.messages.empty());
}

#if defined(REF_SOFT_PATH) && defined(SAMPLE_DEMO_PATH) && defined(SAMPLE_PAK_PATH)

bool SampleBuilt() {
    return std::filesystem::exists(SAMPLE_DEMO_PATH) && std::filesystem::exists(SAMPLE_PAK_PATH);
}

bool VideoToolsInstalled() {
    return !FindFfmpeg().empty() && !FfprobeProgram().empty();
}

class SampleFilmTest : public PreviewTest {
  protected:
    void SetUp() override {
        PreviewTest::SetUp();
        if (!OpenSample()) {
            GTEST_SKIP() << "the sample demo and its game data are not built";
        }
        request.first = view->CurrentBlockNumber() + 5;
        request.last = request.first + 9;
        request.width = 160;
        request.height = 120;
    }
    FilmRequest request;
};

TEST(SampleFilm, ThirtyBlocksToMp4AtTenAndThirtyPicturesASecond) {
    if (!SampleBuilt() || !VideoToolsInstalled()) {
        GTEST_SKIP() << "needs the sample demo, ffmpeg and ffprobe";
    }
    orrery_test::TempDir dir;
    auto doc = edtest::LoadFile(ReadAll(SAMPLE_DEMO_PATH));
    doc->DecodeAll();
    const uint32_t first = doc->FindFirstPlayBlock() + 5;
    const std::string blocks = std::to_string(first) + "-" + std::to_string(first + 29);
    const std::string clip = dir.File("clip.mp4");
    ASSERT_EQ(RunRender({SAMPLE_DEMO_PATH, clip, "--blocks", blocks, "--pak", SAMPLE_PAK_PATH,
                         "--renderer", REF_SOFT_PATH}),
              0);
    VideoFacts facts;
    ASSERT_TRUE(ProbeVideo(clip, facts));
    EXPECT_EQ(facts.frames, 30);
    EXPECT_EQ(facts.width, 320);
    EXPECT_EQ(facts.height, 240);

    const std::string smooth = dir.File("smooth.mp4");
    ASSERT_EQ(RunRender({SAMPLE_DEMO_PATH, smooth, "--blocks", blocks, "--size", "160x120", "--fps",
                         "30", "--pak", SAMPLE_PAK_PATH, "--renderer", REF_SOFT_PATH}),
              0);
    ASSERT_TRUE(ProbeVideo(smooth, facts));
    EXPECT_EQ(facts.frames, 90);
    EXPECT_EQ(facts.width, 160);
    EXPECT_EQ(facts.height, 120);
    EXPECT_EQ(FilesIn(dir.Path().string()), 2) << "no temporary file is left";
}

TEST_F(SampleFilmTest, PicturesBetweenBlocksAreNeitherBlock) {
    ASSERT_TRUE(OpenPreview()) << (ui.messages.empty() ? "" : ui.messages.back());
    request.fps = 30;
    KeptPictures kept;
    std::string why;
    ASSERT_EQ(RenderFilm(*driver, request, kept, nullptr, &why), FilmResult::Written) << why;
    ASSERT_EQ(kept.pictures.size(), 30u);
    EXPECT_TRUE(kept.finished);
    int moving = 0;
    for (size_t b = 0; b + 3 < kept.pictures.size(); b += 3) {
        EXPECT_EQ(kept.frames[b].step, 0);
        EXPECT_EQ(kept.frames[b].block, request.first + b / 3);
        const auto& here = kept.pictures[b];
        const auto& next = kept.pictures[b + 3];
        if (here == next) {
            continue;
        }
        ++moving;
        for (size_t j = 1; j < 3; ++j) {
            EXPECT_NE(kept.pictures[b + j], here) << "block " << kept.frames[b].block;
            EXPECT_NE(kept.pictures[b + j], next) << "block " << kept.frames[b].block;
        }
    }
    EXPECT_GT(moving, 5) << "the camera moves through the map";
    // The last block is held.
    EXPECT_EQ(kept.pictures[29], kept.pictures[27]);

    // The blocks' own pictures are those of a film at the demo's rate.
    request.fps = 10;
    KeptPictures plain;
    ASSERT_EQ(RenderFilm(*driver, request, plain, nullptr, &why), FilmResult::Written) << why;
    for (size_t b = 0; b < plain.pictures.size(); ++b) {
        EXPECT_EQ(plain.pictures[b], kept.pictures[3 * b]) << "block " << b;
    }
}

TEST_F(SampleFilmTest, CancelledFilmLeavesNoFile) {
    if (!VideoToolsInstalled()) {
        GTEST_SKIP() << "ffmpeg and ffprobe are not installed";
    }
    ASSERT_TRUE(OpenPreview()) << (ui.messages.empty() ? "" : ui.messages.back());
    orrery_test::TempDir out;
    const VideoSettings settings{out.File("film.mp4"), FindFfmpeg(), 160, 120, 10};
    std::string why;
    uint64_t seen = 0;
    {
        VideoWriter writer(settings);
        ASSERT_TRUE(writer.Start(&why)) << why;
        const FilmResult result = RenderFilm(
            *driver, request, writer,
            [&](uint64_t done, uint64_t total) {
                seen = done;
                EXPECT_EQ(total, 10u);
                return done < 4;
            },
            &why);
        EXPECT_EQ(result, FilmResult::Cancelled);
        EXPECT_TRUE(why.empty()) << why;
    }
    EXPECT_EQ(seen, 4u);
    EXPECT_EQ(FilesIn(out.Path().string()), 0);
}

#else

TEST(SampleFilm, NotBuilt) {
    GTEST_SKIP() << "the software renderer or the sample data are not part of this build";
}

#endif

} // namespace
} // namespace pvtest
