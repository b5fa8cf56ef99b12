#include "prev_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPolygon>

namespace {

constexpr int kPictureWidth = 13;
constexpr int kPictureHeight = 11;

// A triangle 4 pixels wide pointing right (dir 1) or left (dir -1) with its base at x.
void Triangle(QPainter& p, int x, int dir) {
    const int tip = x + dir * 4;
    p.drawPolygon(QPolygon({QPoint(x, 1), QPoint(tip, 5), QPoint(x, 9)}));
}

void Bar(QPainter& p, int x) {
    p.drawRect(x, 1, 1, 8);
}

} // namespace

QPixmap CPrevButton::Picture(int picture) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(QPalette().color(QPalette::Button));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    switch (picture) {
    case 0: // stop: a square
        p.drawRect(3, 2, 6, 6);
        break;
    case 1: // go to start: a bar and two left-pointing triangles
        Bar(p, 1);
        Triangle(p, 7, -1);
        Triangle(p, 11, -1);
        break;
    case 2: // step back: two left-pointing triangles
        Triangle(p, 6, -1);
        Triangle(p, 10, -1);
        break;
    case 3: // play: one right-pointing triangle
        Triangle(p, 4, 1);
        break;
    case 4: // step forward: two right-pointing triangles
        Triangle(p, 2, 1);
        Triangle(p, 6, 1);
        break;
    case 5: // go to end: two right-pointing triangles and a bar
        Triangle(p, 1, 1);
        Triangle(p, 5, 1);
        Bar(p, 10);
        break;
    default: // go to playback position: two triangles pointing at each other between bars
        Bar(p, 0);
        Triangle(p, 2, 1);
        Triangle(p, 10, -1);
        Bar(p, 11);
        break;
    }
    return pixmap;
}

CPrevButton::CPrevButton(int picture, QWidget* parent)
    : QAbstractButton(parent), m_picture(Picture(picture)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void CPrevButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect r = rect();
    p.fillRect(r, pal.color(QPalette::Button));
    const bool pressed = isDown();
    if (m_bHover || pressed) {
        const QColor light = pal.color(QPalette::Light);
        const QColor dark = pal.color(QPalette::Dark);
        const QColor topLeft = pressed ? dark : light;
        const QColor bottomRight = pressed ? light : dark;
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    // Centred; one pixel up and left unless pressed.
    int x = (r.width() - kPictureWidth) / 2;
    int y = (r.height() - kPictureHeight) / 2;
    if (!pressed) {
        x -= 1;
        y -= 1;
    }
    p.drawPixmap(x, y, m_picture);
}

void CPrevButton::enterEvent(QEnterEvent* event) {
    m_bHover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CPrevButton::leaveEvent(QEvent* event) {
    m_bHover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CPrevButton::mouseReleaseEvent(QMouseEvent* event) {
    QAbstractButton::mouseReleaseEvent(event);
    m_bHover = false;
    update();
}
