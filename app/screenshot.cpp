#include "screenshot.h"

#include "main_frame.h"
#include "qt_preview_window.h"
#include "tresk_view_form.h"

#include "editor/command_ids.h"
#include "editor/tresk_view.h"
#include "orrery/ctreskprevwnd.h"
#include "preview/preview_driver.h"

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

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

bool TakeWithPreviewOption(QStringList& arguments) {
    return arguments.removeAll(QStringLiteral("--with-preview")) > 0;
}

namespace {

// How far into the play the preview looks: the players are in sight there.
constexpr int kPreviewBlocks = 40;
constexpr int kPreviewMargin = 24;
constexpr int kTitleBarHeight = 22;

// The preview window as a window system would frame it: a title bar and a border.
QImage FramedPreview(CTreskPrevWnd& window) {
    const QPixmap inside = window.grab();
    QImage framed(inside.width() + 2, inside.height() + kTitleBarHeight + 1, QImage::Format_RGB32);
    QPainter p(&framed);
    const QPalette palette = window.palette();
    p.fillRect(framed.rect(), palette.color(QPalette::Dark));
    p.fillRect(1, 1, inside.width(), kTitleBarHeight - 1, palette.color(QPalette::Highlight));
    p.setPen(palette.color(QPalette::HighlightedText));
    p.drawText(QRect(8, 1, inside.width() - 8, kTitleBarHeight - 1),
               Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    p.drawPixmap(1, kTitleBarHeight, inside);
    return framed;
}

} // namespace

bool SaveScreenshotWithPreview(CMainFrame& frame, const QString& file, QSize size) {
    auto* form = qobject_cast<CTreskViewForm*>(frame.ActiveView());
    if (form == nullptr) {
        std::fputs("tresk: no demo is open for the 3D preview\n", stderr);
        return false;
    }
    // A preview that cannot start says why in a message box: its text goes to standard
    // error instead of waiting for a click nobody gives.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "tresk: %s\n", qPrintable(box->text()));
            box->reject();
        }
    });
    answer.start(20);
    frame.ExecuteCommand(ID_VIEW_3D_PREVIEW);
    answer.stop();
    CPreviewDriver& preview = form->Preview();
    auto* port = static_cast<QtPreviewWindow*>(preview.Window());
    if (port == nullptr) {
        std::fputs("tresk: the 3D preview did not open\n", stderr);
        return false;
    }
    for (int i = 0; i < kPreviewBlocks; ++i) {
        form->View().OnNextBlock();
    }
    preview.FeedCurrentBlock();
    if (!SaveMaximisedScreenshot(frame, file, size)) {
        return false;
    }
    QImage picture(file);
    const QImage window = FramedPreview(*port->Window());
    if (picture.isNull() || window.isNull()) {
        return false;
    }
    QPainter p(&picture);
    p.drawImage(picture.width() - window.width() - kPreviewMargin,
                picture.height() - window.height() - kPreviewMargin, window);
    p.end();
    return picture.save(file);
}
