#include "view.h"

#include "doc_host.h"

CView::CView(DocHost& host, QWidget* parent) : QWidget(parent), host_(&host) {
    host_->AttachView(this);
}

CView::~CView() {
    host_->DetachView(this);
}
