#include "window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace window_arrangement {

namespace {

QSize AreaSize(const QMdiArea& area) {
    return area.viewport()->size();
}

} // namespace

bool StaysInArea(const QMdiArea& area, QPoint at) {
    // Enough of the window stays inside to show its caption and grab it.
    const int margin = CascadeStep(area) * 4;
    const QSize room = AreaSize(area);
    return at.x() + margin <= room.width() && at.y() + margin <= room.height();
}

int CascadeStep(const QMdiArea& area) {
    // One title bar: each window's caption stays visible below the one before.
    const int titleBar = area.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return std::max(titleBar, 16) + 4;
}

QPoint NewFramePosition(const QMdiArea& area, const QMdiSubWindow* previous) {
    if (previous == nullptr || previous->isMaximized() || previous->isMinimized()) {
        return {0, 0};
    }
    const QPoint next = previous->pos() + QPoint(CascadeStep(area), CascadeStep(area));
    return StaysInArea(area, next) ? next : QPoint(0, 0);
}

void Cascade(QMdiArea& area) {
    const QList<QMdiSubWindow*> frames = area.subWindowList(QMdiArea::StackingOrder);
    const int step = CascadeStep(area);
    const QSize room = AreaSize(area);
    int index = 0;
    for (QMdiSubWindow* frame : frames) {
        if (frame->isMinimized()) {
            continue;
        }
        if (frame->isMaximized()) {
            frame->showNormal();
        }
        QPoint at(step * index, step * index);
        // A cascade that would leave the area starts again at the corner.
        if (!StaysInArea(area, at)) {
            index = 0;
            at = QPoint(0, 0);
        }
        const QSize size(std::max(std::min(frame->width(), room.width() - at.x()),
                                  frame->minimumSizeHint().width()),
                         std::max(std::min(frame->height(), room.height() - at.y()),
                                  frame->minimumSizeHint().height()));
        frame->setGeometry(QRect(at, size));
        frame->raise();
        ++index;
    }
}

void Tile(QMdiArea& area, TileDirection direction) {
    QList<QMdiSubWindow*> frames;
    for (QMdiSubWindow* frame : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!frame->isMinimized()) {
            frames.append(frame);
        }
    }
    const QSize room = AreaSize(area);
    const int n = static_cast<int>(frames.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* frame = frames[i];
        if (frame->isMaximized()) {
            frame->showNormal();
        }
        const QRect tile =
            direction == TileDirection::Horizontal
                ? QRect(0, room.height() * i / n, room.width(),
                        room.height() * (i + 1) / n - room.height() * i / n)
                : QRect(room.width() * i / n, 0, room.width() * (i + 1) / n - room.width() * i / n,
                        room.height());
        frame->setGeometry(tile);
    }
}

} // namespace window_arrangement
