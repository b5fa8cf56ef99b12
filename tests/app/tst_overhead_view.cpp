// The 2D overhead view in the program, offscreen: opened from the View menu on a demo, it
// follows the editor's block, stands its markers where the frame's records put the
// entities, zooms and pans as the mouse says, keeps a tracked entity centred and tells the
// other views which entity a click picked.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "overhead_view.h"
#include "tresk_view_form.h"

#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"
#include "editor/command_ids.h"
#include "editor/tresk_view.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace apptest;

namespace {

// Hears what the other views of a document are told.
struct HintSpy : DocumentView {
    std::vector<std::pair<int, std::vector<uint32_t>>> heard;
    void OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>& values) override {
        heard.emplace_back(hint, values);
    }
};

class OverheadViewTest : public GameDemoTest {
  protected:
    OverheadViewTest() : GameDemoTest(60) {}
    static COverheadView* OpenOverhead(RunningApp& app) {
        EXPECT_TRUE(app.Frame().ExecuteCommand(ID_VIEW_2D_OVERHEAD));
        ProcessEvents();
        QMdiSubWindow* sub = app.Frame().MdiArea()->currentSubWindow();
        return sub == nullptr ? nullptr : sub->findChild<COverheadView*>();
    }
    static QPoint ScreenOf(const COverheadView& view, float x, float y) {
        double sx = 0;
        double sy = 0;
        view.Transform().ToScreen(x, y, sx, sy);
        return QPoint(static_cast<int>(std::lround(sx)), static_cast<int>(std::lround(sy)));
    }
};

TEST_F(OverheadViewTest, MarkersFollowTheEditorsBlockWhereTheRecordsPutTheEntities) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskView& editor = app.ActiveForm()->View();
    editor.OnCommand(IDC_NEXT_BLOCK);
    const uint32_t block = editor.CurrentBlockNumber();
    COverheadView* view = OpenOverhead(app);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(app.Frame().ActiveMenuId(), 130);
    // No pak holds the generated demo's map: the window says so and still shows the frame.
    EXPECT_TRUE(view->MapProblem().contains("none of the pak files"))
        << view->MapProblem().toStdString();
    ASSERT_TRUE(view->Frame().valid);

    // Every entity the block's frame sends stands at its record's origin.
    const auto check = [&](uint32_t b) {
        const DemoBlock* at = app.App().Documents().front()->Doc().BlockAt(b);
        const FrameMessage* frame = FirstCompleteFrame(*at);
        ASSERT_NE(frame, nullptr);
        int sent = 0;
        ForEachFrameEntity(*frame, [&](const EntityState& e) {
            if (e.remove != 0) {
                return;
            }
            ++sent;
            const OverheadMarker* m = FindMarker(view->Frame(), e.number);
            ASSERT_NE(m, nullptr) << e.number;
            EXPECT_EQ(m->x, e.origin[0] / 8.0f);
            EXPECT_EQ(m->y, e.origin[1] / 8.0f);
        });
        EXPECT_GT(sent, 0);
        const PlayerInfoMessage* player = FramePlayer(*frame);
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(view->Frame().playerX, player->state.origin[0] / 8.0f);
    };
    check(block);
    // The editor moves on: the overhead view hears of it and shows the new frame.
    for (int k = 0; k < 5; ++k) {
        editor.OnCommand(IDC_NEXT_BLOCK);
    }
    check(editor.CurrentBlockNumber());
    view->resize(500, 400);
    view->update();
    const QImage shot = view->grab().toImage();
    EXPECT_FALSE(shot.isNull());
}

TEST_F(OverheadViewTest, ZoomPanTrackingAndPicking) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskView& editor = app.ActiveForm()->View();
    editor.OnCommand(IDC_NEXT_BLOCK);
    COverheadView* view = OpenOverhead(app);
    ASSERT_NE(view, nullptr);
    view->resize(600, 450);
    ProcessEvents();
    ASSERT_FALSE(view->Frame().entities.empty());

    // The wheel zooms about the mouse: the world point under it stays.
    const QPoint mouse(150, 120);
    double wx = 0;
    double wy = 0;
    view->Transform().ToWorld(mouse.x(), mouse.y(), wx, wy);
    const double scale = view->Transform().Scale();
    QWheelEvent wheel(mouse, view->mapToGlobal(mouse), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_NEAR(view->Transform().Scale(), scale * 1.25, 1e-9);
    EXPECT_EQ(ScreenOf(*view, static_cast<float>(wx), static_cast<float>(wy)), mouse);
    // Zoom OUT takes it back; Ctrl+= zooms in.
    view->OnCommand(ID_2D_ZOOM_OUT);
    EXPECT_NEAR(view->Transform().Scale(), scale, 1e-9);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_NEAR(view->Transform().Scale(), scale * 1.25, 1e-9);

    // Dragging moves the map with the mouse.
    const OverheadMarker first = view->Frame().entities.front();
    const QPoint before = ScreenOf(*view, first.x, first.y);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QTest::mouseMove(view, QPoint(340, 230));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(340, 230));
    EXPECT_EQ(ScreenOf(*view, first.x, first.y), before + QPoint(40, 30));

    // A click on a marker picks it and every other view hears which.
    HintSpy spy;
    CTreskDoc& doc = app.App().Documents().front()->Doc();
    doc.AddView(&spy);
    // A marker in the window, clear of its neighbours.
    const auto& markers = view->Frame().entities;
    const auto visible = std::find_if(markers.begin(), markers.end(), [&](const OverheadMarker& m) {
        const QPoint p = ScreenOf(*view, m.x, m.y);
        if (!view->rect().adjusted(10, 10, -10, -10).contains(p)) {
            return false;
        }
        return std::none_of(markers.begin(), markers.end(), [&](const OverheadMarker& o) {
            return o.number != m.number && (ScreenOf(*view, o.x, o.y) - p).manhattanLength() < 12;
        });
    });
    ASSERT_NE(visible, markers.end());
    const OverheadMarker target = *visible;
    const QPoint at = ScreenOf(*view, target.x, target.y);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(view->PickedEntity(), target.number);
    ASSERT_FALSE(spy.heard.empty());
    EXPECT_EQ(spy.heard.back().first, kHintPickEntity);
    EXPECT_EQ(spy.heard.back().second, std::vector<uint32_t>{target.number});

    // Track Entity centres the picked entity, and keeps it centred as the editor moves on.
    view->OnCommand(ID_2D_TRACK_ENTITY);
    EXPECT_EQ(view->TrackedEntity(), target.number);
    for (int k = 0; k < 4; ++k) {
        editor.OnCommand(IDC_NEXT_BLOCK);
        const OverheadMarker* m = FindMarker(view->Frame(), target.number);
        if (m != nullptr) {
            EXPECT_EQ(ScreenOf(*view, m->x, m->y), QPoint(300, 225));
        }
    }
    // With a selection, the trail follows the picked entity over it.
    editor.OnCommand(ID_EDIT_SELECT_ALL);
    EXPECT_GT(view->Trail().size(), 1u);
    view->OnCommand(ID_2D_TRACK_ENTITY); // lets go
    EXPECT_EQ(view->TrackedEntity(), 0);
    doc.RemoveView(&spy);
}

} // namespace
