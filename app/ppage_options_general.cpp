#include "ppage_options_general.h"

#include "qt_ui.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPPageOptionsGeneral::CPPageOptionsGeneral(std::vector<std::string>* pakFiles, QWidget* parent)
    : QWidget(parent), pakFiles_(pakFiles) {
    setObjectName(QStringLiteral("173"));

    auto* settingsGroup = new QGroupBox(tr("Se&ttings"), this);
    insideSelectBox_ = new QCheckBox(tr("&Inside Select"), settingsGroup);
    insideSelectBox_->setObjectName(QStringLiteral("1140"));
    showIdsAsHexBox_ = new QCheckBox(tr("&Show message ID's as Hex"), settingsGroup);
    showIdsAsHexBox_->setObjectName(QStringLiteral("1173"));
    deleteWithoutConfirmationBox_ =
        new QCheckBox(tr("&Delete blocks without confirmation:"), settingsGroup);
    deleteWithoutConfirmationBox_->setObjectName(QStringLiteral("1175"));
    auto* settingsLayout = new QVBoxLayout(settingsGroup);
    settingsLayout->addWidget(insideSelectBox_);
    settingsLayout->addWidget(showIdsAsHexBox_);
    settingsLayout->addWidget(deleteWithoutConfirmationBox_);

    auto* pakGroup =
        new QGroupBox(tr("&PAK Files   (baseq2/pak0.pak and cinerad.pak must be here)"), this);
    pakList_ = new QListWidget(pakGroup);
    pakList_->setObjectName(QStringLiteral("1197"));
    addButton_ = new QPushButton(tr("&Add"), pakGroup);
    addButton_->setObjectName(QStringLiteral("1193"));
    editButton_ = new QPushButton(tr("&Edit"), pakGroup);
    editButton_->setObjectName(QStringLiteral("1194"));
    removeButton_ = new QPushButton(tr("&Remove"), pakGroup);
    removeButton_->setObjectName(QStringLiteral("1195"));
    auto* pakButtons = new QVBoxLayout;
    pakButtons->addWidget(addButton_);
    pakButtons->addWidget(editButton_);
    pakButtons->addWidget(removeButton_);
    pakButtons->addStretch();
    auto* pakLayout = new QHBoxLayout(pakGroup);
    pakLayout->addWidget(pakList_, 1);
    pakLayout->addLayout(pakButtons);

    auto* pathGroup = new QGroupBox(tr("Quake 2 Path (ie:  /usr/share/games/quake2 )"), this);
    quake2PathEdit_ = new QLineEdit(pathGroup);
    quake2PathEdit_->setObjectName(QStringLiteral("1203"));
    auto* browseButton = new QPushButton(tr("Br&owse"), pathGroup);
    browseButton->setObjectName(QStringLiteral("1198"));
    auto* pathLayout = new QHBoxLayout(pathGroup);
    pathLayout->addWidget(quake2PathEdit_, 1);
    pathLayout->addWidget(browseButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settingsGroup);
    layout->addWidget(pakGroup, 1);
    layout->addWidget(pathGroup);

    connect(addButton_, &QPushButton::clicked, this, &CPPageOptionsGeneral::OnAdd);
    connect(editButton_, &QPushButton::clicked, this, &CPPageOptionsGeneral::OnEdit);
    connect(removeButton_, &QPushButton::clicked, this, &CPPageOptionsGeneral::OnRemove);
    connect(browseButton, &QPushButton::clicked, this, &CPPageOptionsGeneral::OnBrowse);
    connect(pakList_, &QListWidget::itemDoubleClicked, this, &CPPageOptionsGeneral::OnEdit);
    // The buttons follow the list only when the selection changes, as they always have.
    connect(pakList_, &QListWidget::currentRowChanged, this, &CPPageOptionsGeneral::UpdateButtons);
}

void CPPageOptionsGeneral::LoadFields() {
    insideSelectBox_->setChecked(insideSelect);
    showIdsAsHexBox_->setChecked(showIdsAsHex);
    deleteWithoutConfirmationBox_->setChecked(deleteWithoutConfirmation);
    quake2PathEdit_->setText(QString::fromStdString(quake2Path));
    pakList_->clear();
    for (const std::string& path : *pakFiles_) {
        pakList_->addItem(QString::fromStdString(path));
    }
    UpdateButtons();
}

void CPPageOptionsGeneral::StoreFields() {
    insideSelect = insideSelectBox_->isChecked();
    showIdsAsHex = showIdsAsHexBox_->isChecked();
    deleteWithoutConfirmation = deleteWithoutConfirmationBox_->isChecked();
    quake2Path = quake2PathEdit_->text().toStdString();
}

void CPPageOptionsGeneral::OnOK() {
    pakFiles_->clear();
    for (int i = 0; i < pakList_->count(); ++i) {
        pakFiles_->push_back(pakList_->item(i)->text().toStdString());
    }
}

void CPPageOptionsGeneral::UpdateButtons() {
    const bool any = pakList_->count() > 0;
    editButton_->setEnabled(any);
    removeButton_->setEnabled(any);
}

QString CPPageOptionsGeneral::PickPakFile(const QString& initial) {
    return QFileDialog::getOpenFileName(this, QString(), initial, tr("Quake 2 Pak Files (*.pak)"));
}

void CPPageOptionsGeneral::OnAdd() {
    const QString path = PickPakFile(QString());
    if (path.isEmpty()) {
        return;
    }
    // A path that is already listed, or is the beginning of a listed path, is not added twice.
    for (int i = 0; i < pakList_->count(); ++i) {
        if (pakList_->item(i)->text().startsWith(path, Qt::CaseInsensitive)) {
            return;
        }
    }
    pakList_->addItem(path);
}

void CPPageOptionsGeneral::OnEdit() {
    const int row = pakList_->currentRow();
    if (row < 0) {
        return;
    }
    const QString current = pakList_->item(row)->text();
    const QString path = PickPakFile(current);
    if (path.isEmpty() || path == current) {
        return;
    }
    delete pakList_->takeItem(row);
    pakList_->insertItem(row, path);
    pakList_->setCurrentRow(row);
}

void CPPageOptionsGeneral::OnRemove() {
    if (!QtUi::AskWarning(this, tr("Are you sure you want to remove this PAK file?"))) {
        return;
    }
    const int row = pakList_->currentRow();
    if (row >= 0) {
        delete pakList_->takeItem(row);
    }
}

void CPPageOptionsGeneral::OnBrowse() {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, tr("Default Demo Directory"));
    if (!folder.isEmpty()) {
        quake2PathEdit_->setText(folder);
    }
}
