#include "message_type_dlg.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// Each list item carries its entry's type (-1: every id of 128 or more).
constexpr int kTypeRole = Qt::UserRole;

// Wide enough for the prompt text, tall enough for most of the 21 entries.
constexpr int kListMinimumWidth = 220;
constexpr int kListMinimumHeight = 160;
constexpr int kInitialWidth = 280;
constexpr int kInitialHeight = 360;

} // namespace

CMessageTypeDlg::CMessageTypeDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("179"));
    setWindowTitle(tr("Message Type"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("1103"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("1102"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(kListMinimumWidth, kListMinimumHeight);
    for (const MessageTypeEntry& entry : MessageTypeEntries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), list_);
        item->setData(kTypeRole, entry.type);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMessageTypeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMessageTypeDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    setSizeGripEnabled(true);
    resize(kInitialWidth, kInitialHeight);

    // Any change of the text moves the selection, the preset included.
    connect(text_, &QLineEdit::textChanged, this, &CMessageTypeDlg::OnTextChanged);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CMessageTypeDlg::OnItemDoubleClicked);
}

void CMessageTypeDlg::SetData(const MessageTypeDlgData& preset) {
    data_ = preset;
    text_->setText(QString::fromStdString(preset.text));
    text_->selectAll();
    text_->setFocus();
}

void CMessageTypeDlg::OnTextChanged(const QString& text) {
    const int row = FindMessageTypePrefix(text.toStdString());
    if (row < 0 || row >= list_->count()) {
        return; // no entry begins so: the selection stays as it was
    }
    list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    list_->scrollToItem(list_->item(row));
}

void CMessageTypeDlg::OnItemDoubleClicked(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    list_->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    accept();
}

void CMessageTypeDlg::accept() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    data_.text = text_->text().toStdString();
    data_.chosenType = selected.isEmpty() ? -1 : selected.front()->data(kTypeRole).toInt();
    QDialog::accept();
}
