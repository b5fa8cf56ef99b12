// The editor's child window: it keeps the size of its form, with no sizing border and no
// maximise box.
#pragma once

#include <QMdiSubWindow>

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    explicit CChildFrame(QWidget* parent = nullptr);
    // Fits the window to its view and fixes that size.
    void FitToView();
};
