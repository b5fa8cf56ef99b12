#include "advanced_search_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

CAdvancedSearchDlg::CAdvancedSearchDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("192"));
    setWindowTitle(tr("Advanced Search Options"));
    auto* group = new QGroupBox(tr("What do you want to include?"), this);
    console_ = new QCheckBox(tr("Console/Screen Output"), group);
    console_->setObjectName(QStringLiteral("1139"));
    sound_ = new QCheckBox(tr("Sound containing keyword:"), group);
    sound_->setObjectName(QStringLiteral("1138"));
    keyword_ = new QLineEdit(group);
    keyword_->setObjectName(QStringLiteral("1136"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(console_, 0, 0, 1, 2);
    grid->addWidget(sound_, 1, 0);
    grid->addWidget(keyword_, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAdvancedSearchDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAdvancedSearchDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void CAdvancedSearchDlg::SetData(const AdvancedSearchDlgData& preset) {
    data_ = preset;
    keyword_->setText(QString::fromStdString(preset.keyword));
    console_->setChecked(preset.console != 0);
    sound_->setChecked(preset.sound != 0);
}

void CAdvancedSearchDlg::accept() {
    data_.keyword = keyword_->text().toStdString();
    data_.console = console_->isChecked() ? 1 : 0;
    data_.sound = sound_->isChecked() ? 1 : 0;
    QDialog::accept();
}
