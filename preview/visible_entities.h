// The visible-entities list without its widgets: one row per entity of the current block's
// packetentities records, with its model and the note the person wrote for it, and the ten
// marks that make the 3D preview draw an entity with a marker skin.
//
// Marks and descriptions are the document's entity notes. Which marks are in use is read from
// all the notes each time, never kept beside them, so that an entity marked in another block
// or brought back by an undo still holds its mark and no two entities ever share one. Entity
// numbers from 1024 on have no note: their rows show none and cannot be marked or described.
// Changes go through the document's edit transaction, so they are undone like any other edit.
#pragma once

#include "demo/document_view.h"
#include "demo/edit_history.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CTreskDoc;
class Ui;
struct EntityNote;

constexpr int kEntityMarks = 10;
// The list's image of an unmarked entity (images 0..9 are the marks).
constexpr int kUnmarkedImage = 10;

struct VisibleEntityRow {
    uint16_t number = 0;     // column 0, and the row's item data
    uint8_t modelIndex = 0;  // column 1
    std::string modelName;   // column 2
    std::string description; // column 3
    int mark = -1;           // 0..9, or -1 when unmarked

    bool Marked() const { return mark >= 0; }
    // The row image: the mark, or kUnmarkedImage.
    int Image() const { return Marked() ? mark : kUnmarkedImage; }
};

// "NONE" for model index 0, the model table's name for 1..254, the player model for 255.
std::string EntityModelName(const CTreskDoc& doc, uint8_t modelIndex);

// The note of an entity number, or null for numbers without one (1024 and more).
const EntityNote* NoteOf(const CTreskDoc& doc, uint32_t entity);
// The entity's mark, 0..9, or -1 (also for a number without a note and a marker out of range).
int MarkOf(const CTreskDoc& doc, uint32_t entity);
// The marks the document's notes hold.
std::bitset<kEntityMarks> MarksInUse(const CTreskDoc& doc);

// The rows of the document's current block: one per packetentities record, in block order,
// the run's terminating record (entity 0) included. None without a current block.
std::vector<VisibleEntityRow> VisibleEntityRows(const CTreskDoc& doc);

// What the overhead view writes beside an entity's marker: its number, then its mark
// ("[mark 3]") and its description when it has them.
std::string EntityLabel(const CTreskDoc& doc, uint32_t entity);

// What a toggle did.
enum class MarkChange {
    kNone,     // nothing: no note for that number, or all ten marks in use
    kMarked,   // the entity took the lowest free mark
    kUnmarked, // the entity's mark is free again
};

// Marks an unmarked entity with the lowest free mark, or unmarks a marked one, as one edit of
// the document ("Mark entity 12" / "Unmark entity 12") made at `place`. `mark` receives the
// mark taken or given up.
MarkChange ToggleEntityMark(CTreskDoc& doc, uint32_t entity, const EditPlace& place,
                            int* mark = nullptr);
// Gives an entity a description as one edit ("Describe entity 12"); false, and no edit, for
// a number without a note or a text equal to the one it has.
bool SetEntityDescription(CTreskDoc& doc, uint32_t entity, const std::string& text,
                          const EditPlace& place);

class VisibleEntitiesList : public DocumentView {
  public:
    // Registers with the document; the destructor unregisters.
    VisibleEntitiesList(CTreskDoc& doc, Ui& ui);
    ~VisibleEntitiesList() override;
    VisibleEntitiesList(const VisibleEntitiesList&) = delete;
    VisibleEntitiesList& operator=(const VisibleEntitiesList&) = delete;

    // Hints 0 and 69 read the rows again; hint 70 [entity] selects that entity's row (when
    // listed).
    void OnUpdate(DocumentView* sender, int hint, const std::vector<uint32_t>& values) override;
    void Refresh();

    // A click on a row's state image or a double click: toggles the row's mark, changes the
    // main window's icon and tells the other views with hint 69, so that an open 3D preview
    // shows or drops the marker skin at once.
    void ToggleMark(size_t row);
    // 32879 "&Edit Description": the description dialog for the row, filled with the
    // entity's description; OK stores the text.
    void EditDescription(size_t row);

    const std::vector<VisibleEntityRow>& Rows() const { return rows_; }
    // The row listing an entity, if one does.
    std::optional<size_t> RowOf(uint32_t entity) const;
    // The mark whose image the main window shows, or -1 when it shows its own icon.
    int WindowIconMark() const { return iconMark_; }

    // Where the editor stands, for the history entries of the list's edits; without an
    // answer the edits are placed at the document's current block.
    std::function<std::optional<EditPlace>()> place;
    // Told after the rows were read again.
    std::function<void()> onRowsChanged;
    // Told when a row should become the selected one.
    std::function<void(size_t row)> onSelectRow;
    // Told when the main window's icon changes (WindowIconMark() says to what).
    std::function<void()> onWindowIconChanged;

  private:
    EditPlace Place() const;

    CTreskDoc& doc_;
    Ui& ui_;
    std::vector<VisibleEntityRow> rows_;
    int iconMark_ = -1;
};
