#include "filmstrip_bar.h"

#include "qt_preview_window.h"

#include <QMainWindow>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr int kBorder = 4; // around the cells: the 8 extra pixels of the bar's size

} // namespace

// Paints the cells: each picture in a 2-pixel frame of the window-frame colour with its block
// number at the bottom, on the button face.
class CFilmStripCells : public QWidget {
  public:
    explicit CFilmStripCells(CFilmStripBar& bar) : QWidget(&bar), bar_(bar) {
        setObjectName(QStringLiteral("FilmStripCells"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor face = palette().color(QPalette::Button);
        const QColor frame = palette().color(QPalette::WindowText);
        p.fillRect(rect(), face);
        const int w = bar_.frameWidth_;
        const int h = bar_.frameHeight_;
        for (size_t i = 0; i < bar_.frames_.size(); ++i) {
            const CFilmStripBar::Frame& f = bar_.frames_[i];
            if (!f.used || f.thumbnail.isNull()) {
                continue;
            }
            const int k = static_cast<int>(i);
            const QPoint origin = bar_.horizontal_ ? QPoint(kBorder + k * w, kBorder)
                                                   : QPoint(kBorder, kBorder + k * h);
            const QRect cell(origin, QSize(w, h));
            p.fillRect(cell, frame);
            p.drawImage(QRect(origin + QPoint(2, 2), QSize(w - 4, h - 4)), f.thumbnail);
            const QString caption = bar_.Caption(k);
            const QRect text = p.fontMetrics().boundingRect(caption);
            const QRect box(cell.left() + (w - text.width()) / 2, cell.bottom() + 1 - text.height(),
                            text.width(), text.height());
            p.fillRect(box, face);
            p.setPen(frame);
            p.drawText(box, Qt::AlignCenter, caption);
        }
    }

  private:
    CFilmStripBar& bar_;
};

CFilmStripBar::CFilmStripBar(QWidget* parent)
    : QDockWidget(parent), cells_(new CFilmStripCells(*this)) {
    setObjectName(QStringLiteral("FilmStrip"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setWidget(cells_);
    connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
        horizontal_ = area != Qt::LeftDockWidgetArea && area != Qt::RightDockWidgetArea;
        Relayout();
    });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) {
            horizontal_ = true;
            Relayout();
        }
    });
}

bool CFilmStripBar::Create(const QString& name, int count, int frameWidth, int frameHeight) {
    if (count < 0 || frameWidth < 4 || frameHeight < 4) {
        return false;
    }
    setWindowTitle(name);
    frames_.assign(static_cast<size_t>(count), Frame{});
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    Relayout();
    return true;
}

QSize CFilmStripBar::CalcFixedLayout(bool horizontal) const {
    const int n = GetFrameCount();
    return horizontal ? QSize(n * frameWidth_ + 2 * kBorder, frameHeight_ + 2 * kBorder)
                      : QSize(frameWidth_ + 2 * kBorder, n * frameHeight_ + 2 * kBorder);
}

void CFilmStripBar::Relayout() {
    cells_->setFixedSize(CalcFixedLayout(horizontal_));
    cells_->update();
}

void CFilmStripBar::SetFrame(int index, const QImage& thumbnail, int blockNumber) {
    if (index < 0 || index >= GetFrameCount()) {
        return;
    }
    frames_[static_cast<size_t>(index)] = {true, blockNumber, thumbnail};
    cells_->update();
}

void CFilmStripBar::SetFrame(int index, PreviewImage image, int blockNumber) {
    SetFrame(index, ToQImage(image), blockNumber);
}

void CFilmStripBar::ClearFrames() {
    for (Frame& f : frames_) {
        f = Frame{};
    }
}

QString CFilmStripBar::Caption(int index) const {
    if (!HasFrame(index)) {
        return QString();
    }
    return QString::asprintf("%04d", frames_[static_cast<size_t>(index)].block);
}

bool CFilmStripBar::HasFrame(int index) const {
    return index >= 0 && index < GetFrameCount() && frames_[static_cast<size_t>(index)].used;
}

QWidget* CFilmStripBar::Cells() const {
    return cells_;
}
