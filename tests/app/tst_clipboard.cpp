// The block buffer and Add New Message in the program: the Edit commands' enabled state follows
// the one buffer every demo window shares, blocks move between demos, the "Message Type"
// dialog selects by prefix, and a save that could not do everything exactly says so.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "message_type_dlg.h"
#include "qt_ui.h"
#include "tresk_view_form.h"

#include "demo/demo_block.h"
#include "demo/demo_message.h"
#include "demo/demo_saver.h"
#include "demo/svc.h"
#include "demo/tresk_doc.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"
#include "fx/game_demo_builder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class ClipboardTest : public GameDemoTest {
  protected:
    ClipboardTest() : GameDemoTest(60) {}

    static QString Selection(uint32_t first, uint32_t last, uint32_t total) {
        return QStringLiteral("%1/%3 - %2/%3").arg(first).arg(last).arg(total);
    }

    // Answers "Block Selection" with a count of blocks.
    static void AnswerSelectionCount(int count) {
        OnNextModal([count](QWidget* dlg) {
            ASSERT_EQ(dlg->objectName(), "187");
            TypeInto(dlg, "1124", QString::number(count));
            PressButton(dlg, QDialogButtonBox::Ok);
        });
    }

    // The state the Edit menu and toolbar show for the buffer's two commands.
    static void ExpectBufferCommands(CMainFrame& frame, bool enabled) {
        for (int id : {ID_EDIT_PASTE, ID_EDIT_CLEAR_BUFFER}) {
            EXPECT_EQ(frame.IsCommandEnabled(id), enabled) << id;
            EXPECT_EQ(frame.Action(id)->isEnabled(), enabled) << id;
        }
    }
};

QMdiSubWindow* FrameOf(DocHost& host) {
    QWidget* w = host.Views().front();
    while (w != nullptr && qobject_cast<QMdiSubWindow*>(w) == nullptr) {
        w = w->parentWidget();
    }
    return static_cast<QMdiSubWindow*>(w);
}

int RowOf(const QListWidget& list, const QString& name) {
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->text() == name) {
            return row;
        }
    }
    return -1;
}

QString SelectedName(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.size() == 1 ? selected.front()->text() : QString();
}

} // namespace

TEST_F(ClipboardTest, CopyPasteAndClearBufferThroughMenusAndKeys) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    CTreskDoc& doc = form->View().Document();
    const uint32_t total = doc.blockCount;
    const uint32_t first = form->View().CurrentBlockNumber();

    // The editor's keys for the three commands, the framework's second keys included.
    const auto keys = [&frame](int id) { return frame.Action(id)->shortcuts(); };
    EXPECT_TRUE(keys(ID_EDIT_COPY).contains(QKeySequence(Qt::CTRL | Qt::Key_C)));
    EXPECT_TRUE(keys(ID_EDIT_COPY).contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
    EXPECT_TRUE(keys(ID_EDIT_CUT).contains(QKeySequence(Qt::CTRL | Qt::Key_X)));
    EXPECT_TRUE(keys(ID_EDIT_CUT).contains(QKeySequence(Qt::SHIFT | Qt::Key_Delete)));
    EXPECT_TRUE(keys(ID_EDIT_PASTE).contains(QKeySequence(Qt::CTRL | Qt::Key_V)));
    EXPECT_TRUE(keys(ID_EDIT_PASTE).contains(QKeySequence(Qt::SHIFT | Qt::Key_Insert)));

    // Nothing to paste yet: Paste and Clear Buffer are disabled, and refuse to run.
    ExpectBufferCommands(frame, false);
    EXPECT_FALSE(frame.ExecuteCommand(ID_EDIT_PASTE));
    EXPECT_EQ(doc.blockCount, total);

    // Copy three blocks from the menu: the demo is unchanged and Paste comes alive.
    AnswerSelectionCount(3);
    app.Click(IDC_SELECT);
    ASSERT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first, first + 2, total));
    frame.Action(ID_EDIT_COPY)->trigger();
    EXPECT_EQ(doc.blockCount, total);
    EXPECT_EQ(app.App().BlockBuffer().Count(), 3u);
    ExpectBufferCommands(frame, true);

    // Shift+Insert pastes them after the current block; the first pasted block is shown alone.
    // (The offscreen platform gives the activation back only when asked, after the dialog.)
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(doc.blockCount, total + 3);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first + 1, first + 1, total + 3));
    // The buffer keeps its blocks: Ctrl+V pastes them once more.
    QTest::keyClick(&frame, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(doc.blockCount, total + 6);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first + 2, first + 2, total + 6));
    ExpectBufferCommands(frame, true);

    // Clear Buffer empties it; Paste is refused again and pastes nothing.
    ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_CLEAR_BUFFER));
    EXPECT_FALSE(app.App().BlockBuffer().HasBlocks());
    ExpectBufferCommands(frame, false);
    QTest::keyClick(&frame, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(frame.ExecuteCommand(ID_EDIT_PASTE));
    EXPECT_EQ(doc.blockCount, total + 6);
    EXPECT_EQ(PendingModalAnswers(), 0);
}

// One buffer for the whole program: blocks cut in one demo's window paste into another's,
// and every window's Paste follows the buffer.
TEST_F(ClipboardTest, BlocksCutInOneDemoPasteIntoAnother) {
    const QString other = WriteGameDemo(QDir(dir_.path()), QStringLiteral("other.dm2"), 40, 11);
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    DocHost* source = frame.ActiveHost();
    ASSERT_NE(source, nullptr);
    DocHost* target = app.App().OpenDocumentFile(other);
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(frame.ActiveHost(), target);
    ExpectBufferCommands(frame, false);

    frame.ActivateFrame(FrameOf(*source));
    ASSERT_EQ(frame.ActiveHost(), source);
    const uint32_t sourceTotal = source->Doc().blockCount;
    const uint32_t targetTotal = target->Doc().blockCount;
    const uint32_t first = app.ActiveForm()->View().CurrentBlockNumber();
    AnswerSelectionCount(2);
    app.Click(IDC_SELECT);
    ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_CUT));
    EXPECT_EQ(source->Doc().blockCount, sourceTotal - 2);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first, first, sourceTotal - 2));
    ExpectBufferCommands(frame, true);

    // The other demo's window, activated, offers Paste at once.
    frame.ActivateFrame(FrameOf(*target));
    ASSERT_EQ(frame.ActiveHost(), target);
    ExpectBufferCommands(frame, true);
    const uint32_t at = app.ActiveForm()->View().CurrentBlockNumber();
    ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_PASTE));
    EXPECT_EQ(target->Doc().blockCount, targetTotal + 2);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(at + 1, at + 1, targetTotal + 2));
    EXPECT_EQ(source->Doc().blockCount, sourceTotal - 2);

    // Clearing in this window disables Paste in the first one too.
    ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_CLEAR_BUFFER));
    frame.ActivateFrame(FrameOf(*source));
    ASSERT_EQ(frame.ActiveHost(), source);
    ExpectBufferCommands(frame, false);
    EXPECT_EQ(PendingModalAnswers(), 0);
}

TEST(MessageTypeDlgTest, TypingSelectsByPrefixAndOkGivesTheType) {
    CMessageTypeDlg dlg;
    EXPECT_EQ(dlg.objectName(), "179");
    EXPECT_EQ(dlg.windowTitle(), "Message Type");
    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1103"));
    auto* list = dlg.findChild<QListWidget*>(QStringLiteral("1102"));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(list, nullptr);

    // The entries in their sorted order, each carrying its type.
    const std::vector<MessageTypeEntry>& entries = MessageTypeEntries();
    ASSERT_EQ(list->count(), static_cast<int>(entries.size()));
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_EQ(list->item(row)->text().toStdString(), entries[row].name) << row;
        EXPECT_EQ(list->item(row)->data(Qt::UserRole).toInt(), entries[row].type) << row;
    }

    MessageTypeDlgData preset;
    preset.text = "Enter message type to ADD";
    dlg.SetData(preset);
    EXPECT_EQ(edit->text(), "Enter message type to ADD");
    EXPECT_TRUE(list->selectedItems().isEmpty()); // the prompt is no entry's prefix

    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    TypeInto(&dlg, "1103", QStringLiteral("sp"));
    EXPECT_EQ(SelectedName(*list), "spawnbaseline");
    // Upper case finds the same entry.
    TypeInto(&dlg, "1103", QStringLiteral("SPA"));
    EXPECT_EQ(SelectedName(*list), "spawnbaseline");
    // A text no entry begins with leaves the selection alone, letter after letter.
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("xyz"));
    EXPECT_EQ(edit->text(), "xyz");
    EXPECT_EQ(SelectedName(*list), "spawnbaseline");

    PressButton(&dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Data().chosenType, svc_spawnbaseline);
}

TEST(MessageTypeDlgTest, NothingSelectedGivesMinusOneAndDoubleClickIsOk) {
    {
        CMessageTypeDlg dlg;
        MessageTypeDlgData preset;
        preset.text = "zzz";
        preset.chosenType = 7;
        dlg.SetData(preset);
        PressButton(&dlg, QDialogButtonBox::Ok);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.Data().chosenType, -1);
    }
    {
        CMessageTypeDlg dlg;
        dlg.SetData(MessageTypeDlgData{});
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        auto* list = dlg.findChild<QListWidget*>(QStringLiteral("1102"));
        ASSERT_NE(list, nullptr);
        const int row = RowOf(*list, QStringLiteral("print"));
        ASSERT_GE(row, 0);
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // As the person does it: the first click of the two presses the entry.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.Data().chosenType, svc_print);
    }
}

// Through the Ui port: Cancel leaves the caller's data as it was.
TEST(MessageTypeDlgTest, CancelLeavesTheDataAlone) {
    QtUi ui;
    MessageTypeDlgData data;
    data.text = "Enter message type to ADD";
    data.chosenType = 3;
    OnNextModal([](QWidget* dlg) {
        EXPECT_EQ(dlg->objectName(), "179");
        TypeInto(dlg, "1103", QStringLiteral("print"));
        PressButton(dlg, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(ui.RunMessageTypeDlg(data));
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(data.text, "Enter message type to ADD");
    EXPECT_EQ(data.chosenType, 3);
    ClearModalAnswers();
}

TEST_F(ClipboardTest, AddNewMessageFromTheToolbarAppendsTheChosenType) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    DemoBlock* block = form->View().Document().currentBlock;
    const uint32_t count = block->MessageCount();
    ASSERT_TRUE(frame.ToolBar()->actions().contains(frame.Action(ID_TOOLS_ADD_MESSAGE)));

    // Cancel adds nothing.
    OnNextModal([](QWidget* dlg) { PressButton(dlg, QDialogButtonBox::Cancel); });
    frame.Action(ID_TOOLS_ADD_MESSAGE)->trigger();
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(block->MessageCount(), count);

    QString preset;
    OnNextModal([&preset](QWidget* dlg) {
        EXPECT_EQ(dlg->objectName(), "179");
        EXPECT_EQ(dlg->windowTitle(), "Message Type");
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("1103"));
        ASSERT_NE(edit, nullptr);
        preset = edit->text();
        TypeInto(dlg, "1103", QStringLiteral("print"));
        PressButton(dlg, QDialogButtonBox::Ok);
    });
    frame.Action(ID_TOOLS_ADD_MESSAGE)->trigger();
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(preset, "Enter message type to ADD");
    ASSERT_EQ(block->MessageCount(), count + 1);
    EXPECT_EQ(CTreskView::MessageByNumber(block, count + 1)->type, svc_print);
    EXPECT_EQ(app.Text(IDC_NUMBER_TEXT), QStringLiteral("%1/%1").arg(count + 1));
    EXPECT_EQ(app.Text(IDC_NAME_TEXT), "print");
}

// Blocks of a crowded game pasted into a quiet one: joining them needs more than a block's
// bytes, and the save says so after writing the file. A plain save says nothing.
TEST_F(ClipboardTest, ASaveThatCouldNotJoinEveryFrameExactlySaysSo) {
    fx::GameDemoOptions options;
    options.frames = 20;
    options.entities = 500;
    options.seed = 5;
    const QString crowded = QDir(dir_.path()).filePath(QStringLiteral("crowded.dm2"));
    fx::GameDemoBuilder(options).WriteFile(crowded.toStdString());

    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    DocHost* quiet = frame.ActiveHost();
    ASSERT_NE(quiet, nullptr);
    {
        ModalRecorder boxes;
        ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_SAVE));
        EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join(QLatin1Char('|')).toStdString();
    }

    DocHost* source = app.App().OpenDocumentFile(crowded);
    ASSERT_NE(source, nullptr);
    AnswerSelectionCount(3);
    app.Click(IDC_SELECT);
    ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_COPY));
    frame.ActivateFrame(FrameOf(*quiet));
    ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_PASTE));

    QString caption;
    QString text;
    OnNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        PressButton(box, QMessageBox::Ok);
    });
    const QString saved = QDir(dir_.path()).filePath(QStringLiteral("joined.dm2"));
    ASSERT_TRUE(app.App().SaveDocument(*quiet, saved));
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(caption, "Cinerad II");
    EXPECT_EQ(text.toStdString(), SaveReportText(quiet->Doc().lastSave));
    EXPECT_GT(quiet->Doc().lastSave.framesDiffering, 0u);
    EXPECT_EQ(quiet->PathName(), saved);
    EXPECT_TRUE(QFileInfo::exists(saved));
}
