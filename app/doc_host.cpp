#include "doc_host.h"

#include "demo/app_settings.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QUndoStack>

#include <algorithm>

namespace {

// An entry of the document's edit history on the program's undo stack.
class HistoryCommand : public QUndoCommand {
  public:
    HistoryCommand(DocHost& host, const std::string& label)
        : QUndoCommand(QString::fromStdString(label)), host_(host) {}
    void undo() override { Move(true); }
    void redo() override {
        // Pushed after the command ran: the first redo has been done already.
        if (pushed_) {
            pushed_ = false;
            return;
        }
        Move(false);
    }

  private:
    void Move(bool undo) {
        if (host_.moveHistory) {
            host_.moveHistory(undo);
        } else if (undo) {
            host_.Doc().history.Undo(host_.Doc());
        } else {
            host_.Doc().history.Redo(host_.Doc());
        }
    }
    DocHost& host_;
    bool pushed_ = true;
};

} // namespace

DocHost::DocHost(std::unique_ptr<CTreskDoc> doc, QObject* parent)
    : QObject(parent), doc_(std::move(doc)), undoStack_(new QUndoStack(this)) {
    pathName_ = QString::fromStdString(doc_->PathName());
    const int depth = std::max(TheAppSettings().undoDepth, 1);
    undoStack_->setUndoLimit(depth);
    doc_->history.SetDepth(static_cast<size_t>(depth));
    doc_->history.onPush = [this](const EditHistory::Entry& entry) {
        undoStack_->push(new HistoryCommand(*this, entry.label));
    };
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { emit modifiedChanged(this); });
}

DocHost::~DocHost() {
    doc_->history.onPush = nullptr;
    doc_->OnCloseDocument();
}

QString DocHost::Title() const {
    return QFileInfo(pathName_).fileName();
}

void DocHost::MarkSaved() {
    undoStack_->setClean();
    emit modifiedChanged(this);
}

bool DocHost::ConfirmClose(QWidget* parent, const std::function<bool()>& save) {
    if (!IsModified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Cinerad II"),
                    tr("Save changes to %1?").arg(Title()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("SaveChanges"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void DocHost::AttachView(CView* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) {
        views_.push_back(view);
    }
}

void DocHost::DetachView(CView* view) {
    std::erase(views_, view);
    if (views_.empty()) {
        emit lastViewClosed(this);
    } else {
        emit viewsChanged(this);
    }
}
