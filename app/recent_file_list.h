// The recent-file list of the File menu: at most four demos, newest first, kept in the
// settings store under "Recent File List" as "File1" .. "File4".
#pragma once

#include <QString>
#include <QStringList>

class CRecentFileList {
  public:
    static constexpr int kSize = 4;

    void Load();
    void Save() const;
    // Puts a path first; an entry for the same file moves up instead of appearing twice.
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Entries() const { return entries_; }
    // "&1 name.dm2": the text of the n-th entry in the menu.
    QString MenuText(int index) const;

  private:
    QStringList entries_;
};
