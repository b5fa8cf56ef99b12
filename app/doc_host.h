// One open demo in the program: the document, the views that show it and its undo stack. A
// document lives while it has a view; closing the last view of a modified document asks first
// (the frames do that through ConfirmClose).
#pragma once

#include "demo/tresk_doc.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CView;
class QUndoStack;
class QWidget;

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

    // --- undo -----------------------------------------------------------------------------
    // Mirrors the document's edit history: one command per entry, named after it; its undo
    // and redo move the history through `moveHistory`. Its clean state is the document's.
    QUndoStack* UndoStack() const { return undoStack_; }
    // Moves the history one step (back when `undo`) and shows where the editor stood; set by
    // the editor view. Without it the history moves alone.
    std::function<void(bool undo)> moveHistory;
    bool IsModified() const { return doc_->IsModified(); }
    // After a save: the stack's clean state follows the document's.
    void MarkSaved();

    // Asks "Save changes to NAME?" when the document is modified: Save saves it (false when
    // that fails), Discard goes on, Cancel answers false. Unmodified documents go on at once.
    // `save` runs the save (the application's, so that its messages show).
    bool ConfirmClose(QWidget* parent, const std::function<bool()>& save);

  signals:
    void lastViewClosed(DocHost* host);
    // A view went while others stay.
    void viewsChanged(DocHost* host);
    // The document became modified or clean.
    void modifiedChanged(DocHost* host);

  private:
    std::unique_ptr<CTreskDoc> doc_;
    QString pathName_;
    std::vector<CView*> views_;
    QUndoStack* undoStack_;
};
