// The editor as a desktop program: its windows size, maximise, scroll and arrange; the
// navigation keys move through the demo without taking keys from the text fields; the
// shortcuts page lists the keys that are bound; demos dropped on the window open.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "command_table.h"
#include "demo_drop.h"
#include "doc_host.h"
#include "form_keys.h"
#include "keyboard_shortcuts_dlg.h"
#include "main_frame.h"
#include "page_widget.h"
#include "tresk_view_form.h"
#include "window_arrangement.h"

#include "demo/tresk_doc.h"
#include "editor/command_ids.h"
#include "editor/pages/player_info_page.h"
#include "editor/tresk_view.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace apptest;

namespace {

class DesktopTest : public GameDemoTest {
  protected:
    DesktopTest() : GameDemoTest(40) {}

    // The main window made large enough for several editor windows at their full size.
    static void MakeRoomy(RunningApp& app) {
        app.Frame().showNormal();
        app.Frame().resize(2400, 1800);
        ProcessEvents();
    }
};

QScrollArea* FormArea(CTreskViewForm& form) {
    return form.findChild<QScrollArea*>(QStringLiteral("FormArea"));
}

TEST_F(DesktopTest, EditorWindowResizesAndMaximisesAndTheEditPageTakesTheRoom) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    MakeRoomy(app);
    QMdiSubWindow* frame = app.Frame().MdiArea()->currentSubWindow();
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_TRUE(frame != nullptr && form != nullptr && form->PageWidget() != nullptr);
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_NE(frame->minimumSize(), frame->maximumSize());

    frame->resize(form->sizeHint() + QSize(40, 40));
    ProcessEvents();
    const QSize normalPage = form->PageWidget()->size();
    EXPECT_FALSE(FormArea(*form)->verticalScrollBar()->isVisible());
    EXPECT_FALSE(FormArea(*form)->horizontalScrollBar()->isVisible());

    frame->resize(frame->size() + QSize(300, 200));
    ProcessEvents();
    const QSize grownPage = form->PageWidget()->size();
    EXPECT_GE(grownPage.width(), normalPage.width() + 250);
    EXPECT_GE(grownPage.height(), normalPage.height() + 150);

    frame->showMaximized();
    ProcessEvents();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->size(), app.Frame().MdiArea()->viewport()->size());
    EXPECT_GT(form->PageWidget()->width(), grownPage.width());
    EXPECT_GT(form->PageWidget()->height(), grownPage.height());
}

TEST_F(DesktopTest, AWindowSmallerThanTheFormScrollsIt) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    MakeRoomy(app);
    QMdiSubWindow* frame = app.Frame().MdiArea()->currentSubWindow();
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_TRUE(frame != nullptr && form != nullptr);
    frame->resize(260, 200);
    ProcessEvents();
    EXPECT_LE(frame->width(), 300); // the window really is that small
    QScrollArea* area = FormArea(*form);
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
    // Scrolling reaches the bottom of the form, where the edit page is.
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
}

TEST_F(DesktopTest, NewWindowsCascadeAndCascadeAndTileWorkAtAnySize) {
    const QString second = WriteGameDemo(QDir(dir_.path()), QStringLiteral("b.dm2"), 20, 3);
    const QString third = WriteGameDemo(QDir(dir_.path()), QStringLiteral("c.dm2"), 20, 5);
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    MakeRoomy(app);
    QMdiArea* mdi = app.Frame().MdiArea();
    ASSERT_NE(app.App().OpenDocumentFile(second), nullptr);
    ASSERT_NE(app.App().OpenDocumentFile(third), nullptr);
    ProcessEvents();
    const QList<QMdiSubWindow*> frames = mdi->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(frames.size(), 3);
    const int step = window_arrangement::CascadeStep(*mdi);
    EXPECT_EQ(frames[1]->pos(), frames[0]->pos() + QPoint(step, step));
    EXPECT_EQ(frames[2]->pos(), frames[1]->pos() + QPoint(step, step));

    // A maximised window and a small one: Tile gives each its share of the area.
    frames[0]->showMaximized();
    frames[1]->resize(200, 150);
    ProcessEvents();
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_WINDOW_TILE_VERT));
    ProcessEvents();
    const QSize room = mdi->viewport()->size();
    int x = 0;
    for (QMdiSubWindow* frame : frames) {
        EXPECT_FALSE(frame->isMaximized());
        EXPECT_EQ(frame->geometry().left(), x);
        EXPECT_EQ(frame->height(), room.height());
        EXPECT_NEAR(frame->width(), room.width() / 3, 1);
        x = frame->geometry().right() + 1;
    }
    EXPECT_EQ(x, room.width());
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_WINDOW_TILE_HORZ));
    ProcessEvents();
    EXPECT_EQ(frames[2]->geometry().bottom() + 1, room.height());
    EXPECT_EQ(frames[0]->width(), room.width());

    // Cascade, with one window maximised again: each window one step on from the one behind.
    frames[2]->showMaximized();
    ProcessEvents();
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_WINDOW_CASCADE));
    ProcessEvents();
    std::set<int> lefts;
    for (QMdiSubWindow* frame : frames) {
        EXPECT_FALSE(frame->isMaximized());
        EXPECT_EQ(frame->pos().x(), frame->pos().y());
        EXPECT_EQ(frame->pos().x() % step, 0);
        EXPECT_LE(frame->geometry().right(), room.width());
        lefts.insert(frame->pos().x());
    }
    EXPECT_EQ(lefts, (std::set<int>{0, step, 2 * step}));
}

TEST_F(DesktopTest, NavigationKeysMoveThroughBlocksAndMessages) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    CTreskView& view = form->View();
    const uint32_t first = view.Document().firstFrameBlock;
    ASSERT_EQ(view.CurrentBlockNumber(), first);

    QTest::keyClick(form, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(view.CurrentBlockNumber(), first + 1);
    QTest::keyClick(form, Qt::Key_PageDown);
    EXPECT_EQ(view.CurrentBlockNumber(), first + 2);
    QTest::keyClick(form, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(view.CurrentBlockNumber(), first + 1);
    QTest::keyClick(form, Qt::Key_PageUp);
    EXPECT_EQ(view.CurrentBlockNumber(), first);

    ASSERT_GE(view.BlockByNumber(first)->MessageCount(), 2u);
    EXPECT_EQ(view.CurrentMessageNumber(), 1);
    QTest::keyClick(form, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(view.CurrentMessageNumber(), 2);
    QTest::keyClick(form, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(view.CurrentMessageNumber(), 1);

    QTest::keyClick(form, Qt::Key_End);
    EXPECT_EQ(view.CurrentBlockNumber(), view.BlockCount());
    QTest::keyClick(form, Qt::Key_Home);
    EXPECT_EQ(view.CurrentBlockNumber(), first);
    // The selection text follows, as for the buttons.
    EXPECT_TRUE(app.Text(IDC_SELECTION_TEXT).startsWith(QStringLiteral("%1/").arg(first)));
}

TEST_F(DesktopTest, KeysThatMeanSomethingInATextFieldStayThere) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_TRUE(form != nullptr && form->PageWidget() != nullptr);
    CTreskView& view = form->View();
    const uint32_t block = view.CurrentBlockNumber();
    // The first message of the block whose page has a field to type into.
    QLineEdit* edit = nullptr;
    for (uint32_t m = 0; edit == nullptr && m < view.BlockByNumber(block)->MessageCount(); ++m) {
        if (m > 0) {
            app.Click(IDC_NEXT_MESSAGE);
            ProcessEvents();
        }
        for (QLineEdit* line : form->PageWidget()->findChildren<QLineEdit*>()) {
            if (!line->isReadOnly() && line->isEnabled()) {
                edit = line;
                break;
            }
        }
    }
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(view.CurrentBlockNumber(), block);
    edit->setText(QStringLiteral("12345"));
    edit->setFocus();
    edit->setCursorPosition(2);
    QTest::keyClick(edit, Qt::Key_End);
    EXPECT_EQ(edit->cursorPosition(), 5);
    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 0);
    QTest::keyClick(edit, Qt::Key_PageDown);
    QTest::keyClick(edit, Qt::Key_PageUp);
    EXPECT_EQ(view.CurrentBlockNumber(), block);
    // Alt+arrows mean nothing to a line edit: they still move through the demo.
    QTest::keyClick(edit, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(view.CurrentBlockNumber(), block + 1);
}

TEST(FormKeys, TextWidgetsOwnTheirMovementKeysOnlyWhileEditable) {
    QLineEdit line;
    QPlainTextEdit text;
    QPushButton button;
    const QKeySequence home(Qt::Key_Home);
    const QKeySequence pageDown(Qt::Key_PageDown);
    const QKeySequence altLeft(Qt::ALT | Qt::Key_Left);
    EXPECT_TRUE(FocusOwnsKey(&line, home));
    EXPECT_TRUE(FocusOwnsKey(&text, pageDown));
    EXPECT_FALSE(FocusOwnsKey(&line, altLeft));
    EXPECT_FALSE(FocusOwnsKey(&button, home));
    EXPECT_FALSE(FocusOwnsKey(nullptr, home));
    line.setReadOnly(true);
    text.setReadOnly(true);
    EXPECT_FALSE(FocusOwnsKey(&line, home));
    EXPECT_FALSE(FocusOwnsKey(&text, pageDown));
}

TEST(FormKeys, EveryKeyRunsACommandOfTheViewAndNoKeyIsBoundTwice) {
    std::set<QKeySequence> keys;
    for (const FormKey& key : FormKeys()) {
        EXPECT_TRUE(CTreskView::HandlesCommand(key.id)) << key.id;
        EXPECT_TRUE(keys.insert(key.keys).second) << key.keys.toString().toStdString();
        for (const Accelerator& a : AcceleratorTable(kMenuEditor)) {
            EXPECT_NE(a.keys, key.keys) << a.keys.toString().toStdString();
        }
    }
}

TEST(CommandTable, NoTwoCommandsShareAnId) {
    std::map<int, const char*> seen;
    for (const CommandInfo& info : Commands()) {
        const auto [it, added] = seen.emplace(info.id, info.text);
        EXPECT_TRUE(added) << info.id << " is both \"" << it->second << "\" and \"" << info.text
                           << "\"";
    }
    EXPECT_NE(FindCommand(ID_VIEW_FIRST_PLAY_BLOCK), nullptr);
    EXPECT_NE(FindCommand(ID_HELP_KEYBOARD), nullptr);
    EXPECT_NE(FindCommand(ID_2D_ZOOM_IN), nullptr);
}

TEST_F(DesktopTest, ShortcutsPageListsTheBoundKeys) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    QStringList keys;
    QStringList actions;
    OnNextModal([&](QWidget* dlg) {
        EXPECT_EQ(dlg->objectName(), "KeyboardShortcuts");
        auto* table = dlg->findChild<QTableWidget*>(QStringLiteral("ShortcutTable"));
        ASSERT_NE(table, nullptr);
        for (int r = 0; r < table->rowCount(); ++r) {
            keys.append(table->item(r, 0)->text());
            actions.append(table->item(r, 1)->text());
        }
        dlg->close();
    });
    ASSERT_TRUE(app.Frame().ExecuteCommand(ID_HELP_KEYBOARD));
    EXPECT_EQ(PendingModalAnswers(), 0);
    for (const FormKey& key : FormKeys()) {
        const qsizetype row = keys.indexOf(key.keys.toString(QKeySequence::NativeText));
        ASSERT_GE(row, 0) << key.description;
        EXPECT_EQ(actions[row], QString::fromLatin1(key.description));
    }
    const qsizetype selectAll = keys.indexOf(QKeySequence(Qt::CTRL | Qt::Key_A).toString());
    ASSERT_GE(selectAll, 0);
    EXPECT_EQ(actions[selectAll], "Select All");
    // F1 is bound to Help, which never runs: it is not offered as a shortcut.
    EXPECT_FALSE(keys.contains(QKeySequence(Qt::Key_F1).toString()));
    EXPECT_EQ(static_cast<size_t>(keys.size()), KeyboardShortcutRows().size());
}

TEST_F(DesktopTest, DroppedDemosOpenAndOtherFilesAreIgnored) {
    const QString second = WriteGameDemo(QDir(dir_.path()), QStringLiteral("Dropped.DM2"), 20, 3);
    const QString text = QDir(dir_.path()).filePath(QStringLiteral("notes.txt"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a demo");
    file.close();
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    ASSERT_EQ(app.App().Documents().size(), 1u);

    QMimeData notDemo;
    notDemo.setUrls({QUrl::fromLocalFile(text)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &notDemo, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&app.Frame(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent ignored(QPointF(20, 20), Qt::CopyAction, &notDemo, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&app.Frame(), &ignored);
    EXPECT_FALSE(ignored.isAccepted());
    EXPECT_EQ(app.App().Documents().size(), 1u);

    QMimeData mixed;
    mixed.setUrls({QUrl::fromLocalFile(text), QUrl::fromLocalFile(second)});
    QDragEnterEvent enterDemo(QPoint(20, 20), Qt::CopyAction, &mixed, Qt::LeftButton,
                              Qt::NoModifier);
    QCoreApplication::sendEvent(&app.Frame(), &enterDemo);
    EXPECT_TRUE(enterDemo.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mixed, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&app.Frame(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    ProcessEvents();
    ASSERT_EQ(app.App().Documents().size(), 2u);
    ASSERT_NE(app.Frame().ActiveHost(), nullptr);
    EXPECT_EQ(QFileInfo(app.Frame().ActiveHost()->PathName()).fileName(), "Dropped.DM2");
}

TEST(DemoDrop, OnlyLocalDemoFilesCount) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.dm2")),
                  QUrl(QStringLiteral("https://example.org/b.dm2")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/c.dm2.txt")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/D.Dm2"))});
    EXPECT_EQ(DroppedDemoFiles(data), (QStringList{"/tmp/a.dm2", "/tmp/D.Dm2"}));
    QMimeData plain;
    plain.setText(QStringLiteral("/tmp/a.dm2"));
    EXPECT_TRUE(DroppedDemoFiles(plain).isEmpty());
}

TEST_F(DesktopTest, FormButtonsHaveMnemonicsClearOfTheMenusAndSnapshotsSayWhatTheyDo) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    std::set<QChar> menuLetters;
    for (const MenuEntry& popup : MenuDefinition(kMenuEditor)) {
        const QString title = QString::fromLatin1(popup.text);
        const qsizetype amp = title.indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << popup.text;
        menuLetters.insert(title[amp + 1].toUpper());
    }
    // Buttons may share a mnemonic only with buttons of the same name but for a digit.
    std::map<QChar, QString> owners;
    const QList<QPushButton*> buttons = form->findChildren<QPushButton*>();
    ASSERT_GE(buttons.size(), 15);
    for (QPushButton* button : buttons) {
        if (form->PageWidget() != nullptr && form->PageWidget()->isAncestorOf(button)) {
            continue; // the edit page's own buttons
        }
        const QString text = button->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << text.toStdString();
        const QChar letter = text[amp + 1].toUpper();
        EXPECT_EQ(menuLetters.count(letter), 0u) << text.toStdString();
        QString family = text;
        family.remove(QRegularExpression(QStringLiteral("[0-9]$")));
        const auto [it, added] = owners.emplace(letter, family);
        EXPECT_TRUE(added || it->second == family) << text.toStdString();
    }
    for (int id : {IDC_BACKUP_B1, IDC_BACKUP_B2, IDC_BACKUP_B3, IDC_RESTORE_R1, IDC_RESTORE_R2,
                   IDC_RESTORE_R3}) {
        auto* button = app.Find<QPushButton>(QString::number(id));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->toolTip().contains(QStringLiteral("snapshot"))) << id;
    }
}

TEST(PageWidget, NumberFieldsHaveRoomForTheirValuesAndDeltaAnglesShowDegrees) {
    CPlayerInfoPage page;
    page.SetValue("delta_angles.0", "-27.4658203125");
    CPageWidget widget(page, nullptr);
    auto* delta = widget.findChild<QLineEdit*>(QStringLiteral("delta_angles.0"));
    ASSERT_NE(delta, nullptr);
    EXPECT_GE(delta->minimumWidth(), delta->fontMetrics().horizontalAdvance(delta->text()) + 8);
}

} // namespace
