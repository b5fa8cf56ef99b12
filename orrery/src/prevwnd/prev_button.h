// The preview window's control buttons: a 13 x 11 picture drawn in code on the button face,
// a raised frame while the cursor is over it and a sunken one while it is pressed.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

class CPrevButton : public QAbstractButton {
  public:
    // `picture`: 0 stop, 1 go to start, 2 step back, 3 play, 4 step forward, 5 go to end,
    // 6 go to playback position.
    CPrevButton(int picture, QWidget* parent);

    bool IsHovered() const { return m_bHover; }
    // The 13 x 11 picture of a button: black symbols on the button colour.
    static QPixmap Picture(int picture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap m_picture;
    bool m_bHover = false;
};
