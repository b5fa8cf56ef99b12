#include "search_report_view.h"

#include "doc_host.h"

#include "editor/command_ids.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

const QColor CSearchReportView::kBackground = QColor(150, 175, 175);
const QColor CSearchReportView::kTextBackground = QColor(50, 50, 50);
const QColor CSearchReportView::kText = QColor(0, 200, 0);

namespace {

// The column titles, padded as the list shows them.
const char* const kColumnTitles[] = {
    "Message ",
    "Text Match Found                        ",
    "Block #",
    "Message #",
};

} // namespace

CSearchReportView::CSearchReportView(DocHost& host, Ui& ui, QWidget* parent)
    : CView(host, parent), report_(host.Doc(), ui) {
    setObjectName(QStringLiteral("Template131"));
    setMinimumSize(480, 240);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("SearchReport"));
    items_ = new QStandardItemModel(this);
    table_->setModel(items_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setShowGrid(false);
    QPalette palette = table_->palette();
    palette.setColor(QPalette::Base, kBackground);
    palette.setColor(QPalette::Text, kText);
    table_->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    connect(table_, &QTableView::doubleClicked, this,
            [this] { report_.OnDoubleClick(SelectedRows()); });
    report_.onRowsChanged = [this] { ShowRows(); };
}

void CSearchReportView::OnInitialUpdate() {
    report_.OnInitialUpdate();
}

void CSearchReportView::ShowColumns() {
    if (items_->columnCount() != 0) {
        return;
    }
    items_->setColumnCount(static_cast<int>(std::size(kColumnTitles)));
    const QFontMetrics metrics = table_->horizontalHeader()->fontMetrics();
    for (int c = 0; c < items_->columnCount(); ++c) {
        const QString title = QString::fromLatin1(kColumnTitles[c]);
        items_->setHeaderData(c, Qt::Horizontal, title);
        table_->setColumnWidth(c, metrics.horizontalAdvance(title) + 15);
    }
}

void CSearchReportView::ShowRows() {
    if (!report_.HasColumns()) {
        return;
    }
    ShowColumns();
    const std::vector<SearchReportRow>& rows = report_.Rows();
    items_->setRowCount(0);
    items_->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const SearchReportRow& row = rows[i];
        const QString texts[] = {
            QString::fromStdString(row.typeName),
            QString::fromLatin1(row.text.data(), static_cast<qsizetype>(row.text.size())),
            QString::number(row.block),
            QString::number(row.message),
        };
        for (int c = 0; c < 4; ++c) {
            auto* item = new QStandardItem(texts[c]);
            item->setData(kTextBackground, Qt::BackgroundRole);
            item->setData(kText, Qt::ForegroundRole);
            item->setData(row.block, Qt::UserRole); // the row's item data: its block
            items_->setItem(static_cast<int>(i), c, item);
        }
    }
}

std::vector<size_t> CSearchReportView::SelectedRows() const {
    std::vector<size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<size_t>(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::optional<bool> CSearchReportView::CommandEnabled(int id) const {
    switch (id) {
    case ID_REPORT_DELETE_SELECTION:
    case ID_REPORT_SELECT_ITEMS:
    case ID_REPORT_UPDATE:
        return true;
    default:
        return std::nullopt;
    }
}

bool CSearchReportView::OnCommand(int id) {
    switch (id) {
    case ID_REPORT_DELETE_SELECTION:
        report_.OnDeleteSelection(SelectedRows());
        return true;
    case ID_REPORT_SELECT_ITEMS:
        report_.OnSelectItems(SelectedRows());
        return true;
    case ID_REPORT_UPDATE:
        report_.OnUpdateReport();
        return true;
    default:
        return false;
    }
}
