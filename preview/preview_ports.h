// What the preview driving needs from outside, as plain C++ ports: the preview window (the
// program adapts CTreskPrevWnd, tests may script one), the view's two timers and the
// filmstrip bar. No Qt here, so the driving runs in tests and on the command line alike.
#pragma once

#include "orrery/prev_types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CQRefApiImport;

// A captured picture: rows of 0xffRRGGBB pixels, top row first.
struct PreviewImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool Empty() const { return pixels.empty(); }
};

// The operations of the 3D preview window the driving uses (see CTreskPrevWnd).
class PreviewWindow {
  public:
    virtual ~PreviewWindow() = default;
    virtual int BeginRegistration(const char* mapName) = 0;
    virtual int RegisterModel(int index, const char* path) = 0;
    virtual int SetSky(const char* name, float rotate, const float axis[3]) = 0;
    virtual int EndRegistration() = 0;
    virtual void SpawnEntity(int number, preventity_s* record) = 0;
    virtual void UpdateEntity(int number, preventity_s* record) = 0;
    virtual void HideEntity(int number) = 0;
    // The entity number has a render slot (spawned).
    virtual bool HasEntity(int number) const = 0;
    virtual void UpdatePlayerInfo(const prevplayer_s* record) = 0;
    virtual int UpdateFrame() = 0;
    virtual void Print(int level, const char* text) = 0;
    virtual void SetPlayback(bool playing) = 0;
    virtual void SetBlockIndex(int index) = 0;
    virtual bool SelectionRecord() const = 0;
    virtual PreviewImage GrabScreen(int width, int height) = 0;
    // Sets the renderer's clock (seconds) and holds it there until released; frames drawn
    // meanwhile leave it as set. Released, each frame moves it on by a tenth of a second.
    virtual void HoldClock(float seconds) = 0;
    virtual void ReleaseClock() = 0;
};

// What opening a window needs.
struct PreviewWindowRequest {
    CQRefApiImport* host = nullptr;
    std::vector<std::string> libraryPaths; // tried in order
    std::string title;
    CPrevWndOwner* owner = nullptr;
};

// Makes preview windows. Null when no window could be made, with the reason in *whyNot (the
// text the person is shown).
class PreviewWindowFactory {
  public:
    virtual ~PreviewWindowFactory() = default;
    virtual std::unique_ptr<PreviewWindow> Open(const PreviewWindowRequest& request,
                                                std::string* whyNot) = 0;
};

// The view's timers: 1 (80 ms, playback) and 2 (30 ms, model viewer). Each tick calls
// CPreviewDriver::OnTimer with the timer's number.
class PreviewTimers {
  public:
    virtual ~PreviewTimers() = default;
    virtual void Start(int timer, int milliseconds) = 0;
    virtual void Stop(int timer) = 0;
};

// The filmstrip bar.
class FilmStrip {
  public:
    virtual ~FilmStrip() = default;
    virtual void ClearFrames() = 0;
    virtual int GetFrameCount() const = 0;
    // Ignored unless 0 <= index < the frame count.
    virtual void SetFrame(int index, PreviewImage image, int blockNumber) = 0;
};
