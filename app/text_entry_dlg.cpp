#include "text_entry_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CTextEntryDlg::CTextEntryDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("170"));
    setWindowTitle(tr("Text Edit Dialog"));
    prompt_ = new QLabel(this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("1033"));
    // The game's texts end at 2047 characters.
    text_->setMaxLength(2047);
    prompt_->setBuddy(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTextEntryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTextEntryDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(text_);
    layout->addWidget(buttons);
}

void CTextEntryDlg::SetData(const TextEntryDlgData& preset) {
    data_ = preset;
    prompt_->setText(QString::fromStdString(preset.prompt));
    text_->setText(QString::fromStdString(preset.text));
    text_->selectAll();
    text_->setFocus();
}

void CTextEntryDlg::accept() {
    data_.text = text_->text().toStdString();
    QDialog::accept();
}
