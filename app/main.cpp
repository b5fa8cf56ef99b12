// tresk: the Cinerad II editor. `tresk [demo.dm2]` opens the demo named on the command line;
// `tresk --screenshot FILE [--overhead | --with-preview] demo.dm2` saves a picture of the
// demo's maximised window (or of its 2D overhead view, or with its 3D preview open) and ends.
// `tresk --version` prints the version and ends, without a display.
#include "about_dlg.h"
#include "cinerad_app.h"
#include "main_frame.h"
#include "screenshot.h"

#include "editor/command_ids.h"

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
    QStringList arguments = QApplication::arguments();
    bool valid = true;
    const QString screenshot = TakeScreenshotOption(arguments, &valid);
    const bool withPreview = TakeWithPreviewOption(arguments);
    const bool overhead = !screenshot.isEmpty() && TakeOverheadOption(arguments);
    if (!valid) {
        std::fputs("tresk: --screenshot needs the name of the picture to write\n", stderr);
        return 2;
    }
    CTreskApp app;
    if (!app.InitInstance(arguments)) {
        return 1;
    }
    if (!screenshot.isEmpty()) {
        if (overhead && !app.MainFrame()->ExecuteCommand(ID_VIEW_2D_OVERHEAD)) {
            std::fputs("tresk: the 2D overhead view did not open\n", stderr);
        }
        const bool saved = withPreview ? SaveScreenshotWithPreview(*app.MainFrame(), screenshot)
                                       : SaveMaximisedScreenshot(*app.MainFrame(), screenshot);
        if (!saved) {
            std::fprintf(stderr, "tresk: could not write %s\n", qPrintable(screenshot));
        }
        // Closed as the person would close it, so the windows go before the frame does.
        app.MainFrame()->close();
        app.ExitInstance();
        return saved ? 0 : 1;
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
