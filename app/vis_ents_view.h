// The visible-entities list (template 132): the entities of the editor's current block in a
// report-style list with their models and descriptions, where a click on a row's state image
// or a double click marks an entity for the 3D preview and Enter edits its description. The
// rows, the marks and the commands are VisibleEntitiesList's; this is its list.
#pragma once

#include "view.h"

#include "preview/visible_entities.h"

#include <QList>
#include <QPixmap>

class QFontMetrics;
class QStandardItemModel;
class QTreeView;
class Ui;

class CVisEntsView : public CView {
    Q_OBJECT
  public:
    // The columns as the list shows them: heading, width in pixels.
    struct Column {
        const char* heading;
        int width;
        Qt::Alignment alignment;
    };
    static const Column kColumns[4];

    CVisEntsView(DocHost& host, Ui& ui, QWidget* parent = nullptr);

    // Sets up the image lists and the columns, then lists the current block.
    void OnInitialUpdate() override;
    std::optional<bool> CommandEnabled(int id) const override;
    // 32879 Edit Description.
    bool OnCommand(int id) override;

    QTreeView* List() const { return list_; }
    VisibleEntitiesList& Model() { return model_; }
    // Image list 26018 (the ten marks, then the unmarked image) and the state images 26019
    // (unmarked, marked).
    const QList<QPixmap>& Images() const { return images_; }
    const QList<QPixmap>& StateImages() const { return stateImages_; }
    // Where in the view's viewport a click on row `row`'s state image lands.
    QPoint StateImagePoint(int row) const;

    // A text cut to a column `width` pixels wide: characters go from its end until the rest
    // followed by "..." fits; at least one character stays. A text that fits is kept whole.
    static QString FitText(const QString& text, const QFontMetrics& metrics, int width);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing the list takes its mark's icon off the main window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowRows();
    void SelectRow(size_t row);
    void ShowWindowIcon();
    // Where the editor window on the document stands, when one is open.
    std::optional<EditPlace> EditorPlace() const;
    // The row of the state image under a viewport point, or -1.
    int StateImageRowAt(const QPoint& at) const;

    VisibleEntitiesList model_;
    QTreeView* list_;
    QStandardItemModel* items_;
    QList<QPixmap> images_;
    QList<QPixmap> stateImages_;
    bool showsWindowIcon_ = false; // the main window shows one of this list's marks
};
