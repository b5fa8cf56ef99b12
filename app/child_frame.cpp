#include "child_frame.h"

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
}

void CChildFrame::FitToView() {
    adjustSize();
    setFixedSize(sizeHint());
}
