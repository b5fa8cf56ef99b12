#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;
constexpr int kScale = 2;

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kShade(128, 128, 128);
const QColor kFolder(255, 255, 0);
const QColor kBlue(0, 0, 128);
const QColor kTeal(0, 128, 128);

// A sheet of paper with a folded top-right corner.
void Page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    QPolygonF outline;
    outline << QPointF(x, y) << QPointF(x + w - 3, y) << QPointF(x + w, y + 3)
            << QPointF(x + w, y + h) << QPointF(x, y + h);
    p.setBrush(kPaper);
    p.drawPolygon(outline);
    p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
    p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

void TextLines(QPainter& p, qreal x, qreal y, qreal w, int count) {
    p.save();
    p.setPen(QPen(kShade, 0.8));
    for (int i = 0; i < count; ++i) {
        p.drawLine(QPointF(x, y + 2 * i), QPointF(x + w, y + 2 * i));
    }
    p.restore();
}

void DrawNew(QPainter& p) {
    Page(p, 3.5, 1.5, 9, 12);
}

void DrawOpen(QPainter& p) {
    p.setBrush(kFolder);
    QPolygonF back;
    back << QPointF(1.5, 3.5) << QPointF(5.5, 3.5) << QPointF(6.5, 4.5) << QPointF(12.5, 4.5)
         << QPointF(12.5, 12.5) << QPointF(1.5, 12.5);
    p.drawPolygon(back);
    p.setBrush(QColor(200, 200, 0));
    QPolygonF front;
    front << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(12.5, 12.5) << QPointF(1.5, 12.5);
    p.drawPolygon(front);
}

void DrawSave(QPainter& p) {
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 1.5, 13, 12));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 1.5, 9, 6));
    p.setBrush(kShade);
    p.drawRect(QRectF(4.5, 9.5, 7, 4));
}

void DrawCut(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 11.5), 2.2, 2.2);
    p.drawEllipse(QPointF(11.5, 11.5), 2.2, 2.2);
    p.drawLine(QPointF(6, 10), QPointF(11, 1.5));
    p.drawLine(QPointF(10, 10), QPointF(5, 1.5));
}

void DrawCopy(QPainter& p) {
    Page(p, 1.5, 1.5, 8, 9);
    Page(p, 6.5, 4.5, 8, 9);
    TextLines(p, 8.5, 8, 4, 3);
}

void DrawPaste(QPainter& p) {
    p.setBrush(QColor(160, 100, 40));
    p.drawRect(QRectF(1.5, 2.5, 10, 11));
    p.setBrush(kShade);
    p.drawRect(QRectF(4.5, 1.5, 4, 2));
    Page(p, 7.5, 5.5, 7, 8);
}

void DrawQuestionMark(QPainter& p, const QRectF& box) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(box.height()));
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
}

void DrawAbout(QPainter& p) {
    p.setBrush(kTeal);
    p.drawEllipse(QRectF(1.5, 1, 13, 13));
    p.setPen(kPaper);
    DrawQuestionMark(p, QRectF(1.5, 1, 13, 13));
}

void DrawContextHelp(QPainter& p) {
    QPolygonF arrow;
    arrow << QPointF(1.5, 1.5) << QPointF(1.5, 11.5) << QPointF(4, 9) << QPointF(6, 13.5)
          << QPointF(7.5, 12.8) << QPointF(5.5, 8.5) << QPointF(8.5, 8.5);
    p.setBrush(kPaper);
    p.drawPolygon(arrow);
    p.setPen(kBlue);
    DrawQuestionMark(p, QRectF(8, 1, 8, 11));
}

void DrawPreview3d(QPainter& p) {
    const QPointF a(2.5, 5.5), b(10.5, 5.5), c(10.5, 13.5), d(2.5, 13.5);
    const QPointF off(3, -3.5);
    p.setBrush(QColor(180, 180, 220));
    p.drawPolygon(QPolygonF() << a << a + off << b + off << b);
    p.setBrush(QColor(110, 110, 180));
    p.drawPolygon(QPolygonF() << b << b + off << c + off << c);
    p.setBrush(QColor(140, 140, 210));
    p.drawPolygon(QPolygonF() << a << b << c << d);
}

void DrawVisibleEntities(QPainter& p) {
    QPainterPath eye;
    eye.moveTo(1, 7.5);
    eye.quadTo(8, 0, 15, 7.5);
    eye.quadTo(8, 15, 1, 7.5);
    p.setBrush(kPaper);
    p.drawPath(eye);
    p.setBrush(kTeal);
    p.drawEllipse(QPointF(8, 7.5), 2.8, 2.8);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(8, 7.5), 1.1, 1.1);
}

void DrawModels(QPainter& p) {
    // A small figure: the kind of thing the model list shows.
    p.setBrush(QColor(200, 150, 100));
    p.drawEllipse(QPointF(8, 3), 2, 2);
    p.setBrush(QColor(0, 120, 0));
    p.drawRect(QRectF(5.5, 5.5, 5, 5));
    p.drawLine(QPointF(5.5, 6), QPointF(3, 9.5));
    p.drawLine(QPointF(10.5, 6), QPointF(13, 9.5));
    p.drawLine(QPointF(6.5, 10.5), QPointF(6, 14));
    p.drawLine(QPointF(9.5, 10.5), QPointF(10, 14));
}

void DrawSounds(QPainter& p) {
    p.setBrush(kShade);
    QPolygonF speaker;
    speaker << QPointF(1.5, 5.5) << QPointF(4.5, 5.5) << QPointF(8.5, 1.5) << QPointF(8.5, 13.5)
            << QPointF(4.5, 9.5) << QPointF(1.5, 9.5);
    p.drawPolygon(speaker);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 4.5, 5, 6), -60 * 16, 120 * 16);
    p.drawArc(QRectF(7, 2, 8, 11), -60 * 16, 120 * 16);
}

void DrawDemoInfo(QPainter& p) {
    Page(p, 2.5, 1.5, 11, 12);
    p.setPen(kBlue);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.drawText(QRectF(2.5, 2.5, 11, 11), Qt::AlignCenter, QStringLiteral("i"));
}

void DrawAddMessage(QPainter& p) {
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 3.5, 10, 7));
    p.drawLine(QPointF(1.5, 3.5), QPointF(6.5, 7.5));
    p.drawLine(QPointF(11.5, 3.5), QPointF(6.5, 7.5));
    p.setPen(QPen(QColor(0, 140, 0), 2));
    p.drawLine(QPointF(12.5, 8), QPointF(12.5, 14));
    p.drawLine(QPointF(9.5, 11), QPointF(15.5, 11));
}

void DrawPaletteShift(QPainter& p) {
    const QColor bars[] = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(QRectF(1.5 + 5 * i, 1.5 + 2 * (2 - i), 3.5, 12 - 2 * (2 - i)));
    }
}

void DrawSmoothCamera(QPainter& p) {
    p.setBrush(kShade);
    p.drawRect(QRectF(1.5, 7.5, 8, 6));
    p.drawPolygon(QPolygonF() << QPointF(9.5, 9.5) << QPointF(12.5, 8) << QPointF(12.5, 13)
                              << QPointF(9.5, 11.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 0, 0), 1.2));
    QPainterPath curve;
    curve.moveTo(1, 5);
    curve.cubicTo(5, -1, 10, 8, 15, 2);
    p.drawPath(curve);
}

void Draw(QPainter& p, ToolbarGlyph glyph) {
    switch (glyph) {
    case ToolbarGlyph::New:
        return DrawNew(p);
    case ToolbarGlyph::Open:
        return DrawOpen(p);
    case ToolbarGlyph::Save:
        return DrawSave(p);
    case ToolbarGlyph::Cut:
        return DrawCut(p);
    case ToolbarGlyph::Copy:
        return DrawCopy(p);
    case ToolbarGlyph::Paste:
        return DrawPaste(p);
    case ToolbarGlyph::About:
        return DrawAbout(p);
    case ToolbarGlyph::ContextHelp:
        return DrawContextHelp(p);
    case ToolbarGlyph::Preview3d:
        return DrawPreview3d(p);
    case ToolbarGlyph::VisibleEntities:
        return DrawVisibleEntities(p);
    case ToolbarGlyph::Models:
        return DrawModels(p);
    case ToolbarGlyph::Sounds:
        return DrawSounds(p);
    case ToolbarGlyph::DemoInfo:
        return DrawDemoInfo(p);
    case ToolbarGlyph::AddMessage:
        return DrawAddMessage(p);
    case ToolbarGlyph::PaletteShift:
        return DrawPaletteShift(p);
    case ToolbarGlyph::SmoothCamera:
        return DrawSmoothCamera(p);
    }
}

} // namespace

QIcon ToolbarIcon(ToolbarGlyph glyph) {
    QPixmap pixmap(kWidth * kScale, kHeight * kScale);
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1));
    Draw(painter, glyph);
    painter.end();
    return QIcon(pixmap);
}
