// An open demo with a real editor view, for the command-line edits: the view's own commands
// run on it, talking to the person through standard error.
#pragma once

#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"
#include "editor/view_display.h"

#include <memory>
#include <string>

// Messages go to standard error and mark the command as refused; questions are answered by
// the --yes flag; no dialog can run.
class ConsoleUi : public Ui {
  public:
    bool yes = false;
    bool refused = false;
    bool said = false; // something was written to standard error
    void ShowMessage(const std::string& text) override;
    bool Ask(const std::string& text) override;
    void Beep() override { refused = true; }
    bool RunNumberDlg(NumberDlgData&) override { return false; }
    bool RunBlockSelectionDlg(BlockSelectionDlgData&) override { return false; }
    bool RunMessageTypeDlg(MessageTypeDlgData&) override { return false; }
    bool RunTextEntryDlg(TextEntryDlgData&) override { return false; }
    bool RunFixCameraDlg(FixCameraDlgData&) override { return false; }
    bool RunReCameraDlg(ReCameraDlgData&) override { return false; }
    bool RunFovDlg(FovDlgData&) override { return false; }
    bool RunFrameRateDlg(FrameRateDlgData&) override { return false; }
    bool RunPaletteShiftDlg(PaletteShiftDlgData&) override { return false; }
    bool RunEntityEffectsDlg(EntityEffectsDlgData&) override { return false; }
    bool RunDemoInfoDlg(DemoInfoDlgData&) override { return false; }
    bool RunAdvancedSearchDlg(AdvancedSearchDlgData&) override { return false; }
    bool RunCopySpecialDlg(CopySpecialDlgData&) override { return false; }
    bool RunEntityDescriptionDlg(EntityDescriptionDlgData&) override { return false; }
    // What each command did, on standard error.
    void ShowStatus(const std::string& text) override;
};

// Shows nothing.
class NullDisplay : public ViewDisplay {
  public:
    void SetSelectionText(const std::string&) override {}
    void SetNameText(const std::string&) override {}
    void SetNumberText(const std::string&) override {}
    void SetProgressRange(uint32_t, uint32_t) override {}
    void SetProgressPosition(uint32_t) override {}
    void ShowPage(const MessagePage&) override {}
    void UpdatePage(const MessagePage&) override {}
    void DestroyPage() override {}
    void StorePageFields(MessagePage&) override {}
    void FocusView() override {}
};

struct EditSession {
    std::unique_ptr<CTreskDoc> doc;
    ConsoleUi ui;
    NullDisplay display;
    std::unique_ptr<CTreskView> view;

    // Opens and decodes a demo as the editor does; false (reason printed) on failure.
    bool Open(const std::string& path);
    // Selects blocks first to last through the view, as the search report does; false (with
    // a message) when the run is not in the demo.
    bool Select(uint32_t first, uint32_t last);
};
