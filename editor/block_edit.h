// Changes to a document's block list that keep every frame showing what it showed: before a
// frame gets a new predecessor it is kept whole.
#pragma once

#include "demo/edit_transaction.h"

#include <cstdint>

class CTreskDoc;
class DemoBlock;

// The messages a block holds after its last frame's player state and entities travel to the
// head of the next block: the game takes them in before the next frame all the same, and an
// edit that moves the next frame then moves them with it. Nothing moves for a block without a
// frame or without a next block.
void ShiftTrailingMessages(DemoBlock* block);
// Removes from a block the messages after its last frame's data (for a copy whose next frame
// stays behind).
void DropTrailingMessages(DemoBlock* block);
// Puts copies of the messages after `source`'s last frame's data at the head of `block`.
void PrependTrailingCopies(const DemoBlock& source, DemoBlock* block);

// The blocks an edit of the run `first` to `last` may change (1-based; `last` = `first` - 1
// for the place before block `first`): the block before the run, whose trailing messages
// move, the run, and the blocks up to the first frame after it, which is kept whole and takes
// them.
BlockSpan EditSpan(const CTreskDoc& doc, uint32_t first, uint32_t last);

// The number of the first block that holds a frame the game shows: the opening blocks before
// it carry the signon, which edits must not reorder. 0 when the demo has no frame.
uint32_t FirstFrameBlockNumber(const CTreskDoc& doc);

// The first block at or after `block` that holds a frame the game shows; null when none.
DemoBlock* NextFrameBlock(DemoBlock* block);
// The block `count - 1` next links after `first` (first itself for a count below 2), or the
// last block when the list ends sooner.
DemoBlock* LastOfRun(DemoBlock* first, uint32_t count);
// Takes `count` blocks from `first` out of the document's list and returns them as a chain
// (no previous link on the first, no next link on the last). The run's first frame and the
// frame after the run are kept whole first. The document's current block becomes the block
// after the run, or the one before it when the run reached the end; its block count drops.
DemoBlock* UnlinkBlockRun(CTreskDoc& doc, DemoBlock* first, uint32_t count);
// Reverses the order of `count` blocks from `first`, which must have blocks before and after
// it. Every frame of the run and the frame after it are kept whole first. The run's old last
// block becomes the document's current block.
void ReverseBlockRun(CTreskDoc& doc, DemoBlock* first, uint32_t count);
