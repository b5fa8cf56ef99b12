// One open demo in the program: the document and the views that show it. A document lives
// while it has a view; when its last view closes the document closes (without a save prompt:
// no command marks a demo modified).
#pragma once

#include "demo/tresk_doc.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class CView;

class DocHost : public QObject {
    Q_OBJECT
  public:
    explicit DocHost(std::unique_ptr<CTreskDoc> doc, QObject* parent = nullptr);
    ~DocHost() override;

    CTreskDoc& Doc() { return *doc_; }
    const CTreskDoc& Doc() const { return *doc_; }
    // The file name the window titles show.
    QString Title() const;
    const QString& PathName() const { return pathName_; }
    void SetPathName(const QString& path) { pathName_ = path; }

    void AttachView(CView* view);
    // Called by a view as it goes; the last one to go makes the host ask to be closed.
    void DetachView(CView* view);
    const std::vector<CView*>& Views() const { return views_; }

  signals:
    void lastViewClosed(DocHost* host);
    // A view went while others stay.
    void viewsChanged(DocHost* host);

  private:
    std::unique_ptr<CTreskDoc> doc_;
    QString pathName_;
    std::vector<CView*> views_;
};
