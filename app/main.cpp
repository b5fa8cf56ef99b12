// tresk: the Cinerad II editor. `tresk [demo.dm2]` opens the demo named on the command line.
#include "cinerad_app.h"

#include <QApplication>

int main(int argc, char* argv[]) {
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
