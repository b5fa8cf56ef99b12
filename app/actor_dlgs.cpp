#include "actor_dlgs.h"

#include "qt_ui.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QDialogButtonBox* OkCancel(QDialog* dlg) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    return buttons;
}

} // namespace

CCopySpecialDlg::CCopySpecialDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("215"));
    setWindowTitle(tr("Copy Special Query"));
    auto* group = new QGroupBox(tr("Export Entity Number"), this);
    auto* label = new QLabel(tr("Entity number to export:\n(from selection)"), group);
    entity_ = new QLineEdit(group);
    entity_->setObjectName(QStringLiteral("1211"));
    entity_->setValidator(new QIntValidator(entity_));
    auto* blindSpots = new QCheckBox(tr("Keep 'blind spots'"), group);
    blindSpots->setObjectName(QStringLiteral("1173"));
    blindSpots->setEnabled(false);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(label);
    inner->addWidget(entity_);
    inner->addWidget(blindSpots);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(OkCancel(this));
    SetData(data_);
}

void CCopySpecialDlg::SetData(const CopySpecialDlgData& preset) {
    data_ = preset;
    entity_->setText(QString::number(preset.entity));
}

void CCopySpecialDlg::accept() {
    bool ok = false;
    const int entity = entity_->text().trimmed().toInt(&ok);
    if (!ok) {
        QtUi::ShowWarning(this, tr("Please enter an integer."));
        return;
    }
    data_.entity = entity;
    QDialog::accept();
}

CEntityDescriptionDlg::CEntityDescriptionDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("211"));
    setWindowTitle(tr("Entity Description"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("1033"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(OkCancel(this));
}

void CEntityDescriptionDlg::SetData(const EntityDescriptionDlgData& preset) {
    data_ = preset;
    text_->setText(QString::fromStdString(preset.text));
}

void CEntityDescriptionDlg::accept() {
    data_.text = text_->text().toStdString();
    QDialog::accept();
}
