// The application's block buffer: a chain of blocks that belongs to no document, filled by
// Copy and Cut in any open demo and pasted into any other. Owned by the application and
// handed to every editor view; nothing is put on the desktop's clipboard.
#pragma once

#include <cstdint>

class CTreskDoc;
class DemoBlock;

class CBlockBuffer {
  public:
    CBlockBuffer() = default;
    ~CBlockBuffer();
    CBlockBuffer(const CBlockBuffer&) = delete;
    CBlockBuffer& operator=(const CBlockBuffer&) = delete;

    bool HasBlocks() const { return first_ != nullptr; }
    uint32_t Count() const { return count_; }
    const DemoBlock* First() const { return first_; }

    // Frees every block of the chain.
    void ClearBlockBuffer();
    // Replaces the chain with `count` blocks from `first` of `doc`. copy: deep copies, the
    // document stays exactly as it was. Cut: the run itself is unlinked from the document
    // (the caller has checked that blocks remain around it), and the document's current
    // block becomes the block after the run, or the one before when the run reached the
    // end. Either way the run's first frame and the frame after the run are kept whole first,
    // so both go on showing what they showed.
    void FillBlockBuffer(DemoBlock* first, uint32_t count, CTreskDoc& doc, bool copy);
    // Inserts a deep copy of the chain after `anchor`; the first pasted block becomes the
    // document's current block. The frame after the anchor is kept whole first. Returns the
    // number of blocks inserted (0 with an empty buffer). The buffer keeps its blocks.
    uint32_t PasteBlockBuffer(DemoBlock* anchor, CTreskDoc& doc);

  private:
    DemoBlock* first_ = nullptr;
    uint32_t count_ = 0;
};
