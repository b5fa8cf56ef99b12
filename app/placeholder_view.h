// The view of a document template whose window has no content yet: an empty window on the
// document that closes like any other.
#pragma once

#include "view.h"

class CPlaceholderView : public CView {
    Q_OBJECT
  public:
    CPlaceholderView(DocHost& host, int templateId, QWidget* parent = nullptr);
};
