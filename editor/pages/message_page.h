// The edit page of a message: the fields the editor shows for the current message, in
// readable units, and the rules that carry them back into the record.
//
// A page is a plain model: an ordered list of fields (each with a stable key, its label, a
// kind and its value as text) and a list of buttons. The program draws the fields and copies
// the person's edits back into the values; tests set the values directly. Fill() loads a
// record into the fields; Apply() validates the fields and writes the page's written-back
// fields into a record. A field that does not pass validation is refused with the
// framework's range message and leaves its record field as it was.
#pragma once

#include "demo/demo_message.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

class CTreskDoc;
class Ui;

// Dialog resources of the pages.
enum PageId : int {
    IDD_PAGE_NOTHING = 184,
    IDD_PAGE_MUZZLEFLASH = 193,
    IDD_PAGE_MUZZLEFLASH2 = 194,
    IDD_PAGE_TEMP_ENTITY = 167,
    IDD_PAGE_LAYOUT = 195,
    IDD_PAGE_INVENTORY = 196,
    IDD_PAGE_SOUND = 140,
    IDD_PAGE_PRINT = 142, // print and stufftext
    IDD_PAGE_CENTERPRINT = 155,
    IDD_PAGE_SERVERDATA = 198,
    IDD_PAGE_CONFIGSTRING = 197,
    IDD_PAGE_SPAWNBASELINE = 166,
    IDD_PAGE_PACKETENTITIES = 199,
    IDD_PAGE_PLAYERINFO = 200,
    IDD_PAGE_FRAME = 201,
};

enum class PageFieldKind {
    Static,    // the label alone, a text on the page (no value)
    Line,      // a one-line text box
    MultiLine, // a text box of several lines
    Number,    // a one-line box for a number
    CheckBox,  // the label is the box's text; value "1" checked, "0" not
    ReadOnly,  // a value shown but not editable (a looked-up name)
    List,      // rows of (label, value); the values are editable unless the field is read-only
};

struct PageListRow {
    std::string key;    // stable within the list
    std::string label;  // shown in the first column
    std::string value;  // shown and edited in the second column
    std::string filled; // the value Fill() left
};

struct PageField {
    std::string key; // stable name, e.g. "origin.0", "volume"
    // The label exactly as the page shows it. Empty: the field continues the row of the field
    // before it (the y and z of an origin, the components of a blend).
    std::string label;
    PageFieldKind kind = PageFieldKind::Number;
    std::string value; // the current value as text
    bool enabled = true;
    bool readOnly = false;         // shown, but nothing the person types here is written back
    size_t maxChars = 0;           // 0 = no limit beyond the record's
    std::vector<PageListRow> rows; // List only
    std::string filled;            // the value Fill() left
};

struct PageButton {
    std::string key;
    std::string label;
};

// What a page button may reach: the document (its current block) and the person.
struct PageContext {
    CTreskDoc& doc;
    Ui& ui;
};

class MessagePage {
  public:
    explicit MessagePage(int resourceId) : resourceId_(resourceId) {}
    virtual ~MessagePage() = default;
    MessagePage(const MessagePage&) = delete;
    MessagePage& operator=(const MessagePage&) = delete;

    int ResourceId() const { return resourceId_; }

    const std::vector<PageField>& Fields() const { return fields_; }
    // The program copies the person's edits into the values through this (StorePageFields).
    std::vector<PageField>& Fields() { return fields_; }
    const PageField* FindField(std::string_view key) const;
    PageField* FindField(std::string_view key);
    // The value of a field; empty for an unknown key.
    std::string Value(std::string_view key) const;
    // Sets the value of a field; an unknown key is ignored.
    void SetValue(std::string_view key, std::string value);
    // Sets the value of a list row; unknown keys are ignored.
    void SetRowValue(std::string_view fieldKey, std::string_view rowKey, std::string value);

    // Some field or list row holds another value than Fill() left: the person edited it.
    bool Edited() const;

    const std::vector<PageButton>& Buttons() const { return buttons_; }
    // Runs a button of the page on the values the fields hold now. Returns true when it
    // changed field values (the program shows them again). A button without an action, or an
    // unknown key, returns false.
    virtual bool PressButton(std::string_view key, PageContext& context);

    // Loads a record into the fields. A record of a type the page does not serve leaves the
    // fields as they are.
    virtual void Fill(const DemoMessage& record, const CTreskDoc& doc) = 0;
    // Validates the fields and writes the page's written-back fields into the record. A record
    // of a type the page does not serve is left alone.
    virtual void Apply(DemoMessage& record, Ui& ui) = 0;

  protected:
    PageField& AddField(std::string key, std::string label, PageFieldKind kind);
    // Three fields on one row: key.0 with the label, key.1 and key.2 continuing it.
    void AddTriple(const std::string& key, const std::string& label, PageFieldKind kind);
    void AddButton(std::string key, std::string label);

    // Sets a value and remembers it as the filled value.
    void Load(std::string_view key, std::string value);
    // True when the field still holds the value Fill() left.
    bool Unchanged(std::string_view key) const;

    // Validating readers. A field that still holds the value Fill() left is not taken: false,
    // no message, so the record keeps its value exactly (whatever a lossy conversion would
    // make of it, and whatever changed the record since it was shown); `evenUnchanged` takes
    // it all the same. On a refused value the framework's message goes through ui, false is
    // returned and `out` is untouched.
    // An integer within [min, max].
    bool TakeInt(std::string_view key, int64_t min, int64_t max, Ui& ui, int64_t& out,
                 bool evenUnchanged = false) const;
    // A number within [min, max].
    bool TakeNumber(std::string_view key, double min, double max, Ui& ui, double& out) const;
    // A text of at most maxChars characters.
    bool TakeText(std::string_view key, size_t maxChars, Ui& ui, std::string& out) const;
    // An integer into a record field of type T, within T's range unless narrowed.
    template <class T>
    bool TakeInto(std::string_view key, Ui& ui, T& out, int64_t min = std::numeric_limits<T>::min(),
                  int64_t max = std::numeric_limits<T>::max()) const {
        int64_t v = 0;
        if (!TakeInt(key, min, max, ui, v)) {
            return false;
        }
        out = static_cast<T>(v);
        return true;
    }
    // Coordinates (1/8 unit) shown in game units: key.0 to key.2 into three record values;
    // each component is validated on its own.
    void LoadCoords(const std::string& key, const int16_t raw[3]);
    void TakeCoords(const std::string& key, Ui& ui, int16_t raw[3]) const;
    // A value in 1/4 unit or degree that the wire carries as a signed byte.
    template <class T> void TakeQuarter(std::string_view key, Ui& ui, T& raw) const {
        int64_t v = 0;
        if (TakeQuarterRaw(key, ui, v)) {
            raw = static_cast<T>(v);
        }
    }
    bool TakeQuarterRaw(std::string_view key, Ui& ui, int64_t& raw) const;

  private:
    int resourceId_;
    std::vector<PageField> fields_;
    std::vector<PageButton> buttons_;
};

// The page key of a component: "origin" and 1 give "origin.1".
std::string ComponentKey(const std::string& key, int index);
