// The one way a command changes a document. A command opens a transaction over the blocks it
// is about to change, changes them, and commits under its name; the transaction has copied
// what the blocks were, and the history gets a step that swaps the two versions. A
// transaction that ends without a commit puts the blocks back as they were.
#pragma once

#include "configstring_table.h"
#include "edit_history.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CTreskDoc;
class DemoBlock;
struct EntityNote;

// The document's fields outside its blocks that commands change: the signon texts and tables
// the rebuilt signon is written from, and the per-entity notes.
struct DocumentFields;

// Replaces a run of blocks with another version of it (and, when it holds them, the
// document's fields), then holds the version it took out: applied twice, it is undone.
class BlockSwap : public EditStep {
  public:
    // `at`: the 1-based position of the run; `present`: how many blocks the document holds
    // there now; `other`: the chain (of `otherCount` blocks) to put in their place.
    BlockSwap(uint32_t at, uint32_t present, DemoBlock* other, uint32_t otherCount,
              uint32_t otherFirstFrameBlock, std::unique_ptr<DocumentFields> otherFields);
    ~BlockSwap() override;
    BlockSwap(const BlockSwap&) = delete;
    BlockSwap& operator=(const BlockSwap&) = delete;

    void Undo(CTreskDoc& doc) override { Swap(doc); }
    void Redo(CTreskDoc& doc) override { Swap(doc); }
    size_t Bytes() const override;

  private:
    void Swap(CTreskDoc& doc);

    uint32_t at_;
    uint32_t present_;
    DemoBlock* other_;
    uint32_t otherCount_;
    uint32_t otherFirstFrameBlock_;
    std::unique_ptr<DocumentFields> otherFields_;
};

// A run of blocks by position: `count` blocks from block `first` (1-based).
struct BlockSpan {
    uint32_t first = 1;
    uint32_t count = 0;
};

// The outer transaction's span must hold every block a nested one changes.
class EditTransaction {
  public:
    // Opens a change of a run of blocks (a count of 0 changes nothing but inserts before
    // the run's first block). The command may replace, remove and add blocks only in that
    // run. `fields`: it also changes the document's signon fields or notes.
    EditTransaction(CTreskDoc& doc, BlockSpan span, const EditPlace& before, bool fields = false);
    // Without a commit the document goes back to what it was.
    ~EditTransaction();
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

    // Records the change in the document's history under a label ("Cut 100 blocks"). A
    // transaction opened while another is open (a message deletion inside a removal over the
    // selection) is part of that one: it records nothing and returns false.
    bool Commit(std::string label, const EditPlace& after);
    bool Nested() const { return nested_; }

  private:
    std::unique_ptr<BlockSwap> TakeBack();

    CTreskDoc& doc_;
    uint32_t first_;
    uint32_t count_;
    uint32_t blockCountBefore_;
    uint32_t firstFrameBlockBefore_;
    EditPlace before_;
    DemoBlock* copy_ = nullptr;
    std::unique_ptr<DocumentFields> fields_;
    bool committed_ = false;
    bool nested_ = false;
};

// "1 block", "100 blocks".
std::string BlockCountText(uint32_t count);
