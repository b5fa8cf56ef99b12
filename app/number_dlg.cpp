#include "number_dlg.h"

#include "qt_ui.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>

CNumberDlg::CNumberDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("164"));
    setWindowTitle(tr("Enter number"));
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("1121"));
    number_ = new QLineEdit(this);
    number_->setObjectName(QStringLiteral("1054"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNumberDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNumberDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(number_);
    layout->addWidget(buttons);
}

void CNumberDlg::SetData(const NumberDlgData& preset) {
    data_ = preset;
    text_->setText(QString::fromStdString(preset.text));
    number_->setText(QString::number(preset.number));
    number_->selectAll();
    number_->setFocus();
}

void CNumberDlg::accept() {
    bool ok = false;
    const qulonglong value = number_->text().trimmed().toULongLong(&ok);
    if (!ok || value > std::numeric_limits<uint32_t>::max()) {
        QtUi::ShowWarning(this, tr("Please enter a positive integer."));
        number_->setFocus();
        number_->selectAll();
        return;
    }
    data_.number = static_cast<uint32_t>(value);
    QDialog::accept();
}
