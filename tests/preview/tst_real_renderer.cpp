// The preview driving with the project's software renderer on the sample demo and its game
// data: playback, the filmstrip and tresk-cli render draw real pictures of the map, and a
// ReFilm flight saved into a file is judged by the reference decoder.
#include "demo_test_util.h"
#include "preview_fixture.h"
#include "render_command.h"

#include <QImage>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace pvtest {
namespace {

#if defined(REF_SOFT_PATH) && defined(SAMPLE_DEMO_PATH) && defined(SAMPLE_PAK_PATH)

class RealRendererTest : public PreviewTest {
  protected:
    void SetUp() override {
        PreviewTest::SetUp();
        if (!OpenSample()) {
            GTEST_SKIP() << "the sample demo and its game data are not built";
        }
    }
};

TEST_F(RealRendererTest, PlaysTenBlocksAndFillsTheFilmstrip) {
    ASSERT_TRUE(OpenPreview()) << (ui.messages.empty() ? "" : ui.messages.back());
    Press(0x958);
    std::set<std::vector<uint32_t>> frames;
    for (int i = 0; i < 10; ++i) {
        Tick();
        const QImage shown = Window()->Screen().convertToFormat(QImage::Format_RGB32);
        const auto* bits = reinterpret_cast<const uint32_t*>(shown.constBits());
        frames.insert(std::vector<uint32_t>(bits, bits + shown.width() * shown.height()));
    }
    EXPECT_GT(frames.size(), 1u) << "the camera moves through the map";
    Press(0x955);

    const uint32_t first = view->CurrentBlockNumber();
    ASSERT_GT(doc->blockCount, first + 40);
    view->OnUpdate(nullptr, kHintSelectBlocks, {first, first + 36});
    driver->RefreshFilmstrip();
    std::set<std::vector<uint32_t>> pictures;
    for (int j = 0; j < 10; ++j) {
        const auto& f = strip.frames[static_cast<size_t>(j)];
        EXPECT_EQ(f.block, static_cast<int>(first) + 4 * j);
        EXPECT_EQ(f.image.width, 100);
        pictures.insert(f.image.pixels);
    }
    EXPECT_EQ(pictures.size(), 10u);
}

// The camera a tick reported, as map units and degrees, for check_flight.py (17 digits: the
// decoder's side reads back exactly the value flown).
std::string CameraArgument(const refdef_t& fd) {
    char text[256];
    std::snprintf(text, sizeof text, "%.17g,%.17g,%.17g,%.17g,%.17g,%.17g",
                  static_cast<double>(fd.vieworg[0]), static_cast<double>(fd.vieworg[1]),
                  static_cast<double>(fd.vieworg[2]), static_cast<double>(fd.viewangles[0]),
                  static_cast<double>(fd.viewangles[1]), static_cast<double>(fd.viewangles[2]));
    return text;
}

TEST_F(RealRendererTest, AReFilmFlightSavedAsANewFileHoldsTheFlownCameraAndNothingElse) {
    if (!HaveReferenceDecoder()) {
        GTEST_SKIP() << "python3 or the reference decoder is missing";
    }
    ASSERT_TRUE(OpenPreview()) << (ui.messages.empty() ? "" : ui.messages.back());
    const uint32_t start = view->CurrentBlockNumber();
    Press(kPrevBtnPlay);
    QTest::mouseClick(Window(), Qt::RightButton);
    ASSERT_TRUE(Window()->IsFlyMode());
    ASSERT_TRUE(driver->IsPlaying());
    // Five ticks: climbing and sliding left on the keys, then turned by the window's camera
    // past a whole turn and moved high above the map, beyond what the demo's 16 bits hold.
    QTest::keyPress(Window(), Qt::Key_PageUp);
    QTest::keyPress(Window(), Qt::Key_Left);
    std::vector<std::string> cameras;
    for (int k = 0; k < 5; ++k) {
        if (k == 2) {
            const float angles[3] = {-30.5f, 450.25f, 3.75f};
            Window()->SetCameraPosition(nullptr, angles);
        }
        if (k == 4) {
            const float origin[3] = {-5000.0f, 4100.5f, 9000.0f};
            const float angles[3] = {12.0f, -725.0f, -1.5f};
            Window()->SetCameraPosition(origin, angles);
        }
        Tick();
        cameras.push_back(CameraArgument(Window()->RefDef()));
    }
    QTest::keyRelease(Window(), Qt::Key_Left);
    QTest::keyRelease(Window(), Qt::Key_PageUp);
    Press(kPrevBtnStop);
    EXPECT_EQ(std::set<std::string>(cameras.begin(), cameras.end()).size(), 5u);

    const std::string saved = dir.File("flown.dm2");
    std::string error;
    ASSERT_TRUE(doc->OnSaveDocument(saved, &error)) << error;
    // Saving may rebuild the opening blocks: frames are matched by their ordinal.
    const int first = OrdinalOfBlock(SAMPLE_DEMO_PATH, start);
    ASSERT_GE(first, 0);
    std::string command = "python3 " + Quoted(FLIGHT_CHECK_TOOL) + " " + Quoted(Q2REF_TOOL) + " " +
                          Quoted(SAMPLE_DEMO_PATH) + " " + Quoted(saved) + " " +
                          std::to_string(first);
    for (const std::string& c : cameras) {
        command += " " + c;
    }
    int rc = -1;
    const std::string verdict = Output(command + " 2>&1", &rc);
    EXPECT_EQ(rc, 0) << verdict;
    EXPECT_EQ(verdict, "OK 5\n");
    const std::string compared =
        Output("python3 " + Quoted(Q2REF_TOOL) +
               " compare --ignore ps.origin --ignore ps.viewangles --ignore ps.viewoffset"
               " --ignore ps.kick_angles --ignore ps.blend " +
               Quoted(SAMPLE_DEMO_PATH) + " " + Quoted(saved));
    EXPECT_NE(compared.find("RESULT: EQUAL"), std::string::npos) << compared;
}

TEST(RealRendererRender, TwentyBlocksGiveTwentyDifferentPictures) {
    if (!std::filesystem::exists(SAMPLE_DEMO_PATH) || !std::filesystem::exists(SAMPLE_PAK_PATH)) {
        GTEST_SKIP() << "the sample demo and its game data are not built";
    }
    orrery_test::TempDir dir;
    const std::string out = dir.File("shots");
    auto doc = edtest::LoadFile(ReadAll(SAMPLE_DEMO_PATH));
    doc->DecodeAll();
    const uint32_t first = doc->FindFirstPlayBlock() + 5;
    const std::string blocks = std::to_string(first) + "-" + std::to_string(first + 19);
    ASSERT_EQ(RunRender({SAMPLE_DEMO_PATH, out, "--blocks", blocks, "--pak", SAMPLE_PAK_PATH,
                         "--renderer", REF_SOFT_PATH}),
              0);
    std::set<QByteArray> pictures;
    for (uint32_t n = first; n < first + 20; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%04u.png", n);
        const QImage picture(QString::fromStdString(out + "/" + name));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.size(), QSize(320, 240));
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        pictures.insert(QByteArray(reinterpret_cast<const char*>(rgb.constBits()),
                                   static_cast<int>(rgb.sizeInBytes())));
    }
    EXPECT_EQ(pictures.size(), 20u);
}

#else

TEST(RealRenderer, NotBuilt) {
    GTEST_SKIP() << "the software renderer or the sample data are not part of this build";
}

#endif

} // namespace
} // namespace pvtest
