#include "settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

constexpr int kFirstRunMarker = -999;
constexpr int kFirstRunGamma = 50;
constexpr int kDefaultPreviewWidth = 320;
constexpr int kDefaultPreviewHeight = 240;
constexpr int kDefaultUndoDepth = 100;
constexpr int kMaxUndoDepth = 10000;
const char* const kPakMissing = "FAIL";

QSettings Store() {
    return QSettings(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
}

QString PakValueName(int i) {
    return QStringLiteral("Pak%1").arg(i);
}

} // namespace

std::string DefaultQuake2Path() {
    return "/usr/share/games/quake2";
}

std::string CineradPakPath() {
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cinerad.pak"));
    if (QFileInfo::exists(besideProgram)) {
        return besideProgram.toStdString();
    }
    return CINERAD_PAK_INSTALL_PATH;
}

std::vector<std::string> DefaultPakFiles() {
    return {DefaultQuake2Path() + "/baseq2/pak0.pak", CineradPakPath()};
}

SettingsLoad LoadSettings(AppSettings& settings) {
    QSettings store = Store();
    store.beginGroup(QStringLiteral("Options"));
    const int gamma = store.value(QStringLiteral("Gamma"), kFirstRunMarker).toInt();
    if (gamma == kFirstRunMarker) {
        settings.gamma = kFirstRunGamma;
        settings.previewWidth = kDefaultPreviewWidth;
        settings.previewHeight = kDefaultPreviewHeight;
        return SettingsLoad::FirstRun;
    }
    settings.gamma = gamma;
    settings.quake2Path =
        store.value(QStringLiteral("Quake2 Path"), QString::fromStdString(DefaultQuake2Path()))
            .toString()
            .toStdString();
    settings.previewWidth =
        store.value(QStringLiteral("PreviewRes_X"), kDefaultPreviewWidth).toInt();
    settings.previewHeight =
        store.value(QStringLiteral("PreviewRes_Y"), kDefaultPreviewHeight).toInt();
    settings.undoDepth = std::clamp(
        store.value(QStringLiteral("UndoDepth"), kDefaultUndoDepth).toInt(), 1, kMaxUndoDepth);
    store.endGroup();

    // The list ends at the first missing value: Pak0, Pak1 and Pak3 give two entries.
    settings.pakFiles.clear();
    store.beginGroup(QStringLiteral("Pak Files"));
    for (int i = 0;; ++i) {
        const QString path =
            store.value(PakValueName(i), QString::fromLatin1(kPakMissing)).toString();
        if (path == QLatin1String(kPakMissing)) {
            break;
        }
        settings.pakFiles.push_back(path.toStdString());
    }
    store.endGroup();
    if (settings.pakFiles.empty()) {
        settings.pakFiles = DefaultPakFiles();
    }
    return SettingsLoad::Loaded;
}

void SaveSettings(const AppSettings& settings) {
    QSettings store = Store();
    store.beginGroup(QStringLiteral("Options"));
    store.setValue(QStringLiteral("Gamma"), settings.gamma);
    store.setValue(QStringLiteral("Quake2 Path"), QString::fromStdString(settings.quake2Path));
    store.setValue(QStringLiteral("PreviewRes_X"), settings.previewWidth);
    store.setValue(QStringLiteral("PreviewRes_Y"), settings.previewHeight);
    store.setValue(QStringLiteral("UndoDepth"), settings.undoDepth);
    store.endGroup();

    store.remove(QStringLiteral("Pak Files"));
    store.beginGroup(QStringLiteral("Pak Files"));
    for (size_t i = 0; i < settings.pakFiles.size(); ++i) {
        store.setValue(PakValueName(static_cast<int>(i)),
                       QString::fromStdString(settings.pakFiles[i]));
    }
    store.endGroup();
    store.sync();
}
