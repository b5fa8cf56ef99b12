// The "Demo Info" dialog in the program: its fields, lists and buttons found by control id,
// the paired lists, the buttons' questions, a wrong number keeping the dialog open, and the
// menu command writing what OK holds into the demo as an edit.
#include "app_test_util.h"

#include "demo_info_dlg.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/tresk_doc.h"
#include "editor/command_ids.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class DemoInfoDlgTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        StoreNormalSettings();
    }
    void TearDown() override {
        EXPECT_EQ(PendingModalAnswers(), 0);
        ClearModalAnswers();
        ResetSettings();
    }

    static DemoInfoDlgData Sample() {
        DemoInfoDlgData d;
        d.levelName = "q2dm1";
        d.mapName = "The Edge";
        d.mapChecksum = "12345";
        d.cdTrack = "7";
        d.protocolVersion = "34";
        d.maxClients = "8";
        d.playerNumber = "0";
        d.skyName = "unit1_";
        d.skyRotate = "2";
        d.skyAxis = "0 0 1";
        d.Names(DemoInfoTable::kModels) = {"maps/q2dm1.bsp", "models/a", "models/b"};
        d.Names(DemoInfoTable::kSounds) = {"s0.wav", "s1.wav", "s2.wav", "s3.wav", "s4.wav"};
        d.Names(DemoInfoTable::kImages) = {"i_health"};
        d.Names(DemoInfoTable::kStatusBar) = {"yb -24"};
        d.Names(DemoInfoTable::kItems) = {"Blaster", "Shotgun"};
        d.Names(DemoInfoTable::kSkins) = {"Player/male/grunt"};
        return d;
    }
    template <class T> static T* Control(QWidget& dlg, int id) {
        T* w = dlg.findChild<T*>(QString::number(id));
        EXPECT_NE(w, nullptr) << id;
        return w;
    }
    static QStringList Rows(QListWidget* list) {
        QStringList rows;
        for (int r = 0; r < list->count(); ++r) {
            rows << list->item(r)->text();
        }
        return rows;
    }
};

TEST_F(DemoInfoDlgTest, FieldsListsAndButtonsAreFoundByControlId) {
    CDemoInfoDlg dlg;
    dlg.SetData(Sample());
    EXPECT_EQ(dlg.objectName(), "171");
    EXPECT_EQ(dlg.windowTitle(), "Demo Info");
    const std::pair<int, const char*> fields[] = {
        {1083, "q2dm1"}, {1085, "The Edge"}, {1160, "12345"},  {1011, "7"}, {1161, "34"},
        {1012, "8"},     {1218, "0"},        {1084, "unit1_"}, {1081, "2"}, {1080, "0 0 1"},
    };
    for (const auto& [id, text] : fields) {
        QLineEdit* edit = Control<QLineEdit>(dlg, id);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), text) << id;
    }
    EXPECT_EQ(Control<QLineEdit>(dlg, 1083)->maxLength(), 63);
    EXPECT_EQ(Control<QLineEdit>(dlg, 1011)->maxLength(), 31);
    struct List {
        int index, names;
        QStringList indexRows, nameRows;
    };
    const List lists[] = {
        {1121, 1115, {"1", "2", "3"}, {"maps/q2dm1.bsp", "models/a", "models/b"}},
        {1122, 1116, {"1", "2", "3", "4", "5"}, {"s0.wav", "s1.wav", "s2.wav", "s3.wav", "s4.wav"}},
        {1126, 1117, {"0"}, {"i_health"}},
        {1127, 1118, {"0"}, {"yb -24"}},
        {1129, 1119, {"0", "1"}, {"Blaster", "Shotgun"}},
        {1130, 1128, {"0"}, {"Player/male/grunt"}},
    };
    for (const List& l : lists) {
        QListWidget* index = Control<QListWidget>(dlg, l.index);
        QListWidget* names = Control<QListWidget>(dlg, l.names);
        ASSERT_TRUE(index != nullptr && names != nullptr);
        EXPECT_EQ(Rows(index), l.indexRows) << l.index;
        EXPECT_EQ(Rows(names), l.nameRows) << l.names;
        EXPECT_EQ(names->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_FALSE(names->isSortingEnabled());
    }
    for (int id : {1120, 1123, 1124, 1125, 1131, 1132, 1220}) {
        EXPECT_NE(Control<QPushButton>(dlg, id), nullptr);
    }
    bool help = false;
    for (QLabel* label : dlg.findChildren<QLabel*>()) {
        help = help || label->text() == QString::fromLatin1(kServerVersionHelpText);
    }
    EXPECT_TRUE(help);

    // The sounds and models pairs follow each other; the others do not.
    Control<QListWidget>(dlg, 1122)->setCurrentRow(3);
    EXPECT_EQ(Control<QListWidget>(dlg, 1116)->currentRow(), 3);
    Control<QListWidget>(dlg, 1115)->setCurrentRow(2);
    EXPECT_EQ(Control<QListWidget>(dlg, 1121)->currentRow(), 2);
    Control<QListWidget>(dlg, 1119)->setCurrentRow(1);
    EXPECT_EQ(Control<QListWidget>(dlg, 1129)->currentRow(), -1);
}

TEST_F(DemoInfoDlgTest, ButtonsAskChangeTheListsAndAWrongNumberKeepsTheDialogOpen) {
    CDemoInfoDlg dlg;
    dlg.SetData(Sample());
    dlg.show();

    // Del without a selection asks nothing.
    Control<QPushButton>(dlg, 1125)->click();
    EXPECT_EQ(Rows(Control<QListWidget>(dlg, 1116)).size(), 5);

    QString asked;
    OnNextModal([&asked](QWidget* box) {
        asked = static_cast<QMessageBox*>(box)->text();
        PressButton(box, QMessageBox::Yes);
    });
    Control<QListWidget>(dlg, 1116)->setCurrentRow(0);
    Control<QPushButton>(dlg, 1125)->click();
    EXPECT_EQ(asked, "Are you sure you want to delete s0.wav (0)?  This could disrupt all "
                     "soundindex numbers!");
    EXPECT_EQ(Rows(Control<QListWidget>(dlg, 1116)),
              (QStringList{"s1.wav", "s2.wav", "s3.wav", "s4.wav"}));
    EXPECT_EQ(Rows(Control<QListWidget>(dlg, 1122)), (QStringList{"1", "2", "3", "4"}));

    QString confirmed;
    OnNextModal([](QWidget* box) { PressButton(box, QMessageBox::Yes); });
    OnNextModal([](QWidget* entry) {
        entry->findChild<QLineEdit*>()->setText(QStringLiteral("models/new"));
        PressButton(entry, QDialogButtonBox::Ok);
    });
    OnNextModal([&confirmed](QWidget* box) {
        confirmed = static_cast<QMessageBox*>(box)->text();
        PressButton(box, QMessageBox::Ok);
    });
    Control<QPushButton>(dlg, 1120)->click();
    EXPECT_EQ(confirmed, "Successfully added model models/new as modelindex 4.");
    EXPECT_EQ(Rows(Control<QListWidget>(dlg, 1121)), (QStringList{"1", "2", "3", "4"}));

    QString warned;
    OnNextModal([&warned](QWidget* box) {
        warned = static_cast<QMessageBox*>(box)->text();
        PressButton(box, QMessageBox::Ok);
    });
    Control<QLineEdit>(dlg, 1012)->setText(QStringLiteral("70000"));
    PressButton(&dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(warned, "Enter a whole number from 0 to 65535 for \"Max Players:\".");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    Control<QLineEdit>(dlg, 1012)->setText(QStringLiteral("16"));
    Control<QLineEdit>(dlg, 1083)->setText(QStringLiteral("q2dm8"));
    PressButton(&dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Data().maxClients, "16");
    EXPECT_EQ(dlg.Data().levelName, "q2dm8");
    EXPECT_EQ(dlg.Data().Names(DemoInfoTable::kModels).back(), "models/new");
}

TEST_F(DemoInfoDlgTest, TheMenuCommandWritesOKIntoTheDemoAsAnEdit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString demo = WriteGameDemo(QDir(dir.path()), QStringLiteral("game.dm2"), 30);
    RunningApp app({demo});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    CTreskDoc& doc = app.ActiveForm()->View().Document();
    OnNextModal([](QWidget* dlg) {
        ASSERT_EQ(dlg->objectName(), "171");
        TypeInto(dlg, "1083", QStringLiteral("renamed"));
        PressButton(dlg, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(frame.ExecuteCommand(ID_VIEW_DEMO_INFO));
    EXPECT_EQ(doc.levelName, "renamed");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(frame.MdiArea()->currentSubWindow()->isWindowModified());
    EXPECT_EQ(frame.statusBar()->findChild<QLabel*>(QStringLiteral("MessagePane"))->text(),
              "Edit demo information");
    frame.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_NE(doc.levelName, "renamed");
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
