// The 3D preview opened from the editor's View menu, offscreen with the project's software
// renderer: on the sample demo it opens, plays blocks on its own timer and closes with the
// window or the command; where it cannot start, the message says why.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "screenshot.h"
#include "tresk_view_form.h"

#include "demo/app_settings.h"
#include "demo/tresk_doc.h"
#include "editor/command_ids.h"
#include "editor/tresk_view.h"
#include "orrery/ctreskprevwnd.h"
#include "preview/preview_driver.h"
#include "qt_preview_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

#if defined(SAMPLE_DEMO_PATH) && defined(SAMPLE_PAK_PATH)

class PreviewCommandTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!QFileInfo::exists(QStringLiteral(SAMPLE_DEMO_PATH)) ||
            !QFileInfo::exists(QStringLiteral(SAMPLE_PAK_PATH))) {
            GTEST_SKIP() << "the sample demo and its game data are not built";
        }
        ResetSettings();
        StoreNormalSettings();
        StorePreviewPak(QStringLiteral(SAMPLE_PAK_PATH));
    }
    void TearDown() override {
        ClearModalAnswers();
        ResetSettings();
    }
    // The 3D Preview entry of the View menu, chosen.
    static void ChooseMenuEntry(RunningApp& app) {
        QAction* action = app.Frame().Action(ID_VIEW_3D_PREVIEW);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        ProcessEvents();
    }
    static CTreskPrevWnd* PreviewWindow(CTreskViewForm& form) {
        auto* port = static_cast<QtPreviewWindow*>(form.Preview().Window());
        return port == nullptr ? nullptr : port->Window();
    }
};

TEST_F(PreviewCommandTest, OpensOnTheSamplePlaysAndCloses) {
    RunningApp app({QStringLiteral(SAMPLE_DEMO_PATH)});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    CTreskDoc& doc = app.App().Documents().front()->Doc();
    {
        ModalRecorder shown;
        ChooseMenuEntry(app);
        EXPECT_TRUE(shown.Texts().isEmpty()) << shown.Texts().join('\n').toStdString();
    }
    ASSERT_TRUE(doc.previewOpen);
    CTreskPrevWnd* window = PreviewWindow(*form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsRegistered());
    EXPECT_TRUE(app.Frame().Action(ID_VIEW_3D_PREVIEW)->isChecked());
    ASSERT_FALSE(window->Screen().isNull());
    EXPECT_EQ(window->Screen().size(), QSize(160, 120));

    // Play runs the view's own 80 ms timer: the preview moves on block by block.
    const uint32_t start = form->View().CurrentBlockNumber();
    const QImage first = window->Screen().copy();
    auto* play = window->findChild<QAbstractButton*>(QString::number(kPrevBtnPlay));
    ASSERT_NE(play, nullptr);
    play->click();
    EXPECT_TRUE(form->Preview().IsPlaying());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form->Preview().PlaybackPosition() >= start + 4; }, 10000));
    EXPECT_GE(window->m_nBlockIndex, static_cast<int>(start) + 3);
    EXPECT_NE(window->Screen(), first);
    auto* stop = window->findChild<QAbstractButton*>(QString::number(kPrevBtnStop));
    ASSERT_NE(stop, nullptr);
    stop->click();
    EXPECT_FALSE(form->Preview().IsPlaying());

    // Closing the window closes the preview; the command opens it again and then closes it.
    window->close();
    ProcessEvents();
    EXPECT_FALSE(doc.previewOpen);
    EXPECT_FALSE(form->Preview().IsOpen());
    EXPECT_FALSE(app.Frame().Action(ID_VIEW_3D_PREVIEW)->isChecked());
    ChooseMenuEntry(app);
    ASSERT_TRUE(doc.previewOpen);
    ChooseMenuEntry(app);
    EXPECT_FALSE(doc.previewOpen);
    EXPECT_FALSE(CTreskPrevWnd::AnyBound());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PreviewCommandTest, SaysWhyItCannotStart) {
    // No pak holds the map.
    ResetSettings();
    StoreNormalSettings();
    {
        RunningApp app({QStringLiteral(SAMPLE_DEMO_PATH)});
        ASSERT_TRUE(app.Started());
        ModalRecorder shown;
        ChooseMenuEntry(app);
        ASSERT_EQ(shown.Texts().size(), 1);
        EXPECT_TRUE(shown.Texts()[0].contains(QStringLiteral("none of the pak files")))
            << shown.Texts()[0].toStdString();
        EXPECT_FALSE(app.App().Documents().front()->Doc().previewOpen);
    }
    // The OpenGL renderer asked for, where there is none.
    ResetSettings();
    StoreNormalSettings();
    StorePreviewPak(QStringLiteral(SAMPLE_PAK_PATH));
    {
        RunningApp app({QStringLiteral(SAMPLE_DEMO_PATH)});
        ASSERT_TRUE(app.Started());
        TheAppSettings().useOpenGL = true;
        ModalRecorder shown;
        ChooseMenuEntry(app);
        ASSERT_EQ(shown.Texts().size(), 1);
        EXPECT_TRUE(shown.Texts()[0].contains(QStringLiteral("no renderer library")))
            << shown.Texts()[0].toStdString();
        EXPECT_TRUE(shown.Texts()[0].contains(QStringLiteral("ref_gl.so")))
            << shown.Texts()[0].toStdString();
        EXPECT_FALSE(app.App().Documents().front()->Doc().previewOpen);
        EXPECT_FALSE(app.Frame().Action(ID_VIEW_3D_PREVIEW)->isChecked());
    }
}

TEST_F(PreviewCommandTest, TheScreenshotShowsThePreviewOverTheEditor) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString shot = dir.filePath(QStringLiteral("preview.png"));
    QImage shown;
    {
        RunningApp app({QStringLiteral(SAMPLE_DEMO_PATH)});
        ASSERT_TRUE(app.Started());
        ASSERT_TRUE(SaveScreenshotWithPreview(app.Frame(), shot));
        ASSERT_TRUE(app.App().Documents().front()->Doc().previewOpen);
        CTreskViewForm* form = app.ActiveForm();
        ASSERT_NE(form, nullptr);
        EXPECT_GT(form->View().CurrentBlockNumber(), form->View().Document().firstFrameBlock);
        shown = PreviewWindow(*form)->Screen().convertToFormat(QImage::Format_RGB32);
    }
    const QImage with = QImage(shot).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(with.size(), kScreenshotSize);
    ASSERT_EQ(shown.size(), QSize(160, 120));
    // The preview's picture, in its frame 24 pixels from the lower right corner: a border,
    // the 22 pixel title bar above, the button strip below.
    const int right = kScreenshotSize.width() - 24 - 1;
    const int bottom = kScreenshotSize.height() - 24 - 1 - kPrevButtonStrip;
    EXPECT_EQ(with.copy(right - 160, bottom - 120, 160, 120), shown);

    // Without the map it says why and writes nothing, rather than waiting on the message.
    ResetSettings();
    StoreNormalSettings();
    RunningApp app({QStringLiteral(SAMPLE_DEMO_PATH)});
    ASSERT_TRUE(app.Started());
    const QString none = dir.filePath(QStringLiteral("none.png"));
    EXPECT_FALSE(SaveScreenshotWithPreview(app.Frame(), none));
    EXPECT_FALSE(QFileInfo::exists(none));
}

#else

TEST(PreviewCommand, NotBuilt) {
    GTEST_SKIP() << "the software renderer or the sample data are not part of this build";
}

#endif

} // namespace
