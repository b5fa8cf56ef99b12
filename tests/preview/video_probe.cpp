#include "video_probe.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <filesystem>

namespace pvtest {

std::string FfprobeProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("ffprobe")).toStdString();
}

bool ProbeVideo(const std::string& path, VideoFacts& facts) {
    QProcess probe;
    probe.start(QString::fromStdString(FfprobeProgram()),
                {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                 "stream=codec_name,width,height,nb_read_frames", "-of",
                 "default=noprint_wrappers=1", QString::fromStdString(path)});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0) {
        return false;
    }
    facts = {};
    for (const QString& line : QString::fromUtf8(probe.readAllStandardOutput()).split('\n')) {
        const QString key = line.section('=', 0, 0);
        const QString value = line.section('=', 1).trimmed();
        if (key == "width") {
            facts.width = value.toInt();
        } else if (key == "height") {
            facts.height = value.toInt();
        } else if (key == "nb_read_frames") {
            facts.frames = value.toInt();
        } else if (key == "codec_name") {
            facts.codec = value.toStdString();
        }
    }
    return facts.frames > 0;
}

int FilesIn(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

} // namespace pvtest
