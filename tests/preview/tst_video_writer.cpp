// The video writer over the machine's ffmpeg: a finished video is whole and where it was asked
// for; an abandoned or failed one leaves nothing; without ffmpeg it says so.
#include "preview/video_writer.h"

#include "pak_writer.h"
#include "video_probe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pvtest {
namespace {

PreviewImage Picture(int width, int height, uint32_t shade) {
    PreviewImage p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<size_t>(width) * height, 0xff000000u | shade);
    return p;
}

class VideoWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ffmpeg = FindFfmpeg();
        if (ffmpeg.empty() || FfprobeProgram().empty()) {
            GTEST_SKIP() << "ffmpeg and ffprobe are not installed";
        }
        settings.ffmpeg = ffmpeg;
        settings.width = 64;
        settings.height = 48;
        settings.path = dir.File("clip.mp4");
    }
    orrery_test::TempDir dir;
    std::string ffmpeg;
    VideoSettings settings;
    std::string why;
};

TEST_F(VideoWriterTest, FinishedVideoHoldsEveryPicture) {
    settings.fps = 30;
    VideoWriter writer(settings);
    ASSERT_TRUE(writer.Start(&why)) << why;
    for (uint32_t i = 0; i < 12; ++i) {
        ASSERT_TRUE(writer.Write(Picture(64, 48, i * 0x101010u), {}, &why)) << why;
    }
    // Until it is finished the output is not there.
    EXPECT_FALSE(std::filesystem::exists(settings.path));
    ASSERT_TRUE(writer.Finish(&why)) << why;
    VideoFacts facts;
    ASSERT_TRUE(ProbeVideo(settings.path, facts));
    EXPECT_EQ(facts.frames, 12);
    EXPECT_EQ(facts.width, 64);
    EXPECT_EQ(facts.height, 48);
    EXPECT_EQ(FilesIn(dir.Path().string()), 1) << "the temporary file is gone";
}

TEST_F(VideoWriterTest, AbandonedOrFailedVideoLeavesTheOutputAlone) {
    {
        std::ofstream(settings.path) << "older";
        VideoWriter writer(settings);
        ASSERT_TRUE(writer.Start(&why)) << why;
        ASSERT_TRUE(writer.Write(Picture(64, 48, 0x808080), {}, &why)) << why;
        EXPECT_TRUE(std::filesystem::exists(writer.TemporaryPath()));
        // A picture of the wrong size is refused.
        EXPECT_FALSE(writer.Write(Picture(32, 48, 0), {}, &why));
    } // abandoned unfinished
    EXPECT_EQ(FilesIn(dir.Path().string()), 1);
    std::ifstream in(settings.path);
    std::string kept;
    in >> kept;
    EXPECT_EQ(kept, "older");

    // An encoder that fails: reported, and nothing left.
    std::filesystem::remove(settings.path);
    settings.ffmpeg = "/bin/false";
    VideoWriter failing(settings);
    ASSERT_TRUE(failing.Start(&why)) << why;
    failing.Write(Picture(64, 48, 0), {}, &why); // may already see it gone
    EXPECT_FALSE(failing.Finish(&why));
    EXPECT_NE(why.find("ffmpeg"), std::string::npos) << why;
    EXPECT_EQ(FilesIn(dir.Path().string()), 0);
}

TEST(VideoWriterLookup, NoFfmpegIsSaidPlainly) {
    EXPECT_EQ(FindFfmpeg("/nonexistent/ffmpeg"), "");
    EXPECT_EQ(FindFfmpeg("no-such-ffmpeg-program"), "");
    EXPECT_EQ(FindFfmpeg("/bin/sh"), "/bin/sh");
    const char* before = std::getenv(kFfmpegVariable);
    const std::string saved = before != nullptr ? before : "";
    setenv(kFfmpegVariable, "/nonexistent/ffmpeg", 1);
    EXPECT_EQ(FindFfmpeg(), "");
    EXPECT_EQ(FindFfmpeg("/bin/sh"), "/bin/sh") << "the program asked for goes first";
    if (before != nullptr) {
        setenv(kFfmpegVariable, saved.c_str(), 1);
    } else {
        unsetenv(kFfmpegVariable);
    }

    VideoWriter writer(VideoSettings{"/tmp/never.mp4", "", 64, 48, 10});
    std::string why;
    EXPECT_FALSE(writer.Start(&why));
    EXPECT_EQ(why, kNoFfmpegText);
    EXPECT_TRUE(IsVideoPath("a/b/Clip.MP4"));
    EXPECT_FALSE(IsVideoPath("a/b/shots"));
}

} // namespace
} // namespace pvtest
