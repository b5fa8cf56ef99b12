#include "screenshot.h"

#include "main_frame.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>

QString TakeScreenshotOption(QStringList& arguments, bool* valid) {
    *valid = true;
    const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot"));
    if (at < 0) {
        return {};
    }
    if (at + 1 >= arguments.size()) {
        *valid = false;
        arguments.removeAt(at);
        return {};
    }
    const QString file = arguments[at + 1];
    arguments.remove(at, 2);
    return file;
}

bool TakeOverheadOption(QStringList& arguments) {
    return arguments.removeAll(QStringLiteral("--overhead")) > 0;
}

bool SaveMaximisedScreenshot(CMainFrame& frame, const QString& file, QSize size) {
    frame.showNormal();
    frame.resize(size);
    if (QMdiSubWindow* child = frame.MdiArea()->currentSubWindow()) {
        child->showMaximized();
    }
    // Two rounds: the resize lays out the main window, which then lays out the child.
    for (int i = 0; i < 2; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents();
    }
    return frame.grab().save(file);
}
