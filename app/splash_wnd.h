// The start-up splash: the title picture in a borderless window over the main window, for
// 2.5 seconds or until the person presses a key or a mouse button. At most one is open.
//
// While it is up it watches every event of the program: a key press, a mouse-button press
// (in a window or on its frame) and a shortcut close it and are swallowed, so that the press
// that dismisses the picture does nothing else. Mouse movement and key releases pass. Closing
// destroys the window (it is never just hidden), so nothing is swallowed after it has gone.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

// The splash's clock: fires once after the interval it was started with. The program uses a
// QTimer; tests drive a clock of their own.
class SplashTimer {
  public:
    virtual ~SplashTimer() = default;
    virtual void Start(int intervalMs, std::function<void()> fire) = 0;
};

class CSplashWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTimerIntervalMs = 2500;

    // Shows the splash over `parent` (centred on it, or on the screen while the parent is not
    // visible) unless one is open already; paints it at once. `timer` replaces the program's
    // clock (tests). Returns the open splash (the one already open, when there was one).
    static CSplashWindow* ShowSplash(QWidget* parent, std::unique_ptr<SplashTimer> timer = {});
    // Whether the main window shows the splash as it starts (on by default; the test program
    // turns it off so that its clicks reach the windows they are meant for).
    static void SetStartupSplashEnabled(bool enabled);
    static bool StartupSplashEnabled();
    // The open splash, or null.
    static CSplashWindow* Current();
    // Closes the open splash, if any: destroys it and repaints the main window at once.
    static void CloseSplash();

    ~CSplashWindow() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CSplashWindow(QWidget* parent, std::unique_ptr<SplashTimer> timer);

    QImage picture_;
    std::unique_ptr<SplashTimer> timer_;
    QPointer<QWidget> owner_;
    bool closing_ = false;
};
