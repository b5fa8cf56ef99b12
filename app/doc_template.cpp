#include "doc_template.h"

#include <QStringList>

QString CDocTemplate::DocString(int index) const {
    const QStringList parts = docString.split(QLatin1Char('\n'));
    return index < parts.size() ? parts[index] : QString();
}

CDocTemplate& CDocTemplateRegistry::Add(CDocTemplate tmpl) {
    templates_.push_back(std::move(tmpl));
    return templates_.back();
}

CDocTemplate* CDocTemplateRegistry::Find(int id) {
    for (CDocTemplate& t : templates_) {
        if (t.id == id) {
            return &t;
        }
    }
    return nullptr;
}

CDocTemplate* CDocTemplateRegistry::FileTemplate() {
    for (CDocTemplate& t : templates_) {
        if (!t.FilterName().isEmpty()) {
            return &t;
        }
    }
    return nullptr;
}
