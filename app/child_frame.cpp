#include "child_frame.h"

#include <QMdiArea>

#include <algorithm>

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {}

void CChildFrame::FitToView() {
    QSize size = sizeHint();
    if (QMdiArea* area = mdiArea()) {
        // Never larger than the area: the form scrolls inside a smaller window.
        const QSize room = area->viewport()->size();
        if (room.width() > 0 && room.height() > 0) {
            size = size.boundedTo(room);
        }
    }
    resize(size.expandedTo(minimumSizeHint()));
}
