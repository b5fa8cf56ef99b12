#include "picture_folder_sink.h"

#include "qt_preview_window.h"

#include <QDir>

#include <QFile>

#include <cstdio>

PictureFolderSink::~PictureFolderSink() {
    if (!finished_) {
        for (const std::string& path : written_) {
            QFile::remove(QString::fromStdString(path));
        }
    }
}

bool PictureFolderSink::Finish(std::string*) {
    finished_ = true;
    return true;
}

bool PictureFolderSink::Start(std::string* whyNot) {
    if (!QDir().mkpath(QString::fromStdString(folder_))) {
        *whyNot = "Cannot make the folder " + folder_ + ".";
        return false;
    }
    return true;
}

bool PictureFolderSink::Write(const PreviewImage& picture, const FilmFrame& frame,
                              std::string* whyNot) {
    char file[32];
    if (frame.steps > 1) {
        std::snprintf(file, sizeof file, "%04u-%d.png", frame.block, frame.step);
    } else {
        std::snprintf(file, sizeof file, "%04u.png", frame.block);
    }
    const QString path = QDir(QString::fromStdString(folder_)).filePath(QString::fromLatin1(file));
    if (!ToQImage(picture).save(path, "PNG")) {
        *whyNot = "Block " + std::to_string(frame.block) + " could not be written to " +
                  path.toStdString() + ".";
        return false;
    }
    written_.push_back(path.toStdString());
    return true;
}
