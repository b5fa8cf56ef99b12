// The Ui port: the only way editing commands talk to the person. The editor program
// implements it with Qt dialogs; tests implement it with scripted answers and a transcript.
//
// Each dialog the commands open is one call taking a plain struct of the dialog's fields,
// preset by the caller; the call returns true when the person pressed OK (the struct then
// holds what they entered) and false on Cancel (the struct is left as it was).
#pragma once

#include "editor/demo_info.h"
#include "editor/film_dialogs.h"
#include "editor/message_type_dlg.h"

#include <cstdint>
#include <string>

// "Enter number" (dialog 164): an unsigned number and a line of text above it.
struct NumberDlgData {
    uint32_t number = 0;
    std::string text; // static 1121; empty unless a command sets it
};

// "Block Selection" (dialog 187). `first` is shown only; `lastText` and `countText` are the
// two edit fields, each at most 10 characters; `last` and `count` are the numbers behind them.
// The coupling of the two fields and the reading of their texts are in block_selection.h; after
// OK, `count` holds the number of the count text.
struct BlockSelectionDlgData {
    int32_t first = 0;
    std::string lastText;
    std::string countText;
    int32_t last = 0;
    int32_t count = 0;
};

// "Enter text" (the text entry dialog): a prompt and one line the person types.
struct TextEntryDlgData {
    std::string prompt = "Enter text:";
    std::string text; // preset by the caller; what was typed after OK
};

// "Advanced Search Options" (dialog 192): what the search report lists.
struct AdvancedSearchDlgData {
    std::string keyword; // edit 1136
    int console = 0;     // check box 1139 "Console/Screen Output"
    int sound = 0;       // check box 1138 "Sound containing keyword:"
};

// "Copy Special Query" (dialog 215): the entity whose actor Copy Special collects.
struct CopySpecialDlgData {
    int32_t entity = 1;          // edit 1211
    bool keepBlindSpots = false; // check box 1173, shown disabled and not read
};

// "Entity Description" (dialog 211): the text a visible entity is described with.
struct EntityDescriptionDlgData {
    std::string text; // edit 1033
};

class Ui {
  public:
    virtual ~Ui() = default;

    // A modal OK box captioned with the application title "Cinerad II".
    virtual void ShowMessage(const std::string& text) = 0;
    // A Yes/No question captioned "Tresk" with the question icon; No answers false.
    virtual bool Ask(const std::string& text) = 0;
    // The system beep.
    virtual void Beep() = 0;

    virtual bool RunNumberDlg(NumberDlgData& data) = 0;
    virtual bool RunBlockSelectionDlg(BlockSelectionDlgData& data) = 0;
    virtual bool RunMessageTypeDlg(MessageTypeDlgData& data) = 0;
    virtual bool RunTextEntryDlg(TextEntryDlgData& data) = 0;
    // The camera and film effects dialogs (film_dialogs.h).
    virtual bool RunFixCameraDlg(FixCameraDlgData& data) = 0;
    virtual bool RunReCameraDlg(ReCameraDlgData& data) = 0;
    virtual bool RunFovDlg(FovDlgData& data) = 0;
    virtual bool RunFrameRateDlg(FrameRateDlgData& data) = 0;
    virtual bool RunPaletteShiftDlg(PaletteShiftDlgData& data) = 0;
    virtual bool RunEntityEffectsDlg(EntityEffectsDlgData& data) = 0;
    // "Demo Info" (dialog 171). Its Add, Del and Edit buttons change the lists at once, so
    // after Cancel the lists hold those changes and only the ten fields are as they were.
    virtual bool RunDemoInfoDlg(DemoInfoDlgData& data) = 0;
    virtual bool RunAdvancedSearchDlg(AdvancedSearchDlgData& data) = 0;
    virtual bool RunCopySpecialDlg(CopySpecialDlgData& data) = 0;
    virtual bool RunEntityDescriptionDlg(EntityDescriptionDlgData& data) = 0;

    // What the last command did, for the status bar ("Cut 100 blocks").
    virtual void ShowStatus(const std::string& text) = 0;
};
