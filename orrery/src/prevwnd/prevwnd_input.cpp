// The preview window's input: mouse-look, the fly mode and its keys, timer 1 and closing.
#include "orrery/ctreskprevwnd.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimerEvent>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kFlyTimerMs = 80;
// 100 x 360/65536 degrees per pixel.
constexpr double kMouseLookFactor = 0.54931640625;
constexpr QPoint kCursorHome(300, 190);

} // namespace

void CTreskPrevWnd::StartFlyTimer() {
    if (m_nTimer)
        killTimer(m_nTimer);
    m_nTimer = startTimer(kFlyTimerMs);
    m_bFlyTimer = true;
}

void CTreskPrevWnd::StopFlyTimer() {
    if (m_nTimer)
        killTimer(m_nTimer);
    m_nTimer = 0;
    m_bFlyTimer = false;
}

bool CTreskPrevWnd::event(QEvent* e) {
    // Tab and Shift+Tab reach keyPressEvent instead of moving the focus.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(e);
}

void CTreskPrevWnd::keyPressEvent(QKeyEvent* e) {
    char text[64];
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_Tab:
        m_bPovFlight = !m_bPovFlight;
        Print(3, m_bPovFlight ? "Fly Mode:  POV (Quake2)" : "Fly Mode:  Non-POV (Quake1)");
        UpdateFrame();
        return;
    case Qt::Key_Backtab:
        m_bSelectionRecord = !m_bSelectionRecord;
        Print(3, m_bSelectionRecord ? "Selection-Record status:  ON"
                                    : "Selection-Record status:  OFF");
        UpdateFrame();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!keypad)
            break;
        m_nSpeed = static_cast<int>(e->key() == Qt::Key_Plus ? std::min(m_nSpeed + 1, 25)
                                                             : std::max(m_nSpeed - 1, 1));
        std::snprintf(text, sizeof text, "Speed: %i", m_nSpeed);
        Print(3, text);
        UpdateFrame();
        return;
    case Qt::Key_Space:
        Send(m_bPlayback ? kPrevBtnStop : kPrevBtnPlay, 0, nullptr);
        return;
    case Qt::Key_PageUp:
        m_held[kPageUp] = true;
        return;
    case Qt::Key_PageDown:
        m_held[kPageDown] = true;
        return;
    case Qt::Key_Left:
        m_held[kLeft] = true;
        return;
    case Qt::Key_Up:
        m_held[kUp] = true;
        return;
    case Qt::Key_Right:
        m_held[kRight] = true;
        return;
    case Qt::Key_Down:
        m_held[kDown] = true;
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(e);
}

void CTreskPrevWnd::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat())
        return;
    if (m_bFlyMode)
        StartFlyTimer();
    refdef_t& fd = const_cast<refdef_t&>(RefDef());
    switch (e->key()) {
    case Qt::Key_Escape:
        std::memcpy(fd.viewangles, m_savedAngles, sizeof m_savedAngles);
        if (m_bFlyTimer)
            std::memcpy(fd.vieworg, m_savedOrigin, sizeof m_savedOrigin);
        UpdateFrame();
        return;
    case Qt::Key_PageUp:
        m_held[kPageUp] = false;
        return;
    case Qt::Key_PageDown:
        m_held[kPageDown] = false;
        return;
    case Qt::Key_Left:
        m_held[kLeft] = false;
        return;
    case Qt::Key_Up:
        m_held[kUp] = false;
        return;
    case Qt::Key_Right:
        m_held[kRight] = false;
        return;
    case Qt::Key_Down:
        m_held[kDown] = false;
        return;
    default:
        QWidget::keyReleaseEvent(e);
    }
}

void CTreskPrevWnd::ToggleFlyMode() {
    refdef_t& fd = const_cast<refdef_t&>(RefDef());
    const char* message;
    if (!m_bFlyMode) {
        setFocus();
        if (!m_bPlayback) {
            std::memcpy(m_savedAngles, fd.viewangles, sizeof m_savedAngles);
            std::memcpy(m_savedOrigin, fd.vieworg, sizeof m_savedOrigin);
            StartFlyTimer();
            message = "Free-fly mode ON. (not recording)";
        } else {
            message = "ReFilm ON: Arrowkeys;PGup/PGdown;tab;+/-";
        }
        m_bFlyMode = true;
    } else {
        if (!m_bPlayback) {
            StopFlyTimer();
            message = "Free-fly mode OFF.";
        } else {
            message = "ReFilm mode OFF.";
        }
        m_bFlyMode = false;
    }
    Print(3, message);
    UpdateFrame();
}

void CTreskPrevWnd::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        ToggleFlyMode();
        return;
    }
    if (e->button() != Qt::LeftButton || m_bMouseLook)
        return;
    setCursor(Qt::BlankCursor);
    setFocus();
    grabMouse();
    m_bMouseLook = true;
    m_lastCursor = e->globalPosition().toPoint();
    if (!m_bFlyTimer)
        std::memcpy(m_savedAngles, RefDef().viewangles, sizeof m_savedAngles);
}

void CTreskPrevWnd::MouseLookTo(QPoint global) {
    const QScreen* s = screen();
    const QRect area = s ? s->geometry() : QRect(0, 0, 640, 480);
    const int x = global.x() - area.x();
    const int y = global.y() - area.y();
    if (x > 0 && x < area.width() - 5 && y > 0 && y < area.height() - 5) {
        refdef_t& fd = const_cast<refdef_t&>(RefDef());
        fd.viewangles[0] -= static_cast<float>((m_lastCursor.y() - global.y()) * kMouseLookFactor);
        fd.viewangles[1] += static_cast<float>((m_lastCursor.x() - global.x()) * kMouseLookFactor);
        m_lastCursor = global;
        if (!m_bPlayback && !m_bFlyTimer)
            UpdateFrame();
        return;
    }
    // Near a screen edge the cursor could go no further: put it back, without turning.
    QCursor::setPos(kCursorHome);
    m_lastCursor = kCursorHome;
}

void CTreskPrevWnd::mouseMoveEvent(QMouseEvent* e) {
    if (m_bMouseLook)
        MouseLookTo(e->globalPosition().toPoint());
}

void CTreskPrevWnd::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !m_bMouseLook)
        return;
    releaseMouse();
    unsetCursor();
    m_bMouseLook = false;
}

void CTreskPrevWnd::timerEvent(QTimerEvent* e) {
    if (e->timerId() != m_nTimer) {
        QWidget::timerEvent(e);
        return;
    }
    if (m_bPlayback) {
        // The editor's playback moves the camera now.
        Print(3, "Recording!");
        StopFlyTimer();
        return;
    }
    UpdatePlayerInfo(nullptr);
    UpdateFrame();
}

void CTreskPrevWnd::closeEvent(QCloseEvent* e) {
    if (m_pOwner && m_bRegistered) {
        // Posted: the owner deletes this window when it gets the message.
        CPrevWndOwner* owner = m_pOwner;
        QPointer<QWidget> alive(this);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [owner, alive] {
                if (alive)
                    owner->OnPreviewMessage(kPrevMsgClosed, 0, nullptr);
            },
            Qt::QueuedConnection);
    }
    e->accept();
}
