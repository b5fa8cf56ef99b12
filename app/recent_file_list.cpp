#include "recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char* const kGroup = "Recent File List";

QString ValueName(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

} // namespace

void CRecentFileList::Load() {
    QSettings store(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
    store.beginGroup(QString::fromLatin1(kGroup));
    entries_.clear();
    for (int i = 0; i < kSize; ++i) {
        const QString path = store.value(ValueName(i)).toString();
        if (!path.isEmpty()) {
            entries_.append(path);
        }
    }
}

void CRecentFileList::Save() const {
    QSettings store(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
    store.remove(QString::fromLatin1(kGroup));
    store.beginGroup(QString::fromLatin1(kGroup));
    for (int i = 0; i < entries_.size(); ++i) {
        store.setValue(ValueName(i), entries_[i]);
    }
}

void CRecentFileList::Add(const QString& path) {
    const QString full = Canonical(path);
    for (int i = 0; i < entries_.size(); ++i) {
        if (Canonical(entries_[i]) == full) {
            entries_.removeAt(i);
            break;
        }
    }
    entries_.prepend(full);
    while (entries_.size() > kSize) {
        entries_.removeLast();
    }
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < entries_.size()) {
        entries_.removeAt(index);
    }
}

QString CRecentFileList::MenuText(int index) const {
    QString name = QFileInfo(entries_.value(index)).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}
