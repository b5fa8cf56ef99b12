// The preview ports over Qt: CTreskPrevWnd as the preview window, QTimer as the view's
// timers, and the conversion of its captures.
#pragma once

#include "preview/preview_ports.h"

#include <QImage>
#include <QObject>

#include <functional>
#include <map>

class CTreskPrevWnd;
class QTimer;

PreviewImage ToPreviewImage(const QImage& image);
QImage ToQImage(const PreviewImage& image);

// Opens CTreskPrevWnd windows. A window is refused while another one holds the renderer.
class QtPreviewWindowFactory : public PreviewWindowFactory {
  public:
    std::unique_ptr<PreviewWindow> Open(const PreviewWindowRequest& request,
                                        std::string* whyNot) override;
};

// The preview window port over one CTreskPrevWnd, which it owns.
class QtPreviewWindow : public PreviewWindow {
  public:
    explicit QtPreviewWindow(CTreskPrevWnd* window);
    ~QtPreviewWindow() override;
    CTreskPrevWnd* Window() const { return window_; }

    int BeginRegistration(const char* mapName) override;
    int RegisterModel(int index, const char* path) override;
    int SetSky(const char* name, float rotate, const float axis[3]) override;
    int EndRegistration() override;
    void SpawnEntity(int number, preventity_s* record) override;
    void UpdateEntity(int number, preventity_s* record) override;
    void HideEntity(int number) override;
    bool HasEntity(int number) const override;
    void UpdatePlayerInfo(const prevplayer_s* record) override;
    int UpdateFrame() override;
    void Print(int level, const char* text) override;
    void SetPlayback(bool playing) override;
    void SetBlockIndex(int index) override;
    bool SelectionRecord() const override;
    PreviewImage GrabScreen(int width, int height) override;
    void HoldClock(float seconds) override;
    void ReleaseClock() override;

  private:
    CTreskPrevWnd* window_;
};

// Timers 1 and 2 of a view: each tick calls `tick` with the timer's number.
class QtPreviewTimers : public QObject, public PreviewTimers {
  public:
    explicit QtPreviewTimers(std::function<void(int)> tick, QObject* parent = nullptr);
    void Start(int timer, int milliseconds) override;
    void Stop(int timer) override;
    bool IsRunning(int timer) const;

  private:
    std::function<void(int)> tick_;
    std::map<int, QTimer*> timers_;
};
