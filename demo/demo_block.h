// One block of a demo: the payload of one recorded packet. A block holds its bytes exactly
// as read until it is decoded; decoding turns them into a linked list of message records and
// frees the bytes. Blocks form a doubly linked list owned by the document (or by the block
// clipboard); block numbers are 1-based positions and are not stored.
#pragma once

#include "demo_message.h"
#include "message_arena.h"

#include <cstdint>
#include <memory>
#include <vector>

class CTreskDoc;

// Modes of DemoBlock::Decode.
constexpr int kDecodeWithNeighbours = 0; // also decode up to 50 blocks on each side
constexpr int kDecodeAlone = 4;
constexpr int kNeighbourWindow = 50;

class DemoBlock {
  public:
    DemoBlock() = default;
    DemoBlock(const DemoBlock&) = delete;
    DemoBlock& operator=(const DemoBlock&) = delete;
    // Frees the block's messages and bytes; the caller has unlinked it.
    ~DemoBlock();

    uint32_t rawLength = 0;
    DemoBlock* previous = nullptr;
    DemoBlock* next = nullptr;
    bool decoded = false;

    DemoMessage* FirstMessage() const { return first_; }
    DemoMessage* LastMessage() const { return last_; }
    uint32_t MessageCount() const { return count_; }
    // How many of the messages carry a text (CarriesText): a block without one holds nothing
    // a text search could find, so searches pass it without reading its records.
    uint32_t TextMessageCount() const { return textCount_; }

    // The block's bytes as read or as last encoded; null after decoding.
    const uint8_t* RawBytes() const { return raw_.get(); }
    // Gives the block raw bytes (it becomes undecoded; its messages are freed). A block read
    // from a file shares the file's buffer, which lives until its last block lets go.
    void SetRawBytes(std::shared_ptr<const uint8_t> bytes, uint32_t length);
    // A copy of the bytes.
    void SetRawBytes(const uint8_t* bytes, uint32_t length);
    void FreeRawBytes() { raw_.reset(); }

    // Turns the raw bytes into messages, reading and updating the document's codec state,
    // which follows the game client from block to block: blocks are decoded in file order.
    // mode kDecodeWithNeighbours also decodes the undecoded blocks among the next 50 (in file
    // order) and then the previous 50 (nearest first). A block of length 0 stays undecoded.
    void Decode(CTreskDoc& doc, int mode);

    // Links a record at the tail.
    void AppendMessage(MessagePtr message);
    // Links a record after `after` (at the head when `after` is null).
    void InsertMessageAfter(DemoMessage* after, MessagePtr message);
    // Unlinks and frees the record that follows `after` (the head when `after` is null).
    void EraseMessageAfter(DemoMessage* after);
    // Frees every message.
    void ClearMessages();

    // The first message whose id equals type; null when there is none.
    DemoMessage* FindMessage(uint8_t type) const;
    // The n-th message (1-based; n below 2 gives the first); null past the end.
    DemoMessage* MessageAt(uint32_t n) const;

    // Links a record made in an arena at the tail (the decoder's).
    void AppendPooled(DemoMessage* message);

    // A new unlinked block holding the same: deep copies of the records (packed into the
    // copy's own arena), or the same raw bytes, shared, for an undecoded block.
    DemoBlock* Clone() const;
    // About how many bytes the block takes (its records, or its bytes while undecoded).
    size_t Footprint() const;

  private:
    void Link(DemoMessage* after, DemoMessage* message);
    // Moves freshly decoded records from the scratch arena into one chunk of exactly their size.
    // `whole`: every record made in the scratch arena is linked in the block (none was
    // dropped), so when the scratch arena is one chunk its bytes can move at once.
    void MoveRecordsIntoOwnArena(MessageArena& scratch, bool whole);

    std::shared_ptr<const uint8_t> raw_;
    DemoMessage* first_ = nullptr;
    DemoMessage* last_ = nullptr;
    uint32_t count_ = 0;
    uint32_t textCount_ = 0;
    MessageArena arena_;
};

// Calls visit(message, position) for the messages of `block` in order, numbering them from 1,
// while it answers true. With `textsOnly` only the messages that carry a text are visited, and
// the records after the block's last such message are not read: a text search over a demo
// reads little more than its blocks' leading messages.
template <typename Visit> void VisitMessages(const DemoBlock& block, bool textsOnly, Visit visit) {
    uint32_t textsLeft = block.TextMessageCount();
    uint32_t n = 1;
    for (DemoMessage* m = block.FirstMessage(); m != nullptr; m = m->next, ++n) {
        if (textsOnly) {
            if (textsLeft == 0) {
                return;
            }
            if (!CarriesText(m->type)) {
                continue;
            }
            --textsLeft;
        }
        if (!visit(*m, n)) {
            return;
        }
    }
}

// Frees a chain of blocks from `first` along the next links.
void DeleteBlockChain(DemoBlock* first);

// A new chain duplicating `count` consecutive blocks from `first`: deep copies of the records
// (never through the codec, so the source is left exactly as it was). The copy's first frame
// is kept whole, with what the game showed before it where it came from. Returns the first
// block of the new chain (no previous block), or null when count is 0.
DemoBlock* CopyBlockRun(DemoBlock* first, uint32_t count, CTreskDoc& doc);
