// The visible-entities window, offscreen: opened from the View menu on a demo, its columns,
// images and menu, marking by a click on a row's state image or a double click (the main
// window's icon follows, and Undo takes a mark back), Enter's description dialog, the row the
// overhead view picks, texts cut to their column, and the marks on the overhead markers.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "overhead_view.h"
#include "tresk_view_form.h"
#include "vis_ents_view.h"

#include "demo/tresk_doc.h"
#include "editor/command_ids.h"
#include "editor/tresk_view.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

QImage Plain(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

class VisEntsViewTest : public GameDemoTest {
  protected:
    VisEntsViewTest() : GameDemoTest(40) {}
    static CVisEntsView* OpenList(RunningApp& app) {
        EXPECT_TRUE(app.Frame().ExecuteCommand(ID_VIEW_VISIBLE_ENTITIES));
        ProcessEvents();
        return qobject_cast<CVisEntsView*>(app.Frame().ActiveView());
    }
    static QString Cell(const CVisEntsView& view, int row, int column) {
        return view.List()->model()->index(row, column).data().toString();
    }
};

TEST_F(VisEntsViewTest, OpensOnTheEditorsBlockWithItsColumnsImagesAndMenu) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskView& editor = app.ActiveForm()->View();
    editor.OnCommand(IDC_NEXT_BLOCK);
    CVisEntsView* view = OpenList(app);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), "Template132");
    EXPECT_EQ(app.Frame().ActiveMenuId(), 132);
    const QList<QKeySequence> enter = app.Frame().Action(ID_ENTITY_EDIT_DESCRIPTION)->shortcuts();
    EXPECT_TRUE(enter.contains(QKeySequence(Qt::Key_Return)));

    QTreeView* list = view->List();
    const QStringList headings = {"Entity #", "Model #", "Filename", "Description (ENTER to edit)"};
    const int widths[] = {72, 52, 230, 230};
    ASSERT_EQ(list->model()->columnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        EXPECT_EQ(list->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    ASSERT_EQ(view->Images().size(), 11);
    ASSERT_EQ(view->StateImages().size(), 2);
    EXPECT_EQ(view->Images()[10].size(), QSize(16, 16));

    // The rows are the model's, as the columns show them, entity numbers as item data.
    const std::vector<VisibleEntityRow>& rows = view->Model().Rows();
    ASSERT_GT(rows.size(), 1u);
    ASSERT_EQ(list->model()->rowCount(), static_cast<int>(rows.size()));
    for (int r = 0; r < list->model()->rowCount(); ++r) {
        EXPECT_EQ(Cell(*view, r, 0), QString::number(rows[r].number));
        EXPECT_EQ(list->model()->index(r, 0).data(Qt::UserRole).toUInt(), rows[r].number);
        EXPECT_EQ(Cell(*view, r, 1), QString::number(rows[r].modelIndex));
        EXPECT_EQ(Cell(*view, r, 2), QString::fromStdString(rows[r].modelName));
    }
    EXPECT_EQ(Cell(*view, list->model()->rowCount() - 1, 2), "NONE");
    EXPECT_EQ(list->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter,
              Qt::AlignHCenter);

    // The editor moves on: the list follows.
    const QString first = Cell(*view, 0, 0);
    for (int k = 0; k < 5; ++k) {
        editor.OnCommand(IDC_NEXT_BLOCK);
    }
    EXPECT_EQ(view->Model().Rows().size(), static_cast<size_t>(list->model()->rowCount()));
    EXPECT_FALSE(list->grab().isNull());
}

TEST_F(VisEntsViewTest, MarkingByStateImageOrDoubleClickChangesTheWindowIconAndUndoes) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    DocHost* host = app.Frame().ActiveHost();
    app.ActiveForm()->View().OnCommand(IDC_NEXT_BLOCK);
    CVisEntsView* view = OpenList(app);
    ASSERT_NE(view, nullptr);
    view->resize(700, 400);
    ProcessEvents();
    QTreeView* list = view->List();
    ASSERT_GT(list->model()->rowCount(), 2);

    // A click on row 0's state image takes mark 0: its images, the main window's icon.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, view->StateImagePoint(0));
    EXPECT_EQ(view->Model().Rows()[0].mark, 0);
    const uint16_t entity = view->Model().Rows()[0].number;
    EXPECT_EQ(host->Doc().entityNotes[entity].marker, 0);
    EXPECT_EQ(Plain(app.Frame().windowIcon().pixmap(16, 16)), Plain(view->Images()[0]));
    EXPECT_TRUE(host->IsModified());
    EXPECT_EQ(host->UndoStack()->undoText(), QString("Mark entity %1").arg(entity));

    // A double click elsewhere on row 1 takes the next mark.
    const QRect cell = list->visualRect(list->model()->index(1, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(view->Model().Rows()[1].mark, 1);
    EXPECT_EQ(Plain(app.Frame().windowIcon().pixmap(16, 16)), Plain(view->Images()[1]));

    // Unmarking takes the mark's icon away.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, view->StateImagePoint(0));
    EXPECT_EQ(view->Model().Rows()[0].mark, -1);
    EXPECT_NE(Plain(app.Frame().windowIcon().pixmap(16, 16)), Plain(view->Images()[1]));
    EXPECT_NE(Plain(app.Frame().windowIcon().pixmap(16, 16)), Plain(view->Images()[0]));

    // Undo gives the mark back, and the list shows it.
    host->UndoStack()->undo();
    ProcessEvents();
    EXPECT_EQ(host->Doc().entityNotes[entity].marker, 0);
    EXPECT_EQ(view->Model().Rows()[0].mark, 0);

    // Closing the list takes the mark's icon off the main window.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, view->StateImagePoint(2));
    const QPixmap marked = view->Images()[view->Model().Rows()[2].mark];
    EXPECT_EQ(Plain(app.Frame().windowIcon().pixmap(16, 16)), Plain(marked));
    view->parentWidget()->close();
    ProcessEvents();
    EXPECT_NE(Plain(app.Frame().windowIcon().pixmap(16, 16)), Plain(marked));
}

TEST_F(VisEntsViewTest, EnterEditsTheDescriptionOfTheFirstSelectedRow) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    DocHost* host = app.Frame().ActiveHost();
    CVisEntsView* view = OpenList(app);
    ASSERT_NE(view, nullptr);
    QTreeView* list = view->List();
    ASSERT_GT(list->model()->rowCount(), 2);
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const uint16_t entity = view->Model().Rows()[1].number;

    OnNextModal([](QWidget* dlg) {
        EXPECT_EQ(dlg->objectName(), "211");
        EXPECT_EQ(dlg->windowTitle(), "Entity Description");
        TypeInto(dlg, "1033", QStringLiteral("the red one"));
        PressButton(dlg, QDialogButtonBox::Ok);
    });
    app.Frame().Action(ID_ENTITY_EDIT_DESCRIPTION)->trigger();
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(Cell(*view, 1, 3), "the red one");
    EXPECT_EQ(host->Doc().entityNotes[entity].description, "the red one");

    // The dialog opens on the description; Cancel keeps it.
    QString preset;
    OnNextModal([&preset](QWidget* dlg) {
        preset = dlg->findChild<QLineEdit*>(QStringLiteral("1033"))->text();
        TypeInto(dlg, "1033", QStringLiteral("lost"));
        PressButton(dlg, QDialogButtonBox::Cancel);
    });
    EXPECT_TRUE(view->OnCommand(ID_ENTITY_EDIT_DESCRIPTION));
    EXPECT_EQ(preset, "the red one");
    EXPECT_EQ(Cell(*view, 1, 3), "the red one");

    // The Enter key in the list runs the command. (The offscreen platform gives the
    // activation back only when asked, after a dialog.)
    QApplication::setActiveWindow(&app.Frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app.Frame()));
    list->setFocus();
    OnNextModal([](QWidget* dlg) {
        TypeInto(dlg, "1033", QStringLiteral("typed"));
        PressButton(dlg, QDialogButtonBox::Ok);
    });
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(Cell(*view, 1, 3), "typed");
}

TEST_F(VisEntsViewTest, TheOverheadViewsPickSelectsTheRowAndItsMarkersShowTheNotes) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    DocHost* host = app.Frame().ActiveHost();
    app.ActiveForm()->View().OnCommand(IDC_NEXT_BLOCK);
    CVisEntsView* view = OpenList(app);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_VIEW_2D_OVERHEAD));
    ProcessEvents();
    auto* overhead = qobject_cast<COverheadView*>(app.Frame().ActiveView());
    ASSERT_NE(overhead, nullptr);
    ASSERT_FALSE(overhead->Frame().entities.empty());

    // An entity the block sends (the list's rows) and the frame shows (the markers).
    std::optional<size_t> row;
    uint16_t entity = 0;
    for (size_t r = 0; r < view->Model().Rows().size() && !row; ++r) {
        entity = view->Model().Rows()[r].number;
        if (entity != 0 && FindMarker(overhead->Frame(), entity) != nullptr) {
            row = r;
        }
    }
    ASSERT_TRUE(row);
    overhead->PickEntity(entity);
    const QModelIndexList selected = view->List()->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), static_cast<int>(*row));

    EXPECT_EQ(overhead->MarkerLabel(entity), QString::number(entity));
    view->Model().ToggleMark(*row);
    host->Doc().entityNotes[entity].description = "target";
    EXPECT_EQ(overhead->MarkerLabel(entity), QString("%1 [mark 0] target").arg(entity));
    EXPECT_FALSE(overhead->grab().isNull());
}

TEST(VisEntsText, ATextIsCutToItsColumnWithDotsAtItsEnd) {
    const QFont font;
    const QFontMetrics metrics(font);
    const QString name = QStringLiteral("models/monsters/a_rather_long_directory_name/"
                                        "and_a_longer_model_file_name_still/tris.md2");
    ASSERT_GT(metrics.horizontalAdvance(name), 230);
    const QString cut = CVisEntsView::FitText(name, metrics, 230);
    EXPECT_TRUE(cut.endsWith("...")) << cut.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(cut), 230);
    EXPECT_TRUE(name.startsWith(cut.left(cut.size() - 3)));
    // One character more would not fit.
    EXPECT_GT(metrics.horizontalAdvance(name.left(cut.size() - 2) + "..."), 230);
    EXPECT_EQ(CVisEntsView::FitText(QStringLiteral("NONE"), metrics, 230), "NONE");
    // However narrow the column, one character stays.
    EXPECT_EQ(CVisEntsView::FitText(name, metrics, 2), "m...");
}

} // namespace
