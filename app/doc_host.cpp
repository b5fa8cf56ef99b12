#include "doc_host.h"

#include <QFileInfo>

#include <algorithm>

DocHost::DocHost(std::unique_ptr<CTreskDoc> doc, QObject* parent)
    : QObject(parent), doc_(std::move(doc)) {
    pathName_ = QString::fromStdString(doc_->PathName());
}

DocHost::~DocHost() {
    doc_->OnCloseDocument();
}

QString DocHost::Title() const {
    return QFileInfo(pathName_).fileName();
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
