// The search report window: opened by Advanced Search over its options dialog, its colours and
// columns, and its double click, S and Del on the demo; rows the demo moved away from refuse.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "search_report_view.h"
#include "tresk_view_form.h"

#include "demo/demo_block.h"
#include "demo/tresk_doc.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"
#include "editor/search_report_model.h"
#include "fx/demo_file_writer.h"
#include "fx/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

// Block 1 the serverdata; blocks 2 to 9 a print "line <n>" each, block 5 also a centre print.
QString WriteTextDemo(const QDir& folder) {
    fx::DemoFileWriter writer;
    writer.Block({fx::Msg::ServerData({})});
    for (int n = 2; n <= 9; ++n) {
        if (n == 5) {
            writer.Block({fx::Msg::Print(2, "line 5"), fx::Msg::CenterPrint("centre 5")});
        } else {
            writer.Block({fx::Msg::Print(2, "line " + std::to_string(n))});
        }
    }
    const QString path = folder.filePath(QStringLiteral("text.dm2"));
    fx::WriteBytes(path.toStdString(), writer.ToBytes());
    return path;
}

class SearchReportWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        StoreNormalSettings();
        ASSERT_TRUE(dir_.isValid());
        demo_ = WriteTextDemo(QDir(dir_.path()));
    }
    void TearDown() override {
        ClearModalAnswers();
        ResetSettings();
    }
    // Advanced Search with console output checked; the report window it opens.
    static CSearchReportView* OpenReport(RunningApp& app) {
        OnNextModal([](QWidget* dlg) {
            ASSERT_EQ(dlg->objectName(), "192");
            auto* console = dlg->findChild<QCheckBox*>(QStringLiteral("1139"));
            ASSERT_NE(console, nullptr);
            EXPECT_EQ(console->text(), "Console/Screen Output");
            EXPECT_NE(dlg->findChild<QCheckBox*>(QStringLiteral("1138")), nullptr);
            EXPECT_NE(dlg->findChild<QLineEdit*>(QStringLiteral("1136")), nullptr);
            console->setChecked(true);
            PressButton(dlg, QDialogButtonBox::Ok);
        });
        EXPECT_TRUE(app.Frame().ExecuteCommand(ID_SEARCH_ADVANCED));
        EXPECT_EQ(PendingModalAnswers(), 0);
        return qobject_cast<CSearchReportView*>(app.Frame().ActiveView());
    }
    static QString Cell(const CSearchReportView& report, int row, int column) {
        return report.Table()->model()->index(row, column).data().toString();
    }
    static void SelectRows(CSearchReportView& report, std::initializer_list<int> rows) {
        QItemSelectionModel* selection = report.Table()->selectionModel();
        selection->clearSelection();
        for (int row : rows) {
            selection->select(report.Table()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    QTemporaryDir dir_;
    QString demo_;
};

TEST_F(SearchReportWindowTest, ListsTheConsoleOutputWithItsColoursAndColumns) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CSearchReportView* report = OpenReport(app);
    ASSERT_NE(report, nullptr);
    QTableView* table = report->Table();
    const QStringList titles = {"Message ", "Text Match Found                        ", "Block #",
                                "Message #"};
    ASSERT_EQ(table->model()->columnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(table->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        EXPECT_EQ(table->columnWidth(c),
                  table->horizontalHeader()->fontMetrics().horizontalAdvance(titles[c]) + 15);
    }
    EXPECT_EQ(table->palette().color(QPalette::Base), QColor(150, 175, 175));
    ASSERT_EQ(table->model()->rowCount(), 9); // the last block's print too
    const QModelIndex centre = table->model()->index(4, 1);
    EXPECT_EQ(centre.data().toString(), "centre 5");
    EXPECT_EQ(Cell(*report, 4, 0), "centerprint");
    EXPECT_EQ(Cell(*report, 4, 2), "5");
    EXPECT_EQ(Cell(*report, 4, 3), "2");
    EXPECT_EQ(centre.data(Qt::BackgroundRole).value<QColor>(), QColor(50, 50, 50));
    EXPECT_EQ(centre.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 200, 0));
    EXPECT_EQ(centre.data(Qt::UserRole).toUInt(), 5u);
    EXPECT_EQ(Cell(*report, 8, 1), "line 9");
}

TEST_F(SearchReportWindowTest, DoubleClickSAndDelActOnTheDemo) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    CTreskView& view = form->View();
    CSearchReportView* report = OpenReport(app);
    ASSERT_NE(report, nullptr);
    QTableView* table = report->Table();

    // Double click on the centre print's row: the editor goes to block 5, message 2.
    const QRect cell = table->visualRect(table->model()->index(4, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(view.CurrentBlockNumber(), 5u);
    EXPECT_EQ(view.CurrentMessageNumber(), 2u);

    // S selects the blocks of the first to the last selected row.
    QAction* select = app.Frame().Action(ID_REPORT_SELECT_ITEMS);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->shortcut(), QKeySequence(Qt::Key_S));
    SelectRows(*report, {2, 6});
    select->trigger();
    EXPECT_EQ(view.CurrentBlockNumber(), 4u);
    EXPECT_EQ(view.SelectionCount(), 4u); // blocks 4 to 7

    // Del deletes the selected rows' messages: the centre print, and block 8's only print
    // (its block goes, and the row after it moves up a block).
    QAction* del = app.Frame().Action(ID_REPORT_DELETE_SELECTION);
    ASSERT_NE(del, nullptr);
    EXPECT_EQ(del->shortcut(), QKeySequence(Qt::Key_Delete));
    SelectRows(*report, {4, 7});
    del->trigger();
    CTreskDoc& doc = view.Document();
    EXPECT_EQ(doc.blockCount, 8u);
    EXPECT_EQ(doc.BlockAt(5)->MessageCount(), 1u);
    ASSERT_EQ(table->model()->rowCount(), 7);
    EXPECT_EQ(Cell(*report, 6, 1), "line 9");
    EXPECT_EQ(Cell(*report, 6, 2), "8");
    EXPECT_FALSE(report->Model().IsOutOfDate());
}

TEST_F(SearchReportWindowTest, RowsOutOfDateRefuseUntilUpdate) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskView& view = app.ActiveForm()->View();
    CSearchReportView* report = OpenReport(app);
    ASSERT_NE(report, nullptr);
    // Blocks 3 and 4 go as blocks, which the rows do not follow.
    view.OnUpdate(nullptr, kHintSelectBlocks, {3, 4});
    view.OnEditDeleteBlocks();
    ASSERT_EQ(view.Document().blockCount, 7u);
    EXPECT_TRUE(report->Model().IsOutOfDate());
    const uint32_t at = view.CurrentBlockNumber();
    SelectRows(*report, {5});
    {
        ModalRecorder boxes;
        report->OnCommand(ID_REPORT_SELECT_ITEMS);
        report->OnCommand(ID_REPORT_DELETE_SELECTION);
        ProcessEvents();
        ASSERT_EQ(boxes.Texts().size(), 2);
        EXPECT_EQ(boxes.Texts().front(), QString::fromLatin1(kReportOutOfDateText));
    }
    EXPECT_EQ(view.Document().blockCount, 7u);
    EXPECT_EQ(view.CurrentBlockNumber(), at);
    EXPECT_TRUE(report->OnCommand(ID_REPORT_UPDATE));
    EXPECT_FALSE(report->Model().IsOutOfDate());
    EXPECT_EQ(report->Table()->model()->rowCount(), 7);
    EXPECT_EQ(Cell(*report, 1, 1), "line 5");
    EXPECT_EQ(Cell(*report, 1, 2), "3");
}

} // namespace
