// The undo history of a document: every command that changes a document ends in one entry
// here, named after the command. An entry holds only what the command replaced (the blocks
// it changed, and the signon tables when it changed them), so memory grows with what edits
// touched, not with the demo. Undo and redo put the replaced parts back exactly: the demo
// then saves byte for byte as it did before.
//
// The history also knows the entry the document was last saved at (a document is modified
// when it stands anywhere else) and three snapshots: a snapshot remembers the steps taken
// since it was stored, so restoring it takes them back, as one more undoable entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CTreskDoc;

// Where the editor stood: the first selected block, the selection's length and the message.
struct EditPlace {
    uint32_t block = 0;
    uint32_t selection = 1;
    uint16_t message = 1;
};

// A change that can be taken back and made again. Each application alternates: Undo when the
// document stands right after the change, Redo when it stands right before it.
class EditStep {
  public:
    virtual ~EditStep() = default;
    virtual void Undo(CTreskDoc& doc) = 0;
    virtual void Redo(CTreskDoc& doc) = 0;
    // About how many bytes the step keeps alive.
    virtual size_t Bytes() const = 0;
};
using EditStepPtr = std::shared_ptr<EditStep>;

// One step of a walk through the history: a step, made (forward) or taken back.
struct EditMove {
    EditStepPtr step;
    bool forward = true;
};

constexpr int kSnapshotSlots = 3;
constexpr size_t kDefaultUndoDepth = 100;

class EditHistory {
  public:
    struct Entry {
        std::string label; // "Cut 100 blocks"
        EditStepPtr step;
        EditPlace before; // where the editor stood before the command
        EditPlace after;  // and after it
    };

    // Records a command that has just changed the document. Entries that were undone are
    // dropped; past the depth the oldest entry goes.
    void Push(Entry entry);

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < entries_.size(); }
    // The labels of the entries Undo and Redo would take; empty when there is none.
    std::string UndoLabel() const;
    std::string RedoLabel() const;
    // Takes back the last command; returns where the editor stood before it (nothing when
    // there is nothing to undo).
    std::optional<EditPlace> Undo(CTreskDoc& doc);
    // Makes the last undone command again; returns where the editor stood after it.
    std::optional<EditPlace> Redo(CTreskDoc& doc);

    size_t Count() const { return entries_.size(); }
    size_t Index() const { return index_; }
    size_t Depth() const { return depth_; }
    // At least 1; entries beyond it are dropped, oldest first.
    void SetDepth(size_t depth);

    // The document stands where it was last saved (or opened).
    bool IsClean() const { return saved_ == index_; }
    void MarkSaved() { saved_ = index_; }

    // --- snapshots (slots 1 to 3) ---------------------------------------------------------
    // Remembers the document as it stands now in a slot, with the editor's place.
    void StoreSnapshot(int slot, const EditPlace& place);
    bool HasSnapshot(int slot) const;
    // The steps between the slot's state and now (0: the document is as stored).
    size_t SnapshotDistance(int slot) const;
    // Brings the document back to a slot's state as one entry of its own, labelled
    // "Restore snapshot N"; returns the place stored with it. Nothing happens (no entry) for
    // an empty slot or when the document already is as stored.
    std::optional<EditPlace> RestoreSnapshot(int slot, CTreskDoc& doc);

    // About how many bytes the history keeps alive, snapshots included (steps kept by both
    // counted once).
    size_t Bytes() const;
    // Forgets every entry and snapshot; the document counts as saved where it stands.
    void Clear();

    // Told after every Push (the entry pushed), so that a front end can mirror the history.
    std::function<void(const Entry&)> onPush;

  private:
    struct Snapshot {
        bool stored = false;
        EditPlace place;
        // The moves made since the snapshot, oldest first.
        std::vector<EditMove> moves;
    };
    bool ValidSlot(int slot) const { return slot >= 1 && slot <= kSnapshotSlots; }
    // Every stored snapshot learns of a move.
    void Track(const EditStepPtr& step, bool forward);

    std::vector<Entry> entries_;
    size_t index_ = 0; // entries applied
    // The index the document was saved at; none once that entry was dropped.
    std::optional<size_t> saved_ = 0;
    size_t depth_ = kDefaultUndoDepth;
    std::array<Snapshot, kSnapshotSlots> snapshots_{};
};

// A walk of several moves taken as one step (a snapshot restored).
class EditWalk : public EditStep {
  public:
    explicit EditWalk(std::vector<EditMove> moves) : moves_(std::move(moves)) {}
    void Undo(CTreskDoc& doc) override;
    void Redo(CTreskDoc& doc) override;
    size_t Bytes() const override;

  private:
    std::vector<EditMove> moves_;
};
