// The test program of the editor: one QApplication for every test, on the offscreen platform,
// with the settings store in a temporary folder.
#include "app_test_util.h"

#include "splash_wnd.h"

#include <QApplication>
#include <QSettings>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Also for test discovery, which runs without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // The splash would take the first click of every test; its own tests show it.
    CSplashWindow::SetStartupSplashEnabled(false);
    apptest::SettingsFolder settingsFolder;
    return RUN_ALL_TESTS();
}
