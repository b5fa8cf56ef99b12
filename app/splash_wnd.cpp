#include "splash_wnd.h"

#include "resource_pictures.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

CSplashWindow* theSplash = nullptr;
bool startupSplashEnabled = true;

class QtSplashTimer : public SplashTimer {
  public:
    void Start(int intervalMs, std::function<void()> fire) override {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(fire));
        timer_.start(intervalMs);
    }

  private:
    QTimer timer_;
};

bool ClosesSplash(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

} // namespace

CSplashWindow::CSplashWindow(QWidget* parent, std::unique_ptr<SplashTimer> timer)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(TitlePicture()),
      timer_(std::move(timer)), owner_(parent) {
    setObjectName(QStringLiteral("SplashWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.size());
    // Centred over the owner when it shows, else in the screen's work area.
    QRect area;
    if (parent != nullptr && parent->isVisible()) {
        area = parent->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect frame(QPoint(0, 0), picture_.size());
    if (area.isValid()) {
        frame.moveCenter(area.center());
    }
    move(frame.topLeft());
    if (!timer_) {
        timer_ = std::make_unique<QtSplashTimer>();
    }
    qApp->installEventFilter(this);
    timer_->Start(kTimerIntervalMs, [] { CloseSplash(); });
}

CSplashWindow::~CSplashWindow() {
    qApp->removeEventFilter(this);
    if (theSplash == this) {
        theSplash = nullptr;
    }
}

CSplashWindow* CSplashWindow::ShowSplash(QWidget* parent, std::unique_ptr<SplashTimer> timer) {
    if (theSplash != nullptr) {
        return theSplash;
    }
    theSplash = new CSplashWindow(parent, std::move(timer));
    theSplash->show();
    theSplash->repaint();
    return theSplash;
}

void CSplashWindow::SetStartupSplashEnabled(bool enabled) {
    startupSplashEnabled = enabled;
}

bool CSplashWindow::StartupSplashEnabled() {
    return startupSplashEnabled;
}

CSplashWindow* CSplashWindow::Current() {
    return theSplash;
}

void CSplashWindow::CloseSplash() {
    CSplashWindow* splash = theSplash;
    if (splash == nullptr || splash->closing_) {
        return;
    }
    // Gone at once for everything that asks: no further input is swallowed, and a second
    // ShowSplash may open a new one. The object itself goes when the event loop is back,
    // since the close may come from inside its own event filter.
    splash->closing_ = true;
    theSplash = nullptr;
    qApp->removeEventFilter(splash);
    QWidget* owner = splash->owner_;
    splash->hide();
    splash->deleteLater();
    if (owner != nullptr) {
        owner->window()->repaint();
    }
}

void CSplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (closing_) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed for the focus widget, so that the key comes as a key press (which closes
        // the splash and is swallowed) instead of running a menu command's shortcut.
        event->accept();
        return true;
    }
    if (ClosesSplash(event->type())) {
        CloseSplash();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
