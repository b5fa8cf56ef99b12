// The 2D overhead view (template 130): the map of the demo seen from above with every entity
// of the current frame, the player's position and view direction, and the trail of the
// picked entity over the editor's selection. It follows the editor's current block through
// the document's update broadcast; the wheel and Ctrl+plus/minus zoom, dragging pans, Track
// Entity keeps the picked entity centred, a click picks an entity for every view, and
// the marks and notes of the visible-entities list show on the markers.
#pragma once

#include "view.h"

#include "demo/document_view.h"
#include "preview/overhead_map.h"
#include "preview/overhead_scene.h"
#include "preview/overhead_transform.h"

#include <QPoint>

class Ui;

class COverheadView : public CView, public DocumentView {
    Q_OBJECT
  public:
    COverheadView(DocHost& host, Ui& ui, QWidget* parent = nullptr);
    ~COverheadView() override;

    // Reads the demo's map (saying in the window why when it cannot), fits it to the window
    // and shows the current block.
    void OnInitialUpdate() override;
    std::optional<bool> CommandEnabled(int id) const override;
    // Zoom IN, Zoom OUT and Track Entity.
    bool OnCommand(int id) override;
    void OnUpdate(DocumentView* sender, int hint, const std::vector<uint32_t>& values) override;

    const OverheadTransform& Transform() const { return transform_; }
    const OverheadFrame& Frame() const { return frame_; }
    const std::vector<OverheadSegment>& Outline() const { return outline_; }
    const std::vector<OverheadPoint>& Trail() const { return trail_; }
    // Why no map shows; empty when it does.
    const QString& MapProblem() const { return mapProblem_; }
    uint16_t PickedEntity() const { return picked_; }
    uint16_t TrackedEntity() const { return tracked_; }
    // What stands beside an entity's marker: its number, and its mark and description from
    // the visible-entities list when it has them. A marked entity's marker wears the mark's
    // colour.
    QString MarkerLabel(uint16_t number) const;
    // Picks an entity as a click does: the trail follows it and every view hears of it.
    void PickEntity(uint16_t number);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void ShowCurrentBlock();
    void FollowTracked();
    void ToggleTracking();

    Ui& ui_;
    OverheadTransform transform_;
    std::vector<OverheadSegment> outline_;
    OverheadBounds bounds_;
    OverheadFrame frame_;
    std::vector<OverheadPoint> trail_;
    QString mapProblem_;
    uint16_t picked_ = 0;
    uint16_t tracked_ = 0;
    QPoint dragFrom_;
    bool dragging_ = false;
    bool dragged_ = false;
};
