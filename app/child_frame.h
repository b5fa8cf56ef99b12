// The editor's child window: it opens at the size its form asks for and can then be resized,
// maximised and minimised like any other window; a window smaller than the form scrolls it.
#pragma once

#include <QMdiSubWindow>

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    explicit CChildFrame(QWidget* parent = nullptr);
    // Sizes the window to what its view asks for, within the area it sits in.
    void FitToView();
};
