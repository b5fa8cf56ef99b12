#include "placeholder_view.h"

CPlaceholderView::CPlaceholderView(DocHost& host, int templateId, QWidget* parent)
    : CView(host, parent) {
    setObjectName(QStringLiteral("Template%1").arg(templateId));
    setMinimumSize(320, 200);
}
