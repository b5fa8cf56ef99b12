#include "resource_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int kCell = 16;
constexpr int kMarkCount = 10;
constexpr int kCursorSize = 32;

const QColor kMarkColours[kMarkCount] = {
    QColor(255, 0, 0),   QColor(0, 0, 255),   QColor(0, 192, 0),     QColor(248, 248, 248),
    QColor(255, 255, 0), QColor(0, 0, 0),     QColor(128, 128, 128), QColor(160, 160, 160),
    QColor(0, 100, 0),   QColor(0, 255, 255),
};
const QColor kLightGrey(212, 208, 200);

} // namespace

QColor EntityMarkColour(int mark) {
    return mark >= 0 && mark < kMarkCount ? kMarkColours[mark] : kLightGrey;
}

QImage TitlePicture() {
    QImage image(kTitlePictureWidth, kTitlePictureHeight, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A dusk sky over a dark floor: the game's colours.
    QLinearGradient sky(0, 0, 0, kTitlePictureHeight);
    sky.setColorAt(0.0, QColor(20, 12, 8));
    sky.setColorAt(0.55, QColor(120, 52, 18));
    sky.setColorAt(0.56, QColor(36, 30, 26));
    sky.setColorAt(1.0, QColor(10, 8, 6));
    p.fillRect(image.rect(), sky);

    // A strip of film across the picture.
    const QRectF film(0, 150, kTitlePictureWidth, 70);
    p.fillRect(film, QColor(24, 24, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 190, 170));
    for (int x = 6; x < kTitlePictureWidth; x += 18) {
        p.drawRoundedRect(QRectF(x, film.top() + 5, 9, 7), 2, 2);
        p.drawRoundedRect(QRectF(x, film.bottom() - 12, 9, 7), 2, 2);
    }
    for (int i = 0; i < 6; ++i) {
        const QRectF frame(10 + i * 72, film.top() + 16, 66, 38);
        QLinearGradient shot(frame.topLeft(), frame.bottomRight());
        shot.setColorAt(0, QColor(90 + i * 20, 60, 30));
        shot.setColorAt(1, QColor(30, 20 + i * 10, 60));
        p.fillRect(frame, shot);
    }

    // The title.
    QFont title(QStringLiteral("Sans Serif"), 40, QFont::Black);
    title.setPixelSize(64);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0));
    const QRectF titleRect(0, 30, kTitlePictureWidth, 80);
    p.drawText(titleRect.translated(3, 3), Qt::AlignCenter, QStringLiteral("CINERAD II"));
    p.setPen(QColor(230, 170, 60));
    p.drawText(titleRect, Qt::AlignCenter, QStringLiteral("CINERAD II"));
    QFont sub(QStringLiteral("Sans Serif"));
    sub.setPixelSize(15);
    sub.setBold(true);
    p.setFont(sub);
    p.setPen(QColor(240, 230, 210));
    p.drawText(QRectF(0, 108, kTitlePictureWidth, 24), Qt::AlignCenter,
               QStringLiteral("THE QUAKE 2 DEMO EDITOR / MOVIE STUDIO"));
    p.setPen(QColor(140, 130, 120));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage EntityMarkStrip() {
    QImage strip(kCell * (kMarkCount + 1), kCell, QImage::Format_RGB888);
    strip.fill(EntityMarkKeyColour());
    QPainter p(&strip);
    for (int i = 0; i < kMarkCount; ++i) {
        const QRect cell(i * kCell, 0, kCell, kCell);
        p.fillRect(cell.adjusted(1, 1, -1, -1), kLightGrey);
        // A flag on a pole in the mark's colour, outlined so that white and grey show.
        p.setPen(QColor(64, 64, 64));
        p.drawLine(cell.left() + 4, cell.top() + 2, cell.left() + 4, cell.bottom() - 2);
        p.setBrush(kMarkColours[i]);
        p.drawRect(QRect(cell.left() + 5, cell.top() + 3, 7, 5));
    }
    // Unmarked: an empty outline.
    const QRect last(kMarkCount * kCell, 0, kCell, kCell);
    p.setPen(QColor(128, 128, 128));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(last.adjusted(4, 4, -5, -5));
    return strip;
}

QImage EntityStateStrip() {
    QImage strip(kCell * 2, kCell, QImage::Format_RGB888);
    strip.fill(EntityStateKeyColour());
    QPainter p(&strip);
    for (int i = 0; i < 2; ++i) {
        const QRect box(i * kCell + 3, 3, 10, 10);
        p.setPen(QColor(0, 0, 0));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(box);
        if (i == 1) {
            // A tick for a marked entity.
            p.setPen(QPen(QColor(0, 0, 0), 2));
            p.drawLine(box.left() + 2, box.top() + 5, box.left() + 4, box.top() + 8);
            p.drawLine(box.left() + 4, box.top() + 8, box.left() + 9, box.top() + 2);
        }
    }
    return strip;
}

QList<QPixmap> SplitImageStrip(const QImage& strip, const QColor& key) {
    QList<QPixmap> images;
    const int size = strip.height();
    if (size <= 0) {
        return images;
    }
    for (int x = 0; x + size <= strip.width(); x += size) {
        QImage cell = strip.copy(x, 0, size, size).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            for (int cx = 0; cx < size; ++cx) {
                if (cell.pixelColor(cx, y).rgb() == key.rgb()) {
                    cell.setPixelColor(cx, y, Qt::transparent);
                }
            }
        }
        images.append(QPixmap::fromImage(cell));
    }
    return images;
}

QPixmap LinkCursorPixmap() {
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255));
    // The pointing finger runs from the fingertip at the left edge to the hand.
    QPainterPath finger;
    finger.addRoundedRect(QRectF(1.5, 8.5, 13, 5), 2.5, 2.5);
    // The palm and the folded fingers.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(11.5, 7.5, 12, 15), 3, 3);
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(13.5, 3.5, 4, 6), 2, 2);
    const QPainterPath outline = hand.united(finger).united(thumb);
    p.drawPath(outline);
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(12, 14.5 + 2.5 * i), QPointF(17, 14.5 + 2.5 * i));
    }
    // The cuff.
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(QRectF(23.5, 9.5, 4, 11));
    return QPixmap::fromImage(image);
}

QPoint LinkCursorHotSpot() {
    return QPoint(1, 11); // the tip of the pointing finger
}

QCursor LinkCursor() {
    return QCursor(LinkCursorPixmap(), LinkCursorHotSpot().x(), LinkCursorHotSpot().y());
}
