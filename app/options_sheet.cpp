#include "options_sheet.h"

#include "ppage_options_3dview.h"
#include "ppage_options_general.h"

#include "demo/app_settings.h"
#include "orrery/cqrefapiimport.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsSheet::COptionsSheet(const AppSettings& settings, QWidget* parent)
    : QDialog(parent), pakFiles_(settings.pakFiles) {
    setWindowTitle(tr("Cinerad 2 Options"));
    setObjectName(QStringLiteral("OptionsSheet"));

    tabs_ = new QTabWidget(this);
    general_ = new CPPageOptionsGeneral(&pakFiles_, tabs_);
    preview_ = new CPPageOptions3dview(tabs_);
    tabs_->addTab(general_, tr("General"));
    tabs_->addTab(preview_, tr("3D Preview"));

    general_->quake2Path = settings.quake2Path;
    general_->insideSelect = settings.insideSelect;
    general_->showIdsAsHex = settings.showIdsAsHex;
    general_->deleteWithoutConfirmation = settings.deleteWithoutConfirmation;
    preview_->previewWidth = settings.previewWidth;
    preview_->previewHeight = settings.previewHeight;
    preview_->displayTriggerBrushes = settings.displayTriggerBrushes;
    preview_->gamma = settings.gamma;
    preview_->useOpenGL = settings.useOpenGL;
    general_->LoadFields();
    preview_->LoadFields();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsSheet::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void COptionsSheet::accept() {
    if (!preview_->StoreFields()) {
        tabs_->setCurrentWidget(preview_);
        return;
    }
    general_->StoreFields();
    general_->OnOK();
    QDialog::accept();
}

void COptionsSheet::StoreInto(AppSettings& settings) const {
    settings.quake2Path = general_->quake2Path;
    settings.insideSelect = general_->insideSelect;
    settings.showIdsAsHex = general_->showIdsAsHex;
    settings.deleteWithoutConfirmation = general_->deleteWithoutConfirmation;
    settings.previewWidth = preview_->previewWidth;
    settings.previewHeight = preview_->previewHeight;
    settings.displayTriggerBrushes = preview_->displayTriggerBrushes;
    settings.gamma = preview_->gamma;
    settings.useOpenGL = preview_->useOpenGL;
    settings.pakFiles = pakFiles_;
}

bool RunOptionsSheet(QWidget* parent, AppSettings& settings) {
    COptionsSheet sheet(settings, parent);
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    sheet.StoreInto(settings);
    CQRefApiImport::RemovePakFiles();
    CQRefApiImport::AddPakFiles(settings.pakFiles);
    return true;
}
