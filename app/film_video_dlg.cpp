#include "film_video_dlg.h"

#include "film_target.h"

#include "editor/tresk_view.h"
#include "editor/ui.h"
#include "preview/selection_film.h"
#include "preview/video_writer.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include <memory>

namespace {

const QString kTitle = QStringLiteral("Render Selection to Video");

// The rate the person picks, or 0 on Cancel.
int AskFps(QWidget* parent) {
    const QStringList rates = {QStringLiteral("10 (the demo's own rate)"), QStringLiteral("30"),
                               QStringLiteral("60")};
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, kTitle, QStringLiteral("Pictures a second:"), rates, 0, false, &ok);
    return ok ? chosen.section(QLatin1Char(' '), 0, 0).toInt() : 0;
}

} // namespace

void RenderSelectionToVideo(QWidget* parent, CTreskView& view, CPreviewDriver& driver,
                            const PreviewOptions& options) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    Ui& ui = view.GetUi();
    const std::string ffmpeg = FindFfmpeg();
    QString target;
    std::string whyNot;
    if (ffmpeg.empty()) {
        if (!ui.Ask(std::string(kNoFfmpegText) +
                    "\n\nWrite the pictures as PNG files into a folder?")) {
            return;
        }
        target = QFileDialog::getExistingDirectory(parent, kTitle);
        if (target.isEmpty()) {
            return;
        }
    } else {
        target = QFileDialog::getSaveFileName(parent, kTitle, QStringLiteral("film.mp4"),
                                              QStringLiteral("MP4 video (*.mp4)"));
        if (target.isEmpty()) {
            return;
        }
        if (!IsVideoPath(target.toStdString())) {
            target += QStringLiteral(".mp4");
        }
    }
    const int fps = AskFps(parent);
    if (fps == 0) {
        return;
    }
    const FilmRequest request = SelectionFilmRequest(view, options, fps);
    std::unique_ptr<FilmSink> sink =
        StartFilmTarget(target.toStdString(), ffmpeg, request, &whyNot);
    if (!sink) {
        ui.ShowMessage(whyNot);
        return;
    }

    // The progress shows once the preview drew the first picture: a preview that cannot
    // open says so without it.
    const uint64_t total = FilmPictureCount(request);
    std::unique_ptr<QProgressDialog> progress;
    const FilmResult result = FilmSelection(
        view, driver, request, *sink,
        [&](uint64_t done, uint64_t) {
            if (!progress) {
                progress = std::make_unique<QProgressDialog>(
                    QStringLiteral("Rendering %1 pictures...").arg(total), QStringLiteral("Cancel"),
                    0, static_cast<int>(total), parent);
                progress->setObjectName(QStringLiteral("FilmProgress"));
                progress->setWindowTitle(kTitle);
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(0);
            }
            progress->setValue(static_cast<int>(done));
            QCoreApplication::processEvents();
            return !progress->wasCanceled();
        },
        &whyNot);
    progress.reset();
    sink.reset(); // an unfinished film is taken away here
    switch (result) {
    case FilmResult::Written:
        ui.ShowStatus("Rendered " + std::to_string(total) + " pictures to " + target.toStdString());
        break;
    case FilmResult::Cancelled:
        ui.ShowStatus("Rendering cancelled; nothing was written");
        break;
    case FilmResult::Failed:
        if (!whyNot.empty()) {
            ui.ShowMessage(whyNot);
        }
        break;
    }
}
