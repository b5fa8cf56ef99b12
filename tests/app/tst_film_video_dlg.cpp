// Render Selection to Video in the program: its place in the Do-To-Selection menu, a film of
// the sample's selection written through ffmpeg, and without ffmpeg the offer of PNG pictures
// in a folder instead.
#include "app_test_util.h"

#include "doc_host.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "editor/command_ids.h"
#include "editor/tresk_view.h"
#include "preview/video_writer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace apptest;

namespace {

class FilmVideoDlgTest : public GameDemoTest {
  protected:
    FilmVideoDlgTest() : GameDemoTest(30) {}
    void SetUp() override {
        GameDemoTest::SetUp();
        setenv(kFfmpegVariable, "/nonexistent/ffmpeg", 1);
    }
    void TearDown() override {
        unsetenv(kFfmpegVariable);
        EXPECT_EQ(PendingModalAnswers(), 0);
        GameDemoTest::TearDown();
    }
    // The command's two questions: where the film goes (`target`), then the rate (the first
    // offered, the demo's own).
    static void AnswerTargetAndRate(const QString& target) {
        OnNextModal([target](QWidget* dlg) {
            auto* files = qobject_cast<QFileDialog*>(dlg);
            ASSERT_NE(files, nullptr);
            files->selectFile(target);
            QMetaObject::invokeMethod(files, "accept");
        });
        OnNextModal([](QWidget* dlg) {
            ASSERT_NE(qobject_cast<QInputDialog*>(dlg), nullptr);
            qobject_cast<QInputDialog*>(dlg)->accept();
        });
    }
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
    AnswerTargetAndRate(shots);
    OnNextModal([&](QWidget* box) {
        refused = qobject_cast<QMessageBox*>(box) ? qobject_cast<QMessageBox*>(box)->text() : "";
        PressButton(box, QMessageBox::Ok);
    });
    EXPECT_TRUE(frame.ExecuteCommand(ID_SEL_RENDER_VIDEO));
    EXPECT_TRUE(refused.contains("3D preview")) << refused.toStdString();
    EXPECT_TRUE(QDir(shots).entryList(QDir::Files).isEmpty());
}

#if defined(SAMPLE_DEMO_PATH) && defined(SAMPLE_PAK_PATH)

TEST_F(FilmVideoDlgTest, WithFfmpegTheSelectionBecomesAVideo) {
    unsetenv(kFfmpegVariable);
    if (FindFfmpeg().empty() || !QFileInfo::exists(QStringLiteral(SAMPLE_DEMO_PATH)) ||
        !QFileInfo::exists(QStringLiteral(SAMPLE_PAK_PATH))) {
        GTEST_SKIP() << "ffmpeg or the sample demo and its game data are missing";
    }
    StorePreviewPak(QStringLiteral(SAMPLE_PAK_PATH));
    RunningApp app({QStringLiteral(SAMPLE_DEMO_PATH)});
    ASSERT_TRUE(app.Started());
    CTreskView& view = app.ActiveForm()->View();
    const uint32_t first = view.CurrentBlockNumber();
    view.SetSelectionCount(4);

    // A name without the ending gets ".mp4"; the demo's own rate films a picture a block.
    const QString named = QDir(dir_.path()).filePath("film");
    AnswerTargetAndRate(named);
    EXPECT_TRUE(app.Frame().ExecuteCommand(ID_SEL_RENDER_VIDEO));
    ProcessEvents();

    const QFileInfo film(named + ".mp4");
    ASSERT_TRUE(film.exists());
    EXPECT_GT(film.size(), 0);
    // Only the film is left: no temporary file beside it, no picture folder.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"film.mp4", "game.dm2"}));
    auto* pane = app.Frame().statusBar()->findChild<QLabel*>(QStringLiteral("MessagePane"));
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->text().startsWith("Rendered 4 pictures to ")) << pane->text().toStdString();
    // The editor stands where it stood, and the demo is not changed by filming it.
    EXPECT_EQ(view.CurrentBlockNumber(), first);
    EXPECT_EQ(view.SelectionCount(), 4u);
    EXPECT_FALSE(app.Frame().ActiveHost()->IsModified());
}

#endif

} // namespace
