// Undo in the program, and unsaved work kept safe: the title marks a changed demo, Undo and
// Redo are named after the command, the status line says what was done, and closing a demo or
// the program with changes asks Save, Discard or Cancel.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/tresk_doc.h"
#include "editor/command_ids.h"

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class UndoAndCloseTest : public GameDemoTest {
  protected:
    UndoAndCloseTest() : GameDemoTest(60) {}
    void TearDown() override {
        EXPECT_EQ(PendingModalAnswers(), 0);
        GameDemoTest::TearDown();
    }
    QByteArray FileBytes() const {
        QFile f(demo_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Deletes the selected block through the menu command.
    static void DeleteBlock(CMainFrame& frame) {
        ASSERT_TRUE(frame.ExecuteCommand(ID_EDIT_DELETE_BLOCKS));
    }
    // Answers the save question with one of its buttons.
    static void AnswerSaveQuestion(QMessageBox::StandardButton button, QString* text = nullptr) {
        OnNextModal([button, text](QWidget* box) {
            ASSERT_EQ(box->objectName(), "SaveChanges");
            if (text != nullptr) {
                *text = static_cast<QMessageBox*>(box)->text();
            }
            PressButton(box, button);
        });
    }
    static QString StatusText(CMainFrame& frame) {
        return frame.statusBar()->findChild<QLabel*>(QStringLiteral("MessagePane"))->text();
    }
};

TEST_F(UndoAndCloseTest, TheTitleUndoRedoAndStatusFollowEditsUndoAndSave) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    CTreskViewForm* form = app.ActiveForm();
    QMdiSubWindow* child = frame.MdiArea()->currentSubWindow();
    CTreskDoc& doc = form->View().Document();
    const uint32_t total = doc.blockCount;
    EXPECT_FALSE(child->isWindowModified());
    EXPECT_TRUE(child->windowTitle().endsWith("[*]"));
    EXPECT_FALSE(frame.Action(ID_EDIT_UNDO)->isEnabled());

    DeleteBlock(frame);
    EXPECT_EQ(doc.blockCount, total - 1);
    EXPECT_TRUE(child->isWindowModified());
    EXPECT_TRUE(frame.isWindowModified());
    EXPECT_EQ(StatusText(frame), "Delete 1 block");
    EXPECT_TRUE(frame.Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(frame.Action(ID_EDIT_UNDO)->text(), "&Undo Delete 1 block\tCtrl+Z");
    EXPECT_FALSE(frame.Action(ID_EDIT_REDO)->isEnabled());

    // The keys: Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo.
    const auto keys = [&frame](int id) { return frame.Action(id)->shortcuts(); };
    EXPECT_TRUE(keys(ID_EDIT_UNDO).contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    EXPECT_TRUE(keys(ID_EDIT_REDO).contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(keys(ID_EDIT_REDO).contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    frame.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(doc.blockCount, total);
    EXPECT_FALSE(child->isWindowModified());
    EXPECT_EQ(StatusText(frame), "Undone: Delete 1 block");
    EXPECT_EQ(frame.Action(ID_EDIT_REDO)->text(), "&Redo Delete 1 block\tCtrl+Shift+Z");
    frame.Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(doc.blockCount, total - 1);
    EXPECT_TRUE(child->isWindowModified());

    ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_SAVE));
    EXPECT_FALSE(child->isWindowModified());
    EXPECT_FALSE(doc.IsModified());
    const QString saved = StatusText(frame);
    EXPECT_TRUE(saved.startsWith("Saved ")) << saved.toStdString();
    EXPECT_TRUE(saved.endsWith(QDir::toNativeSeparators(demo_))) << saved.toStdString();
    EXPECT_EQ(SavedStatusText(1071651, "/tmp/a.dm2"), "Saved 1,071,651 bytes to /tmp/a.dm2");
    frame.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_TRUE(child->isWindowModified());
}

TEST_F(UndoAndCloseTest, ClosingAChangedDemoAsksAndEachAnswerDoesWhatItSays) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    const QByteArray original = FileBytes();
    DeleteBlock(frame);

    QString question;
    AnswerSaveQuestion(QMessageBox::Cancel, &question);
    ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_CLOSE));
    ProcessEvents();
    EXPECT_EQ(question, "Save changes to game.dm2?");
    ASSERT_EQ(app.App().Documents().size(), 1u);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);

    AnswerSaveQuestion(QMessageBox::Discard);
    ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_CLOSE));
    ProcessEvents();
    EXPECT_TRUE(app.App().Documents().empty());
    EXPECT_EQ(FileBytes(), original);

    ASSERT_NE(app.App().OpenDocumentFile(demo_), nullptr);
    DeleteBlock(frame);
    AnswerSaveQuestion(QMessageBox::Save);
    ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_CLOSE));
    ProcessEvents();
    EXPECT_TRUE(app.App().Documents().empty());
    EXPECT_NE(FileBytes(), original);

    // An unchanged demo closes without a question.
    ASSERT_NE(app.App().OpenDocumentFile(demo_), nullptr);
    ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_CLOSE));
    ProcessEvents();
    EXPECT_TRUE(app.App().Documents().empty());
}

TEST_F(UndoAndCloseTest, QuittingWithAChangedDemoAsksFirstAndCancelKeepsTheProgram) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    DeleteBlock(app.Frame());
    AnswerSaveQuestion(QMessageBox::Cancel);
    EXPECT_FALSE(app.Close());
    EXPECT_EQ(app.App().Documents().size(), 1u);
    EXPECT_TRUE(app.Frame().isVisible());

    const QByteArray original = FileBytes();
    AnswerSaveQuestion(QMessageBox::Save);
    EXPECT_TRUE(app.Close());
    EXPECT_NE(FileBytes(), original);
}

} // namespace
