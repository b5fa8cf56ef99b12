// The test program of the editor: one QApplication for every test, on the offscreen platform,
// with the settings store in a temporary folder.
#include "app_test_util.h"

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
    apptest::SettingsFolder settingsFolder;
    return RUN_ALL_TESTS();
}
