// The start-up splash: driven by a clock of the test's own; it closes when that fires or at a
// key, click or shortcut, which it swallows, lets movement and key releases pass, is destroyed
// on closing, and shows over the main window on a normal start only.
#include "app_test_util.h"

#include "cinerad_app.h"
#include "main_frame.h"
#include "resource_pictures.h"
#include "splash_wnd.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class FakeSplashTimer : public SplashTimer {
  public:
    struct State {
        int intervalMs = -1;
        std::function<void()> fire;
    };
    explicit FakeSplashTimer(std::shared_ptr<State> state) : state_(std::move(state)) {}
    void Start(int intervalMs, std::function<void()> fire) override {
        state_->intervalMs = intervalMs;
        state_->fire = std::move(fire);
    }

  private:
    std::shared_ptr<State> state_;
};

// A window with a button and a menu command reached by Ctrl+O, counting what reaches them.
class TargetWindow : public QWidget {
  public:
    TargetWindow() {
        button = new QPushButton(QStringLiteral("Press"), this);
        connect(button, &QPushButton::clicked, this, [this] { ++clicks; });
        action = new QAction(QStringLiteral("Open"), this);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
        connect(action, &QAction::triggered, this, [this] { ++shortcuts; });
        addAction(action);
        (new QVBoxLayout(this))->addWidget(button);
        resize(300, 200);
        show();
        activateWindow();
        QApplication::setActiveWindow(this);
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
    }
    void keyPressEvent(QKeyEvent* event) override {
        ++keys;
        QWidget::keyPressEvent(event);
    }
    QPushButton* button;
    QAction* action;
    int clicks = 0;
    int shortcuts = 0;
    int keys = 0;
};

class SplashTest : public testing::Test {
  protected:
    void TearDown() override {
        CSplashWindow::CloseSplash();
        ProcessEvents();
        CSplashWindow::SetStartupSplashEnabled(false);
    }
    CSplashWindow* Show(QWidget* parent) {
        return CSplashWindow::ShowSplash(parent, std::make_unique<FakeSplashTimer>(clock));
    }
    std::shared_ptr<FakeSplashTimer::State> clock = std::make_shared<FakeSplashTimer::State>();
};

TEST_F(SplashTest, ShowsThePictureUntilItsClockFiresAfterTwoAndAHalfSecondsThenIsDestroyed) {
    TargetWindow window;
    QPointer<CSplashWindow> splash = Show(&window);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(CSplashWindow::Current(), splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(kTitlePictureWidth, kTitlePictureHeight));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(clock->intervalMs, 2500);

    // A second show while one is up keeps the first and starts no second clock.
    auto second = std::make_shared<FakeSplashTimer::State>();
    EXPECT_EQ(CSplashWindow::ShowSplash(&window, std::make_unique<FakeSplashTimer>(second)),
              splash.data());
    EXPECT_EQ(second->intervalMs, -1);

    // What it shows is the title picture.
    const QImage shown = splash->grab().toImage().convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(shown.pixelColor(200, 120), TitlePicture().pixelColor(200, 120));

    ASSERT_TRUE(clock->fire);
    clock->fire();
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    EXPECT_FALSE(splash->isVisible());
    ProcessEvents();
    EXPECT_TRUE(splash.isNull()); // destroyed, not merely hidden

    // Gone: a key press and a click now reach the window.
    QTest::keyClick(&window, Qt::Key_A);
    QTest::mouseClick(window.button, Qt::LeftButton);
    EXPECT_EQ(window.keys, 1);
    EXPECT_EQ(window.clicks, 1);
}

TEST_F(SplashTest, AClickClosesItAndHasNoOtherEffect) {
    TargetWindow window;
    QPointer<CSplashWindow> splash = Show(&window);
    QTest::mouseMove(window.button);
    QTest::keyRelease(&window, Qt::Key_A);
    EXPECT_EQ(CSplashWindow::Current(), splash) << "movement and key releases pass";

    QTest::mouseClick(window.button, Qt::LeftButton);
    EXPECT_EQ(window.clicks, 0);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    ProcessEvents();
    EXPECT_TRUE(splash.isNull());
    QTest::mouseClick(window.button, Qt::LeftButton);
    EXPECT_EQ(window.clicks, 1);
}

// One key press carrying Ctrl, as a keyboard sends Ctrl+O when Ctrl was already down before
// the splash came up. (QTest's key functions press Ctrl as a key of its own first, which alone
// closes the splash.) Sent as a non-spontaneous press, it passes Qt's shortcut pass first.
void PressCtrlO(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier, QStringLiteral("o"));
    QApplication::sendEvent(target, &press);
}

TEST_F(SplashTest, AKeyOrAShortcutClosesItAndIsSwallowed) {
    TargetWindow window;
    // The splash takes the activation while it is up; the desktop gives it back after.
    const auto activate = [&window] {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
    };
    // Ctrl+O while it is up closes it, and the menu command does not run.
    Show(&window);
    PressCtrlO(&window);
    EXPECT_EQ(window.shortcuts, 0);
    EXPECT_EQ(window.keys, 0);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    ProcessEvents();
    activate();
    PressCtrlO(&window);
    EXPECT_EQ(window.shortcuts, 1) << "once it is gone the shortcut works";

    // Pressing Ctrl on its own is a key press too: it closes the splash, and the O that
    // follows reaches the window as the shortcut.
    Show(&window);
    activate();
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(window.shortcuts, 2);

    // A plain key: swallowed too.
    const int keys = window.keys;
    Show(&window);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(window.keys, keys);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(window.keys, keys + 1);
}

TEST_F(SplashTest, ANormalStartShowsItOverTheMainWindowAndTheFirstRunDoesNot) {
    CSplashWindow::SetStartupSplashEnabled(true);
    ResetSettings();
    OnNextModal([](QWidget* sheet) { PressButton(sheet, QDialogButtonBox::Cancel); });
    {
        RunningApp app;
        ASSERT_TRUE(app.Started());
        EXPECT_EQ(CSplashWindow::Current(), nullptr);
    }
    StoreNormalSettings();
    {
        RunningApp app;
        ASSERT_TRUE(app.Started());
        CSplashWindow* splash = CSplashWindow::Current();
        ASSERT_NE(splash, nullptr);
        EXPECT_EQ(splash->parentWidget(), &app.Frame());
        CSplashWindow::CloseSplash();
    }
    ResetSettings();
}

} // namespace
