// tresk: the Cinerad II editor. `tresk [demo.dm2]` opens the demo named on the command line;
// `tresk --version` prints the version and ends, without a display.
#include "about_dlg.h"
#include "cinerad_app.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tresk %s\n", CineradVersion());
            return 0;
        }
    }
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cinerad II"));
    CTreskApp app;
    if (!app.InitInstance(QApplication::arguments())) {
        return 1;
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
