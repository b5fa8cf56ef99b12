// The editor window end to end: the program started on a demo from the command line, driven
// through its real widgets, found by their control ids.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/demo_block.h"
#include "demo/demo_message.h"
#include "demo/svc.h"
#include "demo/tresk_doc.h"
#include "editor/command_ids.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class EditorWindowTest : public GameDemoTest {
  protected:
    EditorWindowTest() : GameDemoTest(80) {}

    static QString Selection(uint32_t first, uint32_t last, uint32_t total) {
        return QStringLiteral("%1/%3 - %2/%3").arg(first).arg(last).arg(total);
    }

    // Answers "Enter number" with a number, checking what it was preset to.
    static void AnswerNumber(const QString& number, const QString& expectedPreset) {
        OnNextModal([number, expectedPreset](QWidget* dlg) {
            EXPECT_EQ(dlg->objectName(), "164");
            EXPECT_EQ(dlg->windowTitle(), "Enter number");
            auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("1054"));
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text(), expectedPreset);
            TypeInto(dlg, "1054", number);
            PressButton(dlg, QDialogButtonBox::Ok);
        });
    }

    // Answers a message box, recording its caption and text.
    static void AnswerBox(QString* caption, QString* text, int button) {
        OnNextModal([caption, text, button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            *caption = box->windowTitle();
            *text = box->text();
            PressButton(box, button);
        });
    }
};

uint32_t MessageCountOf(CTreskViewForm& form, uint32_t block) {
    return form.View().BlockByNumber(block)->MessageCount();
}

// The 1-based number of the first message of a type in a block; 0 when there is none.
uint32_t NumberOfType(CTreskViewForm& form, uint32_t block, uint8_t type) {
    const DemoBlock* b = form.View().BlockByNumber(block);
    for (uint32_t n = 1; n <= b->MessageCount(); ++n) {
        if (CTreskView::MessageByNumber(b, n)->type == type) {
            return n;
        }
    }
    return 0;
}

} // namespace

TEST_F(EditorWindowTest, CommandLineDemoIsNavigatedEditedSavedAndReopened) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    CTreskView& view = form->View();
    CTreskDoc& doc = view.Document();
    const uint32_t total = doc.blockCount;
    const uint32_t first = doc.firstFrameBlock;
    ASSERT_GE(first, 6u);
    EXPECT_EQ(view.CurrentBlockNumber(), first);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first, first, total));
    EXPECT_EQ(app.Text(IDC_NAME_TEXT),
              QString::fromStdString(
                  GetMessageName(CTreskView::MessageByNumber(view.BlockByNumber(first), 1)->type)));
    EXPECT_EQ(app.Text(IDC_NUMBER_TEXT), QStringLiteral("1/%1").arg(MessageCountOf(*form, first)));
    EXPECT_EQ(app.Find<QProgressBar>(QStringLiteral("1207"))->value(), static_cast<int>(first));

    // NEXT block.
    app.Click(IDC_NEXT_BLOCK);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first + 1, first + 1, total));

    // GOTO block: preset to the block after the selection; 30 is taken.
    AnswerNumber(QStringLiteral("30"), QString::number(first + 2));
    app.Click(IDC_GOTO_BLOCK);
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(30, 30, total));

    // GOTO the current block again: "Invalid block number", nothing moves.
    QString caption;
    QString text;
    AnswerNumber(QStringLiteral("30"), QStringLiteral("31"));
    AnswerBox(&caption, &text, QMessageBox::Ok);
    app.Click(IDC_GOTO_BLOCK);
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(caption, "Cinerad II");
    EXPECT_EQ(text, "Invalid block number");
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(30, 30, total));

    // SELECT: typing a count fills in the last block, and the other way round.
    QString lastAfterCount;
    QString countAfterLast;
    OnNextModal([&](QWidget* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Block Selection");
        auto* firstEdit = dlg->findChild<QLineEdit*>(QStringLiteral("1122"));
        EXPECT_FALSE(firstEdit->isEnabled());
        EXPECT_EQ(firstEdit->text(), "30");
        EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("1123"))->text(), "30");
        EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("1124"))->text(), "1");
        TypeInto(dlg, "1123", QStringLiteral("36"));
        countAfterLast = dlg->findChild<QLineEdit*>(QStringLiteral("1124"))->text();
        TypeInto(dlg, "1124", QStringLiteral("5"));
        lastAfterCount = dlg->findChild<QLineEdit*>(QStringLiteral("1123"))->text();
        PressButton(dlg, QDialogButtonBox::Ok);
    });
    app.Click(IDC_SELECT);
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(countAfterLast, "7");
    EXPECT_EQ(lastAfterCount, "34");
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(30, 34, total));

    // Edit a field of the player's page and move on: the edit goes into the record.
    const uint32_t player = NumberOfType(*form, 30, svc_playerinfo);
    ASSERT_GT(player, 1u);
    AnswerNumber(QString::number(player), QStringLiteral("1"));
    app.Click(IDC_GOTO_MESSAGE);
    ASSERT_EQ(app.Text(IDC_NAME_TEXT), "playerinfo");
    auto* fov = app.Find<QLineEdit>(QStringLiteral("fov"));
    ASSERT_NE(fov, nullptr);
    ASSERT_NE(fov->text(), "110");
    fov->selectAll();
    QTest::keyClicks(fov, QStringLiteral("110"));
    app.Click(IDC_NEXT_MESSAGE);
    app.Click(IDC_PREVIOUS_MESSAGE);
    EXPECT_EQ(app.Find<QLineEdit>(QStringLiteral("fov"))->text(), "110");

    // DELETE the block's last message: No keeps it, Yes deletes it and the number moves back.
    const uint32_t count = MessageCountOf(*form, 30);
    ASSERT_GE(count, 3u);
    AnswerNumber(QString::number(count), QString::number(player));
    app.Click(IDC_GOTO_MESSAGE);
    AnswerBox(&caption, &text, QMessageBox::No);
    app.Click(IDC_DELETE_MESSAGE);
    EXPECT_EQ(caption, "Tresk");
    EXPECT_EQ(text, "Are you sure you want to delete this message?");
    EXPECT_EQ(MessageCountOf(*form, 30), count);
    AnswerBox(&caption, &text, QMessageBox::Yes);
    app.Click(IDC_DELETE_MESSAGE);
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(MessageCountOf(*form, 30), count - 1);
    EXPECT_EQ(app.Text(IDC_NUMBER_TEXT), QStringLiteral("%1/%1").arg(count - 1));

    // File Save As into a new file (the extension is added), then reopen it.
    const QString saved = QDir(dir_.path()).filePath(QStringLiteral("edited.dm2"));
    OnNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QDir(dir_.path()).filePath(QStringLiteral("edited")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_EQ(PendingModalAnswers(), 0);
    DocHost* host = app.Frame().ActiveHost();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->PathName(), saved);
    EXPECT_TRUE(QFileInfo::exists(saved));
    EXPECT_EQ(ShownTitle(app.Frame()), "Cinerad II - edited.dm2");
    // Saving rebuilds the opening blocks, which may take another block: count from the end.
    const uint32_t fromEnd = total - 30;
    app.Frame().ExecuteCommand(ID_FILE_CLOSE);
    ProcessEvents();
    EXPECT_TRUE(app.App().Documents().empty());
    EXPECT_EQ(app.Frame().ActiveMenuId(), 128);

    ASSERT_NE(app.App().OpenDocumentFile(saved), nullptr);
    CTreskViewForm* reopened = app.ActiveForm();
    ASSERT_NE(reopened, nullptr);
    const uint32_t block = reopened->View().BlockCount() - fromEnd;
    AnswerNumber(QString::number(block),
                 QString::number(reopened->View().CurrentBlockNumber() + 1));
    app.Click(IDC_GOTO_BLOCK);
    const uint32_t reopenedPlayer = NumberOfType(*reopened, block, svc_playerinfo);
    ASSERT_GT(reopenedPlayer, 1u);
    AnswerNumber(QString::number(reopenedPlayer), QStringLiteral("1"));
    app.Click(IDC_GOTO_MESSAGE);
    ASSERT_EQ(app.Text(IDC_NAME_TEXT), "playerinfo");
    EXPECT_EQ(app.Find<QLineEdit>(QStringLiteral("fov"))->text(), "110");
    EXPECT_EQ(MessageCountOf(*reopened, block), count - 1);
}

// Ctrl+S saves over the file; the keyboard reaches the commands through the accelerators.
TEST_F(EditorWindowTest, AcceleratorsRunTheirCommands) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    const uint32_t total = form->View().BlockCount();
    const uint32_t first = form->View().CurrentBlockNumber();

    QTest::keyClick(&frame, Qt::Key_A, Qt::ControlModifier); // Select All
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first, total, total));
    QTest::keyClick(&frame, Qt::Key_A, Qt::AltModifier); // DeSelect All
    EXPECT_EQ(app.Text(IDC_SELECTION_TEXT), Selection(first, first, total));

    const QDateTime before = QFileInfo(demo_).lastModified();
    QFile(demo_).setFileTime(before.addSecs(-60), QFileDevice::FileModificationTime);
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier); // Save
    EXPECT_GT(QFileInfo(demo_).lastModified(), before.addSecs(-30));
}

// Disabled for now: opening the search report here runs the Advanced Search dialog, and the
// test's answer to it does not reach it yet, so the test waits forever.
TEST_F(EditorWindowTest, MenusToolbarAndWindowFollowTheActiveTemplate) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    ASSERT_EQ(frame.ActiveMenuId(), 129);
    EXPECT_EQ(ShownTitle(frame), "Cinerad II - game.dm2");

    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) {
        titles << a->text().remove(QLatin1Char('&'));
    }
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "Search", "View", "Special FX", "Tools",
                                   "Do-To-Selection", "Window", "Help"}));

    // The editor's own commands are enabled; the framework's that it refuses, commands
    // without a handler yet, and Paste and Clear Buffer while the block buffer is empty, are
    // present but disabled.
    for (int id : {ID_EDIT_SELECT_ALL, ID_SEL_REVERSE, ID_FILE_SAVE, ID_VIEW_OPTIONS, ID_EDIT_CUT,
                   ID_EDIT_COPY, ID_EDIT_DELETE_BLOCKS, ID_TOOLS_ADD_MESSAGE}) {
        EXPECT_TRUE(frame.IsCommandEnabled(id)) << id;
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    }
    for (int id : {ID_FILE_NEW, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_WINDOW_NEW, ID_EDIT_UNDO,
                   ID_VIEW_ENTITIES, ID_EDIT_PASTE, ID_EDIT_CLEAR_BUFFER}) {
        EXPECT_FALSE(frame.IsCommandEnabled(id)) << id;
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
        EXPECT_FALSE(frame.ExecuteCommand(id)) << id;
    }
    EXPECT_EQ(frame.Action(ID_FILE_OPEN)->text(), "&Open...\tCtrl+O");
    EXPECT_EQ(frame.Action(ID_FILE_NEW)->statusTip(), "Create a new document");
    EXPECT_EQ(frame.Action(ID_FILE_NEW)->toolTip(), "The Crazy Butthole Dude!");
    EXPECT_EQ(frame.Action(ID_TOOLS_ADD_MESSAGE)->statusTip(), "");
    EXPECT_EQ(frame.Action(ID_TOOLS_ADD_MESSAGE)->toolTip(), "Add New Message");
    EXPECT_TRUE(
        frame.Action(ID_EDIT_COPY)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));

    // Toolbar buttons in their order, each with a picture.
    QList<int> buttons;
    for (QAction* a : frame.ToolBar()->actions()) {
        buttons << (a->isSeparator() ? 0 : a->data().toInt());
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull());
        }
    }
    EXPECT_EQ(buttons, (QList<int>{ID_FILE_NEW,
                                   ID_FILE_OPEN,
                                   ID_FILE_SAVE,
                                   0,
                                   ID_EDIT_CUT,
                                   ID_EDIT_COPY,
                                   ID_EDIT_PASTE,
                                   0,
                                   ID_APP_ABOUT,
                                   ID_CONTEXT_HELP,
                                   0,
                                   ID_VIEW_3D_PREVIEW,
                                   0,
                                   ID_VIEW_VISIBLE_ENTITIES,
                                   ID_VIEW_MODELS,
                                   ID_VIEW_SOUNDS,
                                   0,
                                   ID_VIEW_DEMO_INFO,
                                   ID_TOOLS_ADD_MESSAGE,
                                   ID_FX_PALETTE_SHIFT,
                                   ID_SEL_SMOOTH_CAMERA}));

    QMdiSubWindow* editor = frame.MdiArea()->currentSubWindow();

    // A search-report window on the same demo brings its own menu; closing the editor window
    // leaves the demo open until its last window goes.
    DocHost* host = frame.ActiveHost();
    // The report asks what to list as it opens; Cancel leaves it empty.
    OnNextModal([](QWidget* dlg) { PressButton(dlg, QDialogButtonBox::Cancel); });
    ASSERT_TRUE(app.App().OpenExtraFrame(*app.App().searchReportTemplate, *host));
    EXPECT_EQ(frame.ActiveMenuId(), 131);
    EXPECT_EQ(frame.Action(ID_REPORT_SELECT_ITEMS)->shortcuts(),
              QList<QKeySequence>{QKeySequence(Qt::Key_S)});
    EXPECT_TRUE(frame.Action(ID_EDIT_SELECT_ALL)->shortcuts().isEmpty());
    EXPECT_TRUE(ShownTitle(*editor).endsWith(":1"));
    editor->close();
    ProcessEvents();
    EXPECT_EQ(app.App().Documents().size(), 1u);
    EXPECT_EQ(ShownTitle(*frame.MdiArea()->currentSubWindow()), "game.dm2");
    frame.MdiArea()->closeAllSubWindows();
    ProcessEvents();
    EXPECT_TRUE(app.App().Documents().empty());
    EXPECT_EQ(frame.ActiveMenuId(), 128);
    EXPECT_EQ(ShownTitle(frame), "Cinerad II");
}

TEST_F(EditorWindowTest, ADemoThatCannotBeOpenedEndsStartUpAfterSayingWhy) {
    QString caption;
    QString text;
    AnswerBox(&caption, &text, QMessageBox::Ok);
    RunningApp app({QDir(dir_.path()).filePath(QStringLiteral("missing.dm2"))});
    EXPECT_FALSE(app.Started());
    EXPECT_EQ(caption, "Cinerad II");
    EXPECT_TRUE(text.contains(QStringLiteral("missing.dm2"))) << text.toStdString();
}

TEST_F(EditorWindowTest, AFailedSaveSaysWhyAndKeepsThePath) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    DocHost* host = app.Frame().ActiveHost();
    QString caption;
    QString text;
    AnswerBox(&caption, &text, QMessageBox::Ok);
    EXPECT_FALSE(app.App().SaveDocument(
        *host, QDir(dir_.path()).filePath(QStringLiteral("no/such/folder/x.dm2"))));
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(caption, "Cinerad II");
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(host->PathName(), demo_);
}

// The File menu keeps the last four demos, newest first, across runs; choosing one opens it,
// and one that cannot be opened any more leaves the list.
TEST_F(EditorWindowTest, RecentFilesAreKeptAcrossRunsAndReopen) {
    const QDir folder(dir_.path());
    QStringList demos;
    for (int i = 0; i < 5; ++i) {
        demos << WriteGameDemo(folder, QStringLiteral("r%1.dm2").arg(i), 20, 10 + i);
    }
    {
        RunningApp app;
        ASSERT_TRUE(app.Started());
        EXPECT_FALSE(app.Frame().IsCommandEnabled(ID_FILE_MRU_FILE1));
        for (const QString& demo : demos) {
            ASSERT_NE(app.App().OpenDocumentFile(demo), nullptr);
        }
        EXPECT_EQ(app.App().Documents().size(), 5u);
    }
    RunningApp app;
    ASSERT_TRUE(app.Started());
    const QStringList& recent = app.App().RecentFiles().Entries();
    ASSERT_EQ(recent.size(), 4);
    EXPECT_TRUE(recent[0].endsWith(QStringLiteral("r4.dm2")));
    EXPECT_TRUE(recent[3].endsWith(QStringLiteral("r1.dm2")));
    EXPECT_TRUE(app.Frame().IsCommandEnabled(ID_FILE_MRU_FILE4));

    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_FILE_MRU_FILE1 + 2)); // r2.dm2
    ASSERT_NE(app.ActiveForm(), nullptr);
    EXPECT_TRUE(ShownTitle(app.Frame()).endsWith(QStringLiteral("r2.dm2")));
    EXPECT_TRUE(app.App().RecentFiles().Entries()[0].endsWith(QStringLiteral("r2.dm2")));

    QFile::remove(demos[4]);
    QString caption;
    QString text;
    AnswerBox(&caption, &text, QMessageBox::Ok);
    app.Frame().ExecuteCommand(ID_FILE_MRU_FILE1 + 1); // r4.dm2, now gone
    EXPECT_EQ(PendingModalAnswers(), 0);
    EXPECT_EQ(app.App().RecentFiles().Entries().size(), 3);
    EXPECT_FALSE(app.App()
                     .RecentFiles()
                     .Entries()
                     .join(QLatin1Char(' '))
                     .contains(QStringLiteral("r4.dm2")));
}

// File Open offers the demo filter and opens the chosen demo; File New opens nothing.
TEST_F(EditorWindowTest, FileOpenOffersDemosAndFileNewOpensNothing) {
    RunningApp app;
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.Frame().ActiveMenuId(), 128);
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_FILE_NEW));
    EXPECT_TRUE(app.App().Documents().empty());

    QStringList filters;
    OnNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        dialog->selectFile(demo_);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(PendingModalAnswers(), 0);
    ASSERT_FALSE(filters.isEmpty());
    EXPECT_EQ(filters.front(), "Quake 2 Demos (*.dm2)");
    ASSERT_NE(app.ActiveForm(), nullptr);
    EXPECT_EQ(app.App().Documents().size(), 1u);

    // Opening the same demo again activates its window instead of a second copy.
    EXPECT_EQ(app.App().OpenDocumentFile(demo_), app.Frame().ActiveHost());
    EXPECT_EQ(app.App().Documents().size(), 1u);
}
