#include "qt_ui.h"

#include "actor_dlgs.h"
#include "advanced_search_dlg.h"
#include "block_selection_dlg.h"
#include "demo_info_dlg.h"
#include "film_dlgs.h"
#include "message_type_dlg.h"
#include "number_dlg.h"
#include "text_entry_dlg.h"

#include "demo/show_message.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace {

const char* const kAppTitle = "Cinerad II";
const char* const kQuestionCaption = "Tresk";

// Runs a dialog that takes its fields with SetData and gives them back with Data: the fields
// are copied back only when the person presses OK.
template <class Dialog, class Data> bool RunDataDialog(QWidget* parent, Data& data) {
    Dialog dlg(parent);
    dlg.SetData(data);
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data = dlg.Data();
    return true;
}

} // namespace

QWidget* QtUi::Parent() const {
    if (parent_) {
        return parent_;
    }
    return QApplication::activeWindow();
}

void QtUi::ShowMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("ShowMessage"));
    box.exec();
}

void QtUi::ShowWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

bool QtUi::AskWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

void QtUi::ShowMessage(const std::string& text) {
    ShowMessageBox(Parent(), QString::fromStdString(text));
}

bool QtUi::Ask(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kQuestionCaption),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, Parent());
    box.setObjectName(QStringLiteral("Ask"));
    return box.exec() == QMessageBox::Yes;
}

void QtUi::Beep() {
    QApplication::beep();
}

bool QtUi::RunNumberDlg(NumberDlgData& data) {
    return RunDataDialog<CNumberDlg>(Parent(), data);
}

bool QtUi::RunBlockSelectionDlg(BlockSelectionDlgData& data) {
    return RunDataDialog<CBlockSelectionDlg>(Parent(), data);
}

bool QtUi::RunMessageTypeDlg(MessageTypeDlgData& data) {
    return RunDataDialog<CMessageTypeDlg>(Parent(), data);
}

bool QtUi::RunTextEntryDlg(TextEntryDlgData& data) {
    return RunDataDialog<CTextEntryDlg>(Parent(), data);
}

bool QtUi::RunFixCameraDlg(FixCameraDlgData& data) {
    CEntityCameraDlg dlg(false, Parent());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data.entity = dlg.entity;
    return true;
}

bool QtUi::RunReCameraDlg(ReCameraDlgData& data) {
    CEntityCameraDlg dlg(true, Parent());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data.entity = dlg.entity;
    data.keepAngles = dlg.keepAngles;
    return true;
}

bool QtUi::RunFovDlg(FovDlgData& data) {
    CSliderValueDlg dlg(true, Parent());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data.initialZoom = dlg.initial;
    data.finalZoom = dlg.value;
    return true;
}

bool QtUi::RunFrameRateDlg(FrameRateDlgData& data) {
    CSliderValueDlg dlg(false, Parent());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data.speed = dlg.value;
    return true;
}

bool QtUi::RunPaletteShiftDlg(PaletteShiftDlgData& data) {
    CPaletteShiftDlg dlg(Parent());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data = dlg.data;
    return true;
}

bool QtUi::RunEntityEffectsDlg(EntityEffectsDlgData& data) {
    CEntityEffectsDlg dlg(data, Parent());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    data = dlg.data;
    return true;
}

bool QtUi::RunDemoInfoDlg(DemoInfoDlgData& data) {
    CDemoInfoDlg dlg(Parent());
    dlg.SetData(data);
    const bool ok = dlg.exec() == QDialog::Accepted;
    if (ok) {
        data = dlg.Data();
    } else {
        data.tables = dlg.Data().tables; // the buttons' changes stay
    }
    return ok;
}

bool QtUi::RunAdvancedSearchDlg(AdvancedSearchDlgData& data) {
    return RunDataDialog<CAdvancedSearchDlg>(Parent(), data);
}

bool QtUi::RunCopySpecialDlg(CopySpecialDlgData& data) {
    return RunDataDialog<CCopySpecialDlg>(Parent(), data);
}

bool QtUi::RunEntityDescriptionDlg(EntityDescriptionDlgData& data) {
    return RunDataDialog<CEntityDescriptionDlg>(Parent(), data);
}

void QtUi::ShowStatus(const std::string& text) {
    auto* window = qobject_cast<QMainWindow*>(parent_.data());
    if (window == nullptr) {
        return;
    }
    // The message pane keeps it until the next command says something (menu prompts show over
    // it meanwhile).
    if (auto* pane = window->statusBar()->findChild<QLabel*>(QStringLiteral("MessagePane"))) {
        pane->setText(QString::fromStdString(text));
    } else {
        window->statusBar()->showMessage(QString::fromStdString(text));
    }
}

void InstallShowMessageHandler(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    SetShowMessageHandler([owner](const std::string& text) {
        QWidget* over = owner ? owner.data() : QApplication::activeWindow();
        QtUi::ShowMessageBox(over, QString::fromStdString(text));
    });
}
