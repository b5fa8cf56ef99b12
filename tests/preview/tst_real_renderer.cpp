// The preview driving with the project's software renderer on the sample demo and its game
// data: playback, the filmstrip and tresk-cli render draw real pictures of the map.
#include "preview_fixture.h"
#include "render_command.h"

#include <QImage>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace pvtest {
namespace {

#if defined(REF_SOFT_PATH) && defined(SAMPLE_DEMO_PATH) && defined(SAMPLE_PAK_PATH)

Bytes ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class RealRendererTest : public PreviewTest {
  protected:
    void SetUp() override {
        PreviewTest::SetUp();
        if (!std::filesystem::exists(SAMPLE_DEMO_PATH) ||
            !std::filesystem::exists(SAMPLE_PAK_PATH)) {
            GTEST_SKIP() << "the sample demo and its game data are not built";
        }
        options.library = REF_SOFT_PATH;
        options.width = 160;
        options.height = 120;
        doc = edtest::LoadFile(ReadAll(SAMPLE_DEMO_PATH));
        view = std::make_unique<CTreskView>(*doc, ui, display);
        view->OnInitialUpdate(dir.Path().string());
        CQRefApiImport::AddPakFiles({SAMPLE_PAK_PATH});
        driver = std::make_unique<CPreviewDriver>(*view, factory, timers, &strip);
        driver->SetOptions(options);
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
