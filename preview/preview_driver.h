// The editor's side of the 3D preview: opening and closing the window, building the scene
// from the document, feeding blocks, the 80 ms playback, the seven buttons, the camera a
// ReFilm flight writes back into the demo, the model viewer and the filmstrip.
#pragma once

#include "demo/entity_state.h"
#include "orrery/prev_types.h"
#include "preview/preview_ports.h"
#include "preview/preview_scene.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CTreskView;
class CTreskDoc;
class DemoBlock;

// The settings the preview opens with.
struct PreviewOptions {
    std::string quake2Path; // the game folder: base directory and renderer library
    int gamma = 50;         // 0..100, vid_gamma = gamma x 0.01
    int width = 320;
    int height = 240;
    bool useOpenGL = false;
    // Where the program lives: the renderer library is looked for there after the game folder.
    std::string programDir;
    // When set, the one renderer library to load (the command line's --renderer).
    std::string library;
};

// Timer numbers of the view.
constexpr int kPlaybackTimer = 1; // 80 ms
constexpr int kModelTimer = 2;    // 30 ms
constexpr int kPlaybackMs = 80;
constexpr int kModelMs = 30;
// The index that clears the scene-built flag.
constexpr int kFeedResetScene = -100;
// The entity number the model viewer shows its model with.
constexpr int kModelViewerEntity = 499;

// Texts the person sees.
extern const char* const kNeedPreviewText;   // "3D preview must be open for this feature to work."
extern const char* const kStopSelectionText; // "STOPPED: end of selection."
extern const char* const kStopDemoText;      // "STOPPED: end of demo."

class CPreviewDriver : public CPrevWndOwner {
  public:
    // Installs itself as the view's preview hooks; `filmstrip` may be null (no bar).
    CPreviewDriver(CTreskView& view, PreviewWindowFactory& factory, PreviewTimers& timers,
                   FilmStrip* filmstrip);
    ~CPreviewDriver() override;
    CPreviewDriver(const CPreviewDriver&) = delete;
    CPreviewDriver& operator=(const CPreviewDriver&) = delete;

    void SetOptions(const PreviewOptions& options) { options_ = options; }
    // The renderer libraries tried, in order: the game folder, then beside the program.
    std::vector<std::string> LibraryPaths() const;

    // Command 32874: opens the preview, or closes it when open. Opening says why in a message
    // when the preview cannot start; false then.
    bool OnPreview3d();
    bool IsOpen() const { return window_ != nullptr; }
    void Close();
    PreviewWindow* Window() const { return window_.get(); }

    // Shows a block (see the feeding rules in preview_driver.cpp). `index` is its number, or
    // kFeedResetScene.
    void Feed(DemoBlock* block, int index);
    // Feeds the current block when a preview is open and nothing plays (the view's refresh,
    // update hint 69).
    void FeedCurrentBlock();
    // A tick of timer 1 or 2.
    void OnTimer(int timer);
    // Stops the playback timer (also before the block list changes).
    void StopPlayback();
    bool IsPlaying() const { return playing_; }
    // Update hint 10: the model viewer with model table row `row` (model index row + 1).
    void ShowModel(uint32_t row);
    bool ModelViewerRuns() const { return modelTimer_; }
    // Command 1201 and the end of a confirmed block selection.
    void RefreshFilmstrip();
    // Makes block `number` current (as the buttons do) and captures the preview showing it
    // at width x height; empty without a preview or for a block not in the demo.
    PreviewImage RenderBlock(uint32_t number, int width, int height);
    // Feeds block `number` as the filmstrip does, the current block staying as it is (the
    // view's refresh shows that again); false without a preview or for a block not in the
    // demo. Playback stops.
    bool ShowBlock(uint32_t number);
    // Captures what the preview shows now at width x height; empty without a preview.
    PreviewImage Grab(int width, int height);
    // The renderer's clock held at `seconds` (see PreviewWindow::HoldClock), or let go again.
    void HoldClock(float seconds);
    void ReleaseClock();
    // What the window was last fed to draw.
    const PreviewScene& Scene() const { return scene_; }
    // Sends the entities and the view of `scene` to the window, which then draws them; the
    // entities shown and hidden stay as they are. Scene() is left as it was: feeding it back
    // returns the window to the block it shows.
    void ShowScene(const PreviewScene& scene);

    // The window's notifications.
    void OnPreviewMessage(unsigned message, uintptr_t wParam, const void* lParam) override;

    // Called once the person has closed the window (the command's checked state follows).
    std::function<void()> onClosedByWindow;

    const DemoBlock* PlaybackBlock() const { return playbackBlock_; }
    uint32_t PlaybackPosition() const { return playbackPosition_; }

  private:
    bool Open();
    void BuildScene();
    void RunModelViewer(std::optional<int> modelIndex);
    void ShowFrame(const DemoBlock& block);
    // The block list changed since it was last looked at (an edit, undo or redo): playback
    // stops and the playback block is found again by its number.
    void FollowBlockList();
    void WriteCamera(DemoBlock* block);
    void PlaybackTick();
    void GoTo(uint32_t number);
    CTreskDoc& Doc() const;

    CTreskView& view_;
    PreviewWindowFactory& factory_;
    PreviewTimers& timers_;
    FilmStrip* filmstrip_;
    PreviewOptions options_;
    std::unique_ptr<PreviewWindow> window_;

    DemoBlock* playbackBlock_ = nullptr;
    uint32_t playbackPosition_ = 0;
    bool playing_ = false;
    bool sceneBuilt_ = false;
    bool modelTimer_ = false;
    int viewerModel_ = 0;
    int spin_ = 0;
    bool viewerSpawned_ = false;
    uint64_t seenChanges_ = 0;

    // What the last shown frame showed, and its block.
    EntitySet shown_;
    const DemoBlock* shownBlock_ = nullptr;
    PreviewScene scene_;

    // The camera the window reported while the playback tick fed `tickBlock_`.
    DemoBlock* tickBlock_ = nullptr;
    int tickIndex_ = 0;
    std::optional<std::array<float, 3>> flownAngles_;
    std::optional<std::array<float, 3>> flownOrigin_;
};
