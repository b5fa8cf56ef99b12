// Opening a large demo in the program: generates a demo of about the wanted size with the
// fixture library, then starts the editor on it and reports how long the first block of play
// took to show. Run by hand (not a test):
//   QT_QPA_PLATFORM=offscreen bench_open_large [MEGABYTES=100] [DEMO_PATH]
// An existing DEMO_PATH is opened as it is; otherwise the generated demo is written there.
#include "busy_game.h"
#include "cinerad_app.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/tresk_doc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication qtApp(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("cinerad.timing.info=true"));
    const QStringList args = QApplication::arguments();
    const double megabytes = args.size() > 1 ? args[1].toDouble() : 100.0;
    QTemporaryDir dir;
    const QString path = args.size() > 2 ? args[2] : dir.filePath(QStringLiteral("large.dm2"));

    if (!QFileInfo::exists(path)) {
        const fx::GameDemoOptions options = bench::BusyGameOptions(megabytes);
        QElapsedTimer generate;
        generate.start();
        fx::GameDemoBuilder(options).WriteFile(path.toStdString());
        std::printf("generated %s: %d frames, %.1f MB in %.1f s\n", qPrintable(path),
                    options.frames, static_cast<double>(QFileInfo(path).size()) / (1024 * 1024),
                    static_cast<double>(generate.elapsed()) / 1000);
    }

    // A private settings store with a normal (not first) run's values.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    {
        QSettings store(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
        store.setValue(QStringLiteral("Options/Gamma"), 50);
    }

    QElapsedTimer timer;
    timer.start();
    CTreskApp app;
    if (!app.InitInstance({QStringLiteral("tresk"), path})) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(path));
        return 1;
    }
    const qint64 shown = timer.elapsed();
    auto* form = qobject_cast<CTreskViewForm*>(app.MainFrame()->ActiveView());
    if (form == nullptr) {
        return 1;
    }
    const CTreskDoc& doc = form->View().Document();
    const double mb = static_cast<double>(QFileInfo(path).size()) / (1024 * 1024);
    std::printf("start-up to first block of play (block %u of %u): %lld ms for %.1f MB "
                "(%.0f MB/s)\n",
                doc.firstFrameBlock, doc.blockCount, static_cast<long long>(shown), mb,
                mb / (static_cast<double>(shown) / 1000));
    app.MainFrame()->close();
    return 0;
}
