#include "overhead_view.h"

#include "doc_host.h"
#include "resource_pictures.h"
#include "tresk_view_form.h"

#include "demo/tresk_doc.h"
#include "editor/command_ids.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"
#include "preview/visible_entities.h"

#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZoomStep = 1.25;
// How far from a marker a click still picks it, in pixels.
constexpr double kPickRadius = 8;
// A press that moves less than this is a click, not a drag.
constexpr int kDragThreshold = 3;

const QColor kBackground(24, 28, 32);
const QColor kMarker(80, 200, 255);
const QColor kPlayerMarker(255, 200, 60);
const QColor kPicked(255, 80, 80);
const QColor kCamera(120, 255, 120);

// Floors low on the map draw darker than floors high up.
QColor OutlineColor(float z, const OverheadBounds&, float low, float high) {
    const float t = high > low ? (z - low) / (high - low) : 0.5f;
    const int v = 90 + static_cast<int>(std::clamp(t, 0.0f, 1.0f) * 120);
    return QColor(v, v, v);
}

} // namespace

COverheadView::COverheadView(DocHost& host, Ui& ui, QWidget* parent)
    : CView(host, parent), ui_(ui) {
    setObjectName(QStringLiteral("Template130"));
    setMinimumSize(320, 240);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    host.Doc().AddView(this);
    const auto shortcut = [this](const QKeySequence& keys, int id) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus), ID_2D_ZOOM_IN);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), ID_2D_ZOOM_IN);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), ID_2D_ZOOM_OUT);
}

COverheadView::~COverheadView() {
    Host().Doc().RemoveView(this);
}

void COverheadView::OnInitialUpdate() {
    formats::Bsp bsp;
    std::string error;
    if (LoadDemoMap(Host().Doc(), bsp, error)) {
        outline_ = FloorOutline(bsp);
        bounds_ = BoundsOf(outline_);
        mapProblem_.clear();
    } else {
        mapProblem_ = QString::fromStdString(error);
    }
    transform_.SetViewport(width(), height());
    ShowCurrentBlock();
    if (bounds_.empty && frame_.valid) {
        // No map: fit what the frame shows.
        for (const OverheadMarker& m : frame_.entities) {
            bounds_.Add(m.x, m.y);
        }
        bounds_.Add(frame_.playerX, frame_.playerY);
    }
    transform_.Fit(bounds_);
    update();
}

std::optional<bool> COverheadView::CommandEnabled(int id) const {
    switch (id) {
    case ID_2D_ZOOM_IN:
    case ID_2D_ZOOM_OUT:
    case ID_2D_TRACK_ENTITY:
        return true;
    default:
        return std::nullopt;
    }
}

bool COverheadView::OnCommand(int id) {
    switch (id) {
    case ID_2D_ZOOM_IN:
        transform_.Zoom(kZoomStep);
        FollowTracked();
        update();
        return true;
    case ID_2D_ZOOM_OUT:
        transform_.Zoom(1 / kZoomStep);
        FollowTracked();
        update();
        return true;
    case ID_2D_TRACK_ENTITY:
        ToggleTracking();
        return true;
    default:
        return false;
    }
}

void COverheadView::ToggleTracking() {
    if (tracked_ != 0) {
        tracked_ = 0; // a second Track Entity lets go
        return;
    }
    uint16_t number = picked_;
    if (number == 0) {
        NumberDlgData asked;
        asked.number = 1;
        if (!ui_.RunNumberDlg(asked)) {
            return;
        }
        if (asked.number < 1 || asked.number > 1023) {
            ui_.ShowMessage("Please give an entity number from 1 to 1023.");
            return;
        }
        number = static_cast<uint16_t>(asked.number);
    }
    tracked_ = number;
    PickEntity(number);
    FollowTracked();
    update();
}

void COverheadView::OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>&) {
    if (hint == kHintRefresh) {
        ShowCurrentBlock();
        update();
    } else if (hint == kHintFeedPreview) {
        update(); // the entities' marks or notes changed
    }
}

QString COverheadView::MarkerLabel(uint16_t number) const {
    return QString::fromStdString(EntityLabel(Host().Doc(), number));
}

void COverheadView::PickEntity(uint16_t number) {
    picked_ = number;
    ShowCurrentBlock();
    Host().Doc().UpdateAllViews(this, kHintPickEntity, {number});
    update();
}

void COverheadView::ShowCurrentBlock() {
    CTreskDoc& doc = Host().Doc();
    // The editor's place and selection when it is open; else the document's current block.
    uint32_t block = 0;
    uint32_t count = 1;
    for (CView* v : Host().Views()) {
        if (auto* form = qobject_cast<CTreskViewForm*>(v)) {
            block = form->View().CurrentBlockNumber();
            count = std::max<uint32_t>(form->View().SelectionCount(), 1);
            break;
        }
    }
    if (block == 0 && doc.currentBlock != nullptr) {
        block = doc.NumberOf(doc.currentBlock);
    }
    frame_ = OverheadFrameAt(doc, block);
    trail_ = picked_ != 0 && count > 1 ? EntityTrail(doc, picked_, block, count)
                                       : std::vector<OverheadPoint>{};
    FollowTracked();
}

void COverheadView::FollowTracked() {
    if (tracked_ == 0) {
        return;
    }
    if (const OverheadMarker* m = FindMarker(frame_, tracked_)) {
        transform_.CenterOn(m->x, m->y);
    }
}

void COverheadView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto screen = [this](double x, double y) {
        double sx = 0;
        double sy = 0;
        transform_.ToScreen(x, y, sx, sy);
        return QPointF(sx, sy);
    };
    float low = 0;
    float high = 0;
    for (size_t k = 0; k < outline_.size(); ++k) {
        low = k == 0 ? outline_[k].z : std::min(low, outline_[k].z);
        high = k == 0 ? outline_[k].z : std::max(high, outline_[k].z);
    }
    for (const OverheadSegment& s : outline_) {
        p.setPen(QPen(OutlineColor(s.z, bounds_, low, high), 1));
        p.drawLine(screen(s.x0, s.y0), screen(s.x1, s.y1));
    }
    if (trail_.size() > 1) {
        QPainterPath path(screen(trail_.front().x, trail_.front().y));
        for (const OverheadPoint& pt : trail_) {
            path.lineTo(screen(pt.x, pt.y));
        }
        p.setPen(QPen(kPicked, 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    for (const OverheadMarker& m : frame_.entities) {
        const QPointF at = screen(m.x, m.y);
        const bool picked = m.number == picked_;
        const int mark = MarkOf(Host().Doc(), m.number);
        p.setPen(QPen(picked ? kPicked : Qt::black, picked ? 2 : 1));
        // A marked entity wears its mark's colour, as the visible-entities list shows it.
        p.setBrush(mark >= 0 ? EntityMarkColour(mark) : m.model == 255 ? kPlayerMarker : kMarker);
        p.drawEllipse(at, mark >= 0 ? 5 : 4, mark >= 0 ? 5 : 4);
        p.setPen(picked ? kPicked : QColor(200, 200, 200));
        p.drawText(at + QPointF(6, -4), MarkerLabel(m.number));
    }
    if (frame_.valid) {
        // The camera: a point and a line the way it looks.
        const QPointF at = screen(frame_.playerX, frame_.playerY);
        const double yaw = frame_.playerYaw * M_PI / 180;
        const QPointF ahead = at + QPointF(std::cos(yaw), -std::sin(yaw)) * 24;
        p.setPen(QPen(kCamera, 2));
        p.drawLine(at, ahead);
        p.setBrush(kCamera);
        p.drawEllipse(at, 5, 5);
    }
    p.setPen(QColor(220, 220, 220));
    if (!mapProblem_.isEmpty()) {
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   mapProblem_);
    } else if (tracked_ != 0) {
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop,
                   tr("Tracking entity %1").arg(tracked_));
    }
}

void COverheadView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    // Keep the middle where it was; the new window shows more or less around it.
    transform_.SetViewport(width(), height());
    FollowTracked();
}

void COverheadView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        return;
    }
    transform_.ZoomAt(std::pow(kZoomStep, steps), event->position().x(), event->position().y());
    FollowTracked();
    update();
    event->accept();
}

void COverheadView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragFrom_ = event->position().toPoint();
    dragging_ = true;
    dragged_ = false;
}

void COverheadView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    const QPoint now = event->position().toPoint();
    const QPoint d = now - dragFrom_;
    if (!dragged_ && d.manhattanLength() < kDragThreshold) {
        return;
    }
    dragged_ = true;
    tracked_ = 0; // dragging the map away lets go of the tracked entity
    transform_.PanBy(d.x(), d.y());
    dragFrom_ = now;
    update();
}

void COverheadView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = false;
    if (!dragged_) {
        const uint16_t number =
            EntityAt(transform_, frame_, event->position().x(), event->position().y(), kPickRadius);
        if (number != 0) {
            PickEntity(number);
        }
    }
}
