// The document templates: which kind of child window, view, menu and accelerators belong to
// each way of showing a demo. All four show the same document class.
#pragma once

#include <QString>

#include <deque>
#include <functional>

class CView;
class DocHost;
class QWidget;

enum TemplateId : int {
    kTemplateEditor = 129,
    kTemplateOverhead = 130,
    kTemplateSearchReport = 131,
    kTemplateVisibleEntities = 132,
};

struct CDocTemplate {
    int id = 0;
    int menuId = 0;
    int acceleratorsId = 0; // 0: the template has no accelerators of its own
    // "\nUntitled\nCinerad2\nQuake 2 Demos (*.dm2)\n.dm2\nCinerad2.Document\nCinerad 2 Document"
    QString docString;
    // The editor's own child window (CChildFrame), sized to its form when it opens.
    bool childFrame = false;
    std::function<CView*(DocHost& host, QWidget* parent)> createView;

    // The n-th newline-separated substring of the document string (empty when absent).
    QString DocString(int index) const;
    // The file dialog filter: "Quake 2 Demos (*.dm2)" for the editor, empty for the others.
    QString FilterName() const { return DocString(3); }
    QString FilterExtension() const { return DocString(4); }
};

// The templates in the order they were registered.
class CDocTemplateRegistry {
  public:
    CDocTemplate& Add(CDocTemplate tmpl);
    // The template with that resource id, or null.
    CDocTemplate* Find(int id);
    const std::deque<CDocTemplate>& Templates() const { return templates_; }
    // The first template that can open files (it has a filter): the one File Open uses.
    CDocTemplate* FileTemplate();

  private:
    std::deque<CDocTemplate> templates_; // references stay valid as templates are added
};
