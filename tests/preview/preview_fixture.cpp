#include "preview_fixture.h"

#include "fx/game_demo_builder.h"

#include "demo/demo_block.h"

#include <QAbstractButton>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <dlfcn.h>

namespace pvtest {

const scene_ref_stats* RendererStats() {
    void* handle = dlopen(SCENE_REF_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) {
        return nullptr;
    }
    using StatsFn = const scene_ref_stats* (*)();
    void* symbol = dlsym(handle, "SceneRefStats");
    StatsFn fn = nullptr;
    std::memcpy(&fn, &symbol, sizeof symbol);
    const scene_ref_stats* stats = fn ? fn() : nullptr;
    dlclose(handle);
    return stats;
}

std::vector<Bytes> GeneratedDemo(int frames, int players) {
    fx::GameDemoOptions o;
    o.frames = frames;
    o.players = players;
    o.seed = 7;
    o.endMarker = false;
    fx::GameDemoBuilder builder(o);
    return builder.Blocks();
}

void PreviewTest::SetUp() {
    options.quake2Path = dir.Path().string();
    options.programDir = SCENE_REF_DIR;
    options.width = 160;
    options.height = 120;
}

void PreviewTest::TearDown() {
    driver.reset();
    view.reset();
    doc.reset();
    ui.ExpectAllAnswersUsed();
}

Bytes ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool PreviewTest::OpenSample() {
#if defined(REF_SOFT_PATH) && defined(SAMPLE_DEMO_PATH) && defined(SAMPLE_PAK_PATH)
    if (!std::filesystem::exists(SAMPLE_DEMO_PATH) || !std::filesystem::exists(SAMPLE_PAK_PATH)) {
        return false;
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
    return true;
#else
    return false;
#endif
}

void PreviewTest::OpenDemo(const std::vector<Bytes>& blocks, bool withMap) {
    // A second demo replaces the first: its driving and view go before it.
    driver.reset();
    view.reset();
    doc = edtest::LoadDoc(blocks);
    view = std::make_unique<CTreskView>(*doc, ui, display);
    view->OnInitialUpdate(dir.Path().string());
    std::vector<orrery_test::PakEntry> entries = {{"players/male/tris.md2", "IDP2"}};
    if (withMap) {
        entries.push_back({"maps/sample1.bsp", "IBSP map of the sample arena"});
    }
    orrery_test::WritePak(dir.Path() / "pak0.pak", entries);
    CQRefApiImport::AddPakFiles({dir.File("pak0.pak")});
    driver = std::make_unique<CPreviewDriver>(*view, factory, timers, &strip);
    driver->SetOptions(options);
}

bool PreviewTest::OpenPreview() {
    return driver->OnPreview3d() && driver->IsOpen();
}

CTreskPrevWnd* PreviewTest::Window() const {
    auto* port = static_cast<QtPreviewWindow*>(driver->Window());
    return port ? port->Window() : nullptr;
}

void PreviewTest::Press(unsigned id) {
    auto* button = Window()->findChild<QAbstractButton*>(QString::number(id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

void PreviewTest::Tick(int n) {
    for (int i = 0; i < n; ++i) {
        driver->OnTimer(kPlaybackTimer);
    }
}

const PlayerState* PreviewTest::PlayerOf(uint32_t n) {
    DemoBlock* b = view->BlockByNumber(n);
    for (DemoMessage* m = b ? b->FirstMessage() : nullptr; m != nullptr; m = m->next) {
        if (auto* p = MessageCast<PlayerInfoMessage>(m)) {
            return &p->state;
        }
    }
    return nullptr;
}

void PreviewTest::GoTo(uint32_t n) {
    ui.AnswerNumber(n);
    view->OnGotoBlock();
    ASSERT_EQ(view->CurrentBlockNumber(), n);
}

} // namespace pvtest
