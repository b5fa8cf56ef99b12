#include "vis_ents_view.h"

#include "doc_host.h"
#include "resource_pictures.h"
#include "tresk_view_form.h"

#include "editor/command_ids.h"
#include "editor/tresk_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kImageSize = 16;

// The style's gap between a cell's edge and what it draws.
int CellMargin(const QWidget* widget) {
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

// Draws each cell's text cut to its column with "..." at its end.
class FitTextDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        opt.text =
            CVisEntsView::FitText(opt.text, opt.fontMetrics, text.width() - 2 * CellMargin(widget));
        opt.textElideMode = Qt::ElideNone;
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }
};

// A list that fills a selected row's band across the whole client width, past its last
// column too.
class FullWidthList : public QTreeView {
  public:
    using QTreeView::QTreeView;

  protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
        if (selectionModel()->isRowSelected(index.row(), index.parent())) {
            const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
            painter->fillRect(
                QRect(0, option.rect.top(), viewport()->width(), option.rect.height()),
                palette().brush(group, QPalette::Highlight));
        }
        QTreeView::drawRow(painter, option, index);
    }
};

} // namespace

const CVisEntsView::Column CVisEntsView::kColumns[4] = {
    {"Entity #", 72, Qt::AlignLeft},
    {"Model #", 52, Qt::AlignHCenter},
    {"Filename", 230, Qt::AlignLeft},
    {"Description (ENTER to edit)", 230, Qt::AlignLeft},
};

CVisEntsView::CVisEntsView(DocHost& host, Ui& ui, QWidget* parent)
    : CView(host, parent), model_(host.Doc(), ui) {
    setObjectName(QStringLiteral("Template132"));
    resize(50, 50);
    list_ = new FullWidthList(this);
    list_->setObjectName(QStringLiteral("VisibleEntities"));
    items_ = new QStandardItemModel(this);
    list_->setModel(items_);
    list_->setItemDelegate(new FitTextDelegate(list_));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    list_->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        model_.ToggleMark(static_cast<size_t>(index.row()));
    });
    model_.place = [this] { return EditorPlace(); };
    model_.onRowsChanged = [this] { ShowRows(); };
    model_.onSelectRow = [this](size_t row) { SelectRow(row); };
    model_.onWindowIconChanged = [this] { ShowWindowIcon(); };
}

void CVisEntsView::OnInitialUpdate() {
    images_ = SplitImageStrip(EntityMarkStrip(), EntityMarkKeyColour());
    stateImages_ = SplitImageStrip(EntityStateStrip(), EntityStateKeyColour());
    // A row shows its state image, then its mark.
    list_->setIconSize(QSize(2 * kImageSize, kImageSize));
    items_->setColumnCount(static_cast<int>(std::size(kColumns)));
    for (int c = 0; c < items_->columnCount(); ++c) {
        items_->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(kColumns[c].heading));
        items_->setHeaderData(c, Qt::Horizontal,
                              static_cast<int>(kColumns[c].alignment | Qt::AlignVCenter),
                              Qt::TextAlignmentRole);
        list_->setColumnWidth(c, kColumns[c].width);
    }
    model_.Refresh();
}

std::optional<EditPlace> CVisEntsView::EditorPlace() const {
    for (CView* v : Host().Views()) {
        if (auto* form = qobject_cast<CTreskViewForm*>(v)) {
            return form->View().Place();
        }
    }
    return std::nullopt;
}

void CVisEntsView::ShowRows() {
    if (items_->columnCount() == 0) {
        return; // not set up yet
    }
    const std::vector<VisibleEntityRow>& rows = model_.Rows();
    // Rows that list the same entity as before stay selected (a toggle, or a block whose
    // entities are the same).
    std::vector<int> selected;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        const size_t r = static_cast<size_t>(index.row());
        if (r < rows.size() && index.data(Qt::UserRole).toUInt() == rows[r].number) {
            selected.push_back(index.row());
        }
    }
    const QModelIndex current = list_->currentIndex();
    const bool keepCurrent = current.isValid() &&
                             static_cast<size_t>(current.row()) < rows.size() &&
                             current.data(Qt::UserRole).toUInt() == rows[current.row()].number;
    const int currentRow = current.row();
    items_->setRowCount(0);
    items_->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const VisibleEntityRow& row = rows[i];
        QPixmap icon(2 * kImageSize, kImageSize);
        icon.fill(Qt::transparent);
        {
            QPainter p(&icon);
            p.drawPixmap(0, 0, stateImages_.value(row.Marked() ? 1 : 0));
            p.drawPixmap(kImageSize, 0, images_.value(row.Image()));
        }
        const QString texts[] = {
            QString::number(row.number),
            QString::number(row.modelIndex),
            QString::fromStdString(row.modelName),
            QString::fromStdString(row.description),
        };
        for (int c = 0; c < 4; ++c) {
            auto* item = new QStandardItem(texts[c]);
            item->setTextAlignment(kColumns[c].alignment | Qt::AlignVCenter);
            item->setData(row.number, Qt::UserRole); // the row's item data: its entity
            if (c == 0) {
                item->setIcon(QIcon(icon));
            }
            items_->setItem(static_cast<int>(i), c, item);
        }
    }
    QItemSelectionModel* selection = list_->selectionModel();
    if (keepCurrent) {
        selection->setCurrentIndex(items_->index(currentRow, 0), QItemSelectionModel::NoUpdate);
    }
    for (int r : selected) {
        selection->select(items_->index(r, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void CVisEntsView::SelectRow(size_t row) {
    const QModelIndex index = items_->index(static_cast<int>(row), 0);
    if (!index.isValid()) {
        return;
    }
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    list_->scrollTo(index);
}

void CVisEntsView::ShowWindowIcon() {
    const int mark = model_.WindowIconMark();
    // Unmarking takes the mark's icon away again: the main window shows its own.
    showsWindowIcon_ = mark >= 0 && mark < images_.size();
    window()->setWindowIcon(showsWindowIcon_ ? QIcon(images_[mark]) : QIcon());
}

void CVisEntsView::closeEvent(QCloseEvent* event) {
    if (showsWindowIcon_) {
        window()->setWindowIcon(QIcon());
        showsWindowIcon_ = false;
    }
    CView::closeEvent(event);
}

std::optional<bool> CVisEntsView::CommandEnabled(int id) const {
    if (id == ID_ENTITY_EDIT_DESCRIPTION) {
        return true;
    }
    return std::nullopt;
}

bool CVisEntsView::OnCommand(int id) {
    if (id != ID_ENTITY_EDIT_DESCRIPTION) {
        return false;
    }
    int first = -1;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        first = first < 0 ? index.row() : std::min(first, index.row());
    }
    if (first >= 0) {
        model_.EditDescription(static_cast<size_t>(first));
    }
    return true;
}

int CVisEntsView::StateImageRowAt(const QPoint& at) const {
    const QModelIndex index = list_->indexAt(at);
    if (!index.isValid()) {
        return -1;
    }
    const QRect cell = list_->visualRect(index.siblingAtColumn(0));
    // The state image, and in a full row anything left of it.
    return at.x() < cell.left() + CellMargin(list_) + kImageSize ? index.row() : -1;
}

QPoint CVisEntsView::StateImagePoint(int row) const {
    const QRect cell = list_->visualRect(items_->index(row, 0));
    return QPoint(cell.left() + CellMargin(list_) + kImageSize / 2, cell.center().y());
}

bool CVisEntsView::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == list_->viewport() && (press || event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int row =
            mouse->button() == Qt::LeftButton ? StateImageRowAt(mouse->position().toPoint()) : -1;
        if (row >= 0) {
            model_.ToggleMark(static_cast<size_t>(row));
            // A second click on the state image toggles again rather than counting as a
            // double click on the row as well.
            return !press;
        }
    }
    return CView::eventFilter(watched, event);
}

QString CVisEntsView::FitText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    const QString dots = QStringLiteral("...");
    qsizetype keep = text.size() - 1;
    while (keep > 1 && metrics.horizontalAdvance(text.left(keep) + dots) > width) {
        --keep;
    }
    return text.left(std::max<qsizetype>(keep, 1)) + dots;
}
