// What the editor view shows: the three texts of its form, the block progress bar, the edit
// page of the current message and the keyboard focus. The program implements it with the
// form's widgets; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

class MessagePage;

class ViewDisplay {
  public:
    virtual ~ViewDisplay() = default;

    // Static 1001: the selected run, e.g. "12/900 - 15/900".
    virtual void SetSelectionText(const std::string& text) = 0;
    // Static 1009: the name of the current message's type.
    virtual void SetNameText(const std::string& text) = 0;
    // Static 1010: the current message's position, e.g. "2/5".
    virtual void SetNumberText(const std::string& text) = 0;

    // Progress bar 1207: its range (step 1) and its position.
    virtual void SetProgressRange(uint32_t lower, uint32_t upper) = 0;
    virtual void SetProgressPosition(uint32_t position) = 0;

    // Shows a page in the form's "Message Info:" area, replacing any page shown, with the
    // fields and buttons the model holds now. The model outlives the shown page.
    virtual void ShowPage(const MessagePage& page) = 0;
    // A button changed the values of the shown page: show them again.
    virtual void UpdatePage(const MessagePage& page) = 0;
    // Removes the shown page, if any.
    virtual void DestroyPage() = 0;
    // Copies what the person typed into the shown page's fields into the model's values. The
    // view calls it before it reads a page (storing the pending edits, a page button).
    virtual void StorePageFields(MessagePage& page) = 0;

    // Gives the view the keyboard focus.
    virtual void FocusView() = 0;
};
