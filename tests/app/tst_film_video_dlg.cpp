// Render Selection to Video in the program: its place in the Do-To-Selection menu, and
// without ffmpeg the offer of PNG pictures in a folder instead.
#include "app_test_util.h"

#include "main_frame.h"

#include "editor/command_ids.h"
#include "preview/video_writer.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace apptest;

namespace {

class FilmVideoDlgTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        StoreNormalSettings();
        ASSERT_TRUE(dir_.isValid());
        demo_ = WriteGameDemo(QDir(dir_.path()), QStringLiteral("game.dm2"), 30);
        setenv(kFfmpegVariable, "/nonexistent/ffmpeg", 1);
    }
    void TearDown() override {
        unsetenv(kFfmpegVariable);
        EXPECT_EQ(PendingModalAnswers(), 0);
        ClearModalAnswers();
        ResetSettings();
    }
    QTemporaryDir dir_;
    QString demo_;
};

TEST_F(FilmVideoDlgTest, WithoutFfmpegThePicturesAreOfferedInAFolder) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();

    // The last item of Do-To-Selection, after the film commands.
    QMenu* selectionMenu = nullptr;
    for (QAction* a : frame.menuBar()->actions()) {
        if (a->text().remove(QLatin1Char('&')) == "Do-To-Selection") {
            selectionMenu = a->menu();
        }
    }
    ASSERT_NE(selectionMenu, nullptr);
    ASSERT_FALSE(selectionMenu->actions().isEmpty());
    EXPECT_EQ(selectionMenu->actions().last()->data().toInt(), ID_SEL_RENDER_VIDEO);
    EXPECT_TRUE(frame.IsCommandEnabled(ID_SEL_RENDER_VIDEO));

    // Declined: nothing more is asked.
    QString said;
    OnNextModal([&](QWidget* box) {
        said = qobject_cast<QMessageBox*>(box) ? qobject_cast<QMessageBox*>(box)->text() : "";
        PressButton(box, QMessageBox::No);
    });
    EXPECT_TRUE(frame.ExecuteCommand(ID_SEL_RENDER_VIDEO));
    EXPECT_TRUE(said.contains("ffmpeg")) << said.toStdString();
    EXPECT_TRUE(said.contains("PNG")) << said.toStdString();

    // Accepted: a folder, the rate, and then the film itself, which needs the 3D preview; this
    // demo's map is nowhere, so the person is told and no picture is written.
    const QString shots = QDir(dir_.path()).filePath("shots");
    QDir().mkpath(shots);
    QString refused;
    OnNextModal([](QWidget* box) { PressButton(box, QMessageBox::Yes); });
    OnNextModal([&](QWidget* dlg) {
        auto* files = qobject_cast<QFileDialog*>(dlg);
        ASSERT_NE(files, nullptr);
        files->selectFile(shots);
        QMetaObject::invokeMethod(files, "accept");
    });
    OnNextModal([](QWidget* dlg) {
        ASSERT_NE(qobject_cast<QInputDialog*>(dlg), nullptr);
        qobject_cast<QInputDialog*>(dlg)->accept();
    });
    OnNextModal([&](QWidget* box) {
        refused = qobject_cast<QMessageBox*>(box) ? qobject_cast<QMessageBox*>(box)->text() : "";
        PressButton(box, QMessageBox::Ok);
    });
    EXPECT_TRUE(frame.ExecuteCommand(ID_SEL_RENDER_VIDEO));
    EXPECT_TRUE(refused.contains("3D preview")) << refused.toStdString();
    EXPECT_TRUE(QDir(shots).entryList(QDir::Files).isEmpty());
}

} // namespace
