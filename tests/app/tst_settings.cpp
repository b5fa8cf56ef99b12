// The settings store, the first run and the options sheet.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "main_frame.h"
#include "options_sheet.h"
#include "settings_store.h"

#include "demo/app_settings.h"
#include "editor/command_ids.h"
#include "orrery/cqrefapiimport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

QSettings Store() {
    return QSettings(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
}

class SettingsTest : public testing::Test {
  protected:
    void SetUp() override { ResetSettings(); }
    void TearDown() override {
        ClearModalAnswers();
        ResetSettings();
    }
};

QStringList PakListOf(QWidget* sheet) {
    QStringList entries;
    auto* list = sheet->findChild<QListWidget*>(QStringLiteral("1197"));
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        entries << list->item(i)->text();
    }
    return entries;
}

// Picks `path` in the file dialog the General page opens.
void ChooseFile(const QString& path) {
    OnNextModal([path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

} // namespace

TEST_F(SettingsTest, PakListEndsAtTheFirstMissingValueAndFallsBackToTheDefaults) {
    {
        QSettings store = Store();
        store.setValue(QStringLiteral("Options/Gamma"), 30);
        store.setValue(QStringLiteral("Pak Files/Pak0"), QStringLiteral("/a.pak"));
        store.setValue(QStringLiteral("Pak Files/Pak1"), QStringLiteral("/b.pak"));
        store.setValue(QStringLiteral("Pak Files/Pak3"), QStringLiteral("/d.pak"));
    }
    AppSettings settings;
    ASSERT_EQ(LoadSettings(settings), SettingsLoad::Loaded);
    EXPECT_EQ(settings.pakFiles, (std::vector<std::string>{"/a.pak", "/b.pak"}));
    EXPECT_EQ(settings.gamma, 30);
    EXPECT_EQ(settings.quake2Path, "/usr/share/games/quake2");
    EXPECT_EQ(settings.previewWidth, 320);
    EXPECT_EQ(settings.previewHeight, 240);

    Store().remove(QStringLiteral("Pak Files"));
    ASSERT_EQ(LoadSettings(settings), SettingsLoad::Loaded);
    ASSERT_EQ(settings.pakFiles.size(), 2u);
    EXPECT_EQ(settings.pakFiles[0], "/usr/share/games/quake2/baseq2/pak0.pak");
    EXPECT_EQ(settings.pakFiles[1], CineradPakPath());
    EXPECT_TRUE(settings.pakFiles[1].ends_with("/cinerad.pak"));
}

TEST_F(SettingsTest, SavingAShorterPakListDropsTheOldTail) {
    AppSettings settings;
    settings.gamma = 70;
    settings.quake2Path = "/games/q2";
    settings.previewWidth = 640;
    settings.previewHeight = 480;
    settings.pakFiles = {"/one.pak", "/two.pak", "/three.pak"};
    SaveSettings(settings);
    settings.pakFiles = {"/one.pak"};
    SaveSettings(settings);

    AppSettings read;
    ASSERT_EQ(LoadSettings(read), SettingsLoad::Loaded);
    EXPECT_EQ(read.pakFiles, std::vector<std::string>{"/one.pak"});
    EXPECT_EQ(read.gamma, 70);
    EXPECT_EQ(read.quake2Path, "/games/q2");
    EXPECT_EQ(read.previewWidth, 640);
    EXPECT_EQ(read.previewHeight, 480);
    EXPECT_FALSE(Store().contains(QStringLiteral("Pak Files/Pak1")));
}

// The first run: the sheet opens before the main window shows, with gamma 50 and 320 x 240, an
// empty pak list and an empty path; Cancel keeps those in memory and closing writes them, so
// the next start is a normal one.
TEST_F(SettingsTest, FirstRunShowsTheOptionsSheetBeforeTheMainWindowAndCancelStillStores) {
    bool mainWindowVisible = true;
    QString caption;
    QStringList pakList;
    int sliderValue = -1;
    OnNextModal([&](QWidget* sheet) {
        caption = sheet->windowTitle();
        mainWindowVisible = CTreskApp::Instance()->MainFrame()->isVisible();
        pakList = PakListOf(sheet);
        sliderValue = sheet->findChild<QSlider*>(QStringLiteral("1166"))->value();
        EXPECT_EQ(sheet->findChild<QLineEdit*>(QStringLiteral("1203"))->text(), QString());
        EXPECT_EQ(sheet->findChild<QLineEdit*>(QStringLiteral("1168"))->text(), "320");
        EXPECT_EQ(sheet->findChild<QLineEdit*>(QStringLiteral("1167"))->text(), "240");
        PressButton(sheet, QDialogButtonBox::Cancel);
    });
    {
        RunningApp app;
        ASSERT_TRUE(app.Started());
        EXPECT_EQ(PendingModalAnswers(), 0);
        EXPECT_EQ(caption, "Cinerad 2 Options");
        EXPECT_FALSE(mainWindowVisible);
        EXPECT_TRUE(pakList.isEmpty());
        EXPECT_EQ(sliderValue, 50);
        EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 0);
        EXPECT_FALSE(Store().contains(QStringLiteral("Options/Gamma")));
    }
    QSettings store = Store();
    EXPECT_EQ(store.value(QStringLiteral("Options/Gamma")).toInt(), 50);
    EXPECT_EQ(store.value(QStringLiteral("Options/PreviewRes_X")).toInt(), 320);
    EXPECT_EQ(store.value(QStringLiteral("Options/PreviewRes_Y")).toInt(), 240);
    EXPECT_EQ(store.value(QStringLiteral("Options/Quake2 Path")).toString(), QString());

    // Second start: no sheet, and the stored (empty) path is read back instead of the default.
    TheAppSettings() = AppSettings{};
    RunningApp second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(TheAppSettings().quake2Path, "");
    EXPECT_EQ(TheAppSettings().gamma, 50);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 2); // the default list, opened or not
}

// A normal start hands the stored list to the renderer host; the sheet's OK replaces it by
// the edited list in its order, Cancel leaves everything as it was.
TEST_F(SettingsTest, OptionsSheetOkReloadsThePakListAndCancelChangesNothing) {
    QTemporaryDir dir;
    // The file dialog only takes files that exist: the same name in other letters and the
    // name's beginning are files of their own here.
    const QString added = QDir(dir.path()).filePath(QStringLiteral("extra.pak"));
    const QString otherCase = QDir(dir.path()).filePath(QStringLiteral("EXTRA.Pak"));
    const QString prefix = QDir(dir.path()).filePath(QStringLiteral("extra"));
    for (const QString& path : {added, otherCase, prefix}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    StoreNormalSettings();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    ASSERT_EQ(CQRefApiImport::GetPakFileCount(), 1);
    EXPECT_EQ(TheAppSettings().gamma, 40);

    // Cancel after adding a file: nothing changes.
    OnNextModal([&](QWidget* sheet) {
        ChooseFile(added);
        sheet->findChild<QPushButton*>(QStringLiteral("1193"))->click();
        EXPECT_EQ(PakListOf(sheet), (QStringList{"/nonexistent/pak0.pak", added}));
        PressButton(sheet, QDialogButtonBox::Cancel);
    });
    app.Frame().ExecuteCommand(ID_VIEW_OPTIONS);
    EXPECT_EQ(TheAppSettings().pakFiles, std::vector<std::string>{"/nonexistent/pak0.pak"});
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 1);

    // OK after adding: the host holds both, in list order; adding the same path again, in
    // other letters, or a path that begins a listed one, adds nothing.
    OnNextModal([&](QWidget* sheet) {
        auto* add = sheet->findChild<QPushButton*>(QStringLiteral("1193"));
        ChooseFile(added);
        add->click();
        ChooseFile(otherCase);
        add->click();
        ChooseFile(prefix);
        add->click();
        EXPECT_EQ(PakListOf(sheet), (QStringList{"/nonexistent/pak0.pak", added}));
        PressButton(sheet, QDialogButtonBox::Ok);
    });
    app.Frame().ExecuteCommand(ID_VIEW_OPTIONS);
    EXPECT_EQ(TheAppSettings().pakFiles,
              (std::vector<std::string>{"/nonexistent/pak0.pak", added.toStdString()}));
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 2);
    EXPECT_NE(CQRefApiImport::FindPakFile(added.toStdString().c_str()), nullptr);

    // Closing writes Pak0 and Pak1.
    app.Close();
    QSettings store = Store();
    EXPECT_EQ(store.value(QStringLiteral("Pak Files/Pak1")).toString(), added);
}

// Edit replaces an entry in place (the same path changes nothing, no selection does nothing);
// Remove asks first; a preview size out of range keeps the sheet open with the range message.
TEST_F(SettingsTest, GeneralPageEditRemoveAndPreviewSizeChecks) {
    QTemporaryDir dir;
    const QString replacement = QDir(dir.path()).filePath(QStringLiteral("other.pak"));
    {
        QFile file(replacement);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    AppSettings settings;
    settings.previewWidth = 320;
    settings.previewHeight = 240;
    settings.pakFiles = {"/first.pak", "/second.pak", "/third.pak"};
    COptionsSheet sheet(settings);
    sheet.show();
    auto* list = sheet.findChild<QListWidget*>(QStringLiteral("1197"));
    auto* edit = sheet.findChild<QPushButton*>(QStringLiteral("1194"));
    auto* remove = sheet.findChild<QPushButton*>(QStringLiteral("1195"));
    ASSERT_TRUE(list && edit && remove);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(remove->isEnabled());

    edit->click(); // nothing selected: no dialog, no change
    EXPECT_EQ(PakListOf(&sheet), (QStringList{"/first.pak", "/second.pak", "/third.pak"}));

    list->setCurrentRow(1);
    ChooseFile(replacement);
    edit->click();
    EXPECT_EQ(PakListOf(&sheet), (QStringList{"/first.pak", replacement, "/third.pak"}));

    QString question;
    OnNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        question = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        PressButton(box, QMessageBox::No);
    });
    remove->click();
    EXPECT_EQ(question, "Are you sure you want to remove this PAK file?");
    EXPECT_EQ(list->count(), 3);
    OnNextModal([](QWidget* w) { PressButton(w, QMessageBox::Yes); });
    remove->click();
    EXPECT_EQ(PakListOf(&sheet), (QStringList{"/first.pak", "/third.pak"}));

    // Width 900 is refused: the sheet stays open on the 3D Preview page.
    auto* width = sheet.findChild<QLineEdit*>(QStringLiteral("1168"));
    width->setText(QStringLiteral("900"));
    QString range;
    OnNextModal([&](QWidget* w) {
        range = qobject_cast<QMessageBox*>(w)->text();
        PressButton(w, QMessageBox::Ok);
    });
    sheet.accept();
    EXPECT_EQ(range, "Please enter an integer between 64 and 800.");
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.findChild<QTabWidget*>()->currentIndex(), 1);

    width->setText(QStringLiteral("800"));
    sheet.findChild<QLineEdit*>(QStringLiteral("1167"))->setText(QStringLiteral("64"));
    sheet.findChild<QSlider*>(QStringLiteral("1166"))->setValue(85);
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    sheet.StoreInto(settings);
    EXPECT_EQ(settings.previewWidth, 800);
    EXPECT_EQ(settings.previewHeight, 64);
    EXPECT_EQ(settings.gamma, 85);
    EXPECT_EQ(settings.pakFiles, (std::vector<std::string>{"/first.pak", "/third.pak"}));
}
