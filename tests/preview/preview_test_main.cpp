// The preview test program: one QApplication on the offscreen platform for every test.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Also for test discovery, which runs without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
