// The filmstrip: a dockable bar of the main frame with a row of small pictures of the demo,
// each captioned with the number of its block. It only displays; Refresh Filmstrip and a
// confirmed block selection fill it with captures of the 3D preview.
#pragma once

#include "preview/preview_ports.h"

#include <QDockWidget>
#include <QImage>

#include <vector>

class CFilmStripCells;

class CFilmStripBar : public QDockWidget, public FilmStrip {
  public:
    explicit CFilmStripBar(QWidget* parent = nullptr);

    // Sets the slot count and the cell size (the main frame: "FilmStrip", 10, 100 x 75);
    // every slot empty. Dockable on every side; a column when docked left or right.
    bool Create(const QString& name, int count, int frameWidth, int frameHeight);

    // Ignored unless 0 <= index < count; the bar keeps the picture.
    void SetFrame(int index, const QImage& thumbnail, int blockNumber);
    void ClearFrames() override;
    int GetFrameCount() const override { return static_cast<int>(frames_.size()); }
    void SetFrame(int index, PreviewImage image, int blockNumber) override;

    // Size of the strip: a row (count x width + 8, height + 8) or a column.
    QSize CalcFixedLayout(bool horizontal) const;
    bool IsHorizontal() const { return horizontal_; }
    // "%04d" of the slot's block number; empty for an empty slot.
    QString Caption(int index) const;
    bool HasFrame(int index) const;
    // The cells' widget (for pictures of the strip).
    QWidget* Cells() const;

  private:
    friend class CFilmStripCells;
    struct Frame {
        bool used = false;
        int block = 0;
        QImage thumbnail;
    };
    void Relayout();

    std::vector<Frame> frames_;
    int frameWidth_ = 100;
    int frameHeight_ = 75;
    bool horizontal_ = true;
    CFilmStripCells* cells_;
};
