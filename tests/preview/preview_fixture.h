// A demo generated in memory, open in an editor view, with the preview driving on the real
// preview window and the test renderer plug-in, a pak holding the map, timers the test ticks
// by hand and a filmstrip that keeps what it is given.
#pragma once

#include "demo_bytes.h"
#include "scene_ref_stats.h"
#include "scripted_ui.h"

#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "orrery/ctreskprevwnd.h"
#include "pak_writer.h"
#include "preview/preview_driver.h"
#include "qt_preview_window.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace pvtest {

using edtest::Bytes;

// Timers that run only when the test ticks them.
class ManualTimers : public PreviewTimers {
  public:
    void Start(int timer, int ms) override { running[timer] = ms; }
    void Stop(int timer) override { running.erase(timer); }
    bool Runs(int timer) const { return running.count(timer) != 0; }
    std::map<int, int> running;
};

class RecordingFilmStrip : public FilmStrip {
  public:
    struct Frame {
        PreviewImage image;
        int block = 0;
    };
    void ClearFrames() override {
        frames.assign(10, Frame{});
        ++clears;
    }
    int GetFrameCount() const override { return 10; }
    void SetFrame(int index, PreviewImage image, int block) override {
        if (index >= 0 && index < 10) {
            frames[static_cast<size_t>(index)] = {std::move(image), block};
        }
    }
    std::vector<Frame> frames = std::vector<Frame>(10);
    int clears = 0;
};

// The test plug-in's counts (it is loaded while a preview is open).
const scene_ref_stats* RendererStats();
// The whole of a file.
Bytes ReadAll(const char* path);

// The generated demo's blocks.
std::vector<Bytes> GeneratedDemo(int frames, int players = 2);

class PreviewTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the demo in a view with the preview driving; the pak holds the map unless
    // `withMap` is false.
    void OpenDemo(const std::vector<Bytes>& blocks, bool withMap = true);
    // Opens the bundled sample demo with its game data and the real renderer plug-in, at
    // 160 x 120; false when the sample is not built.
    bool OpenSample();
    // Opens the preview; false when it did not start.
    bool OpenPreview();
    CTreskPrevWnd* Window() const;
    // Presses one of the window's seven buttons (2389..2395) as a click would.
    void Press(unsigned id);
    void Tick(int n = 1);
    // The first playerinfo record of block n.
    const PlayerState* PlayerOf(uint32_t n);
    void GoTo(uint32_t n);

    orrery_test::TempDir dir;
    ScriptedUi ui;
    RecordingDisplay display;
    std::unique_ptr<CTreskDoc> doc;
    std::unique_ptr<CTreskView> view;
    QtPreviewWindowFactory factory;
    ManualTimers timers;
    RecordingFilmStrip strip;
    std::unique_ptr<CPreviewDriver> driver;
    PreviewOptions options;
};

} // namespace pvtest
