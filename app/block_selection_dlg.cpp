#include "block_selection_dlg.h"

#include "editor/block_selection.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CBlockSelectionDlg::CBlockSelectionDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("187"));
    setWindowTitle(tr("Block Selection"));
    first_ = new QLineEdit(this);
    first_->setObjectName(QStringLiteral("1122"));
    first_->setEnabled(false);
    last_ = new QLineEdit(this);
    last_->setObjectName(QStringLiteral("1123"));
    last_->setMaxLength(static_cast<int>(kBlockSelectionTextChars));
    count_ = new QLineEdit(this);
    count_->setObjectName(QStringLiteral("1124"));
    count_->setMaxLength(static_cast<int>(kBlockSelectionTextChars));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Select blocks:"), this), 0, 0);
    grid->addWidget(first_, 0, 1);
    grid->addWidget(new QLabel(tr("to"), this), 0, 2);
    grid->addWidget(last_, 0, 3);
    grid->addWidget(count_, 1, 1);
    grid->addWidget(new QLabel(tr("blocks selected."), this), 1, 2, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBlockSelectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBlockSelectionDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    // Only the person's typing couples the fields: the text written into the other field is
    // not fed back (a count of -1 would otherwise come back as 1).
    connect(last_, &QLineEdit::textEdited, this, &CBlockSelectionDlg::OnLastEdited);
    connect(count_, &QLineEdit::textEdited, this, &CBlockSelectionDlg::OnCountEdited);
}

void CBlockSelectionDlg::SetData(const BlockSelectionDlgData& preset) {
    data_ = preset;
    ReadBlockSelectionTexts(data_);
    first_->setText(QString::number(data_.first));
    last_->setText(QString::fromStdString(data_.lastText));
    count_->setText(QString::fromStdString(data_.countText));
    last_->setFocus();
    last_->selectAll();
}

void CBlockSelectionDlg::OnLastEdited(const QString& text) {
    data_.lastText = text.toStdString();
    OnBlockSelectionLastChanged(data_);
    count_->setText(QString::fromStdString(data_.countText));
}

void CBlockSelectionDlg::OnCountEdited(const QString& text) {
    data_.countText = text.toStdString();
    OnBlockSelectionCountChanged(data_);
    last_->setText(QString::fromStdString(data_.lastText));
}

void CBlockSelectionDlg::accept() {
    data_.lastText = last_->text().toStdString();
    data_.countText = count_->text().toStdString();
    ReadBlockSelectionTexts(data_);
    QDialog::accept();
}
