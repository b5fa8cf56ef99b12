// The Ui port with Qt dialogs: how the editing commands talk to the person in the program.
#pragma once

#include "editor/ui.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QtUi : public Ui {
  public:
    // Boxes and dialogs open over `parent` (the main window), or over the active window when
    // the parent is gone.
    explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}

    void ShowMessage(const std::string& text) override;
    bool Ask(const std::string& text) override;
    void Beep() override;
    bool RunNumberDlg(NumberDlgData& data) override;
    bool RunBlockSelectionDlg(BlockSelectionDlgData& data) override;
    bool RunMessageTypeDlg(MessageTypeDlgData& data) override;
    bool RunTextEntryDlg(TextEntryDlgData& data) override;
    bool RunFixCameraDlg(FixCameraDlgData& data) override;
    bool RunReCameraDlg(ReCameraDlgData& data) override;
    bool RunFovDlg(FovDlgData& data) override;
    bool RunFrameRateDlg(FrameRateDlgData& data) override;
    bool RunPaletteShiftDlg(PaletteShiftDlgData& data) override;
    bool RunEntityEffectsDlg(EntityEffectsDlgData& data) override;
    bool RunDemoInfoDlg(DemoInfoDlgData& data) override;
    bool RunAdvancedSearchDlg(AdvancedSearchDlgData& data) override;
    bool RunCopySpecialDlg(CopySpecialDlgData& data) override;
    bool RunEntityDescriptionDlg(EntityDescriptionDlgData& data) override;
    // On the main window's status bar (when the parent is one).
    void ShowStatus(const std::string& text) override;

    // The editor's message box: OK only, captioned "Cinerad II".
    static void ShowMessageBox(QWidget* parent, const QString& text);
    // The framework's warnings (range messages and the like): exclamation icon, "Cinerad II".
    static void ShowWarning(QWidget* parent, const QString& text);
    // A Yes/No question with the exclamation icon, captioned "Cinerad II"; No answers false.
    static bool AskWarning(QWidget* parent, const QString& text);

  private:
    QWidget* Parent() const;

    QPointer<QWidget> parent_;
};

// Routes the core's ShowMessage into the program's message box over `parent`.
void InstallShowMessageHandler(QWidget* parent);
