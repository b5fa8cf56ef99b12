#include "edit_transaction.h"

#include "demo_block.h"
#include "tresk_doc.h"

#include <utility>

struct DocumentFields {
    std::string cdTrack;
    ConfigStringTable modelTable{kTableSlots};
    ConfigStringTable soundTable{kTableSlots};
    ConfigStringTable imageTable{kTableSlots};
    ConfigStringTable statusBarTable{kStatusBarSlots};
    ConfigStringTable itemTable{kTableSlots};
    ConfigStringTable skinTable{kTableSlots};
    int32_t protocolVersion = 0;
    int32_t playerNumber = 0;
    std::string levelName;
    std::string mapName;
    std::string mapChecksum;
    std::string skyName;
    std::string skyRotate;
    std::string skyAxis;
    uint16_t maxClients = 0;
    std::array<EntityNote, kMaxEntities> entityNotes;

    // Exchanges every field with the document's.
    void SwapWith(CTreskDoc& doc) {
        std::swap(cdTrack, doc.cdTrack);
        std::swap(modelTable, doc.modelTable);
        std::swap(soundTable, doc.soundTable);
        std::swap(imageTable, doc.imageTable);
        std::swap(statusBarTable, doc.statusBarTable);
        std::swap(itemTable, doc.itemTable);
        std::swap(skinTable, doc.skinTable);
        std::swap(protocolVersion, doc.protocolVersion);
        std::swap(playerNumber, doc.playerNumber);
        std::swap(levelName, doc.levelName);
        std::swap(mapName, doc.mapName);
        std::swap(mapChecksum, doc.mapChecksum);
        std::swap(skyName, doc.skyName);
        std::swap(skyRotate, doc.skyRotate);
        std::swap(skyAxis, doc.skyAxis);
        std::swap(maxClients, doc.maxClients);
        std::swap(entityNotes, doc.entityNotes);
    }
    size_t Bytes() const {
        size_t bytes = sizeof(*this);
        for (const ConfigStringTable* t :
             {&modelTable, &soundTable, &imageTable, &statusBarTable, &itemTable, &skinTable}) {
            bytes += static_cast<size_t>(t->Slots() + 1) * kConfigStringSlotChars;
        }
        for (const EntityNote& n : entityNotes) {
            bytes += n.description.capacity();
        }
        return bytes;
    }
};

namespace {

// Copies of `count` blocks from `first`, as a chain.
DemoBlock* CopyRun(const DemoBlock* first, uint32_t count) {
    DemoBlock* head = nullptr;
    DemoBlock* tail = nullptr;
    for (uint32_t i = 0; i < count && first != nullptr; ++i, first = first->next) {
        DemoBlock* copy = first->Clone();
        copy->previous = tail;
        (tail != nullptr ? tail->next : head) = copy;
        tail = copy;
    }
    return head;
}

std::unique_ptr<DocumentFields> CopyFields(CTreskDoc& doc) {
    auto fields = std::make_unique<DocumentFields>();
    fields->SwapWith(doc); // takes the document's values...
    DocumentFields copy = *fields;
    copy.SwapWith(doc); // ...and gives the document a copy of them back
    return fields;
}

} // namespace

BlockSwap::BlockSwap(uint32_t at, uint32_t present, DemoBlock* other, uint32_t otherCount,
                     uint32_t otherFirstFrameBlock, std::unique_ptr<DocumentFields> otherFields)
    : at_(at), present_(present), other_(other), otherCount_(otherCount),
      otherFirstFrameBlock_(otherFirstFrameBlock), otherFields_(std::move(otherFields)) {}

BlockSwap::~BlockSwap() {
    DeleteBlockChain(other_);
}

void BlockSwap::Swap(CTreskDoc& doc) {
    DemoBlock* before = at_ > 1 ? doc.BlockAt(at_ - 1) : nullptr;
    DemoBlock* out = before != nullptr ? before->next : doc.FirstBlock();
    DemoBlock* lastOut = nullptr;
    DemoBlock* after = out;
    for (uint32_t i = 0; i < present_ && after != nullptr; ++i) {
        lastOut = after;
        after = after->next;
    }
    if (lastOut == nullptr) {
        out = nullptr; // nothing stands there now: the other version is only inserted
    } else {
        out->previous = nullptr;
        lastOut->next = nullptr;
    }
    DemoBlock* in = other_;
    DemoBlock* lastIn = in;
    while (lastIn != nullptr && lastIn->next != nullptr) {
        lastIn = lastIn->next;
    }
    DemoBlock* left = before;
    if (in != nullptr) {
        in->previous = before;
        if (before != nullptr) {
            before->next = in;
        }
        left = lastIn;
    }
    if (left != nullptr) {
        left->next = after;
    }
    if (after != nullptr) {
        after->previous = left;
    }
    doc.currentBlock = in != nullptr ? in : (after != nullptr ? after : before);
    // A step of the fields alone (the notes, the Demo Info texts) leaves the blocks as they
    // were: what is numbered by block and message stays good.
    const bool blocksChange = present_ != 0 || otherCount_ != 0;
    doc.blockCount = doc.blockCount - present_ + otherCount_;
    other_ = out;
    std::swap(present_, otherCount_);
    std::swap(otherFirstFrameBlock_, doc.firstFrameBlock);
    if (otherFields_) {
        otherFields_->SwapWith(doc);
    }
    if (blocksChange) {
        ++doc.blockListChanges;
    }
}

size_t BlockSwap::Bytes() const {
    size_t bytes = sizeof(*this) + (otherFields_ ? otherFields_->Bytes() : 0);
    for (const DemoBlock* b = other_; b != nullptr; b = b->next) {
        bytes += b->Footprint();
    }
    return bytes;
}

EditTransaction::EditTransaction(CTreskDoc& doc, BlockSpan span, const EditPlace& before,
                                 bool fields)
    : doc_(doc), first_(span.first), count_(span.count), blockCountBefore_(doc.blockCount),
      firstFrameBlockBefore_(doc.firstFrameBlock), before_(before) {
    nested_ = doc.openEdits++ > 0;
    if (nested_) {
        return; // the open transaction has copied what this one changes
    }
    if (first_ < 1) {
        first_ = 1;
    }
    if (first_ > doc.blockCount + 1) {
        first_ = doc.blockCount + 1;
    }
    if (count_ > doc.blockCount + 1 - first_) {
        count_ = doc.blockCount + 1 - first_;
    }
    copy_ = CopyRun(count_ > 0 ? doc.BlockAt(first_) : nullptr, count_);
    if (fields) {
        fields_ = CopyFields(doc);
    }
}

EditTransaction::~EditTransaction() {
    --doc_.openEdits;
    if (!committed_ && !nested_) {
        TakeBack()->Undo(doc_);
    }
}

std::unique_ptr<BlockSwap> EditTransaction::TakeBack() {
    const uint32_t present = count_ + doc_.blockCount - blockCountBefore_;
    DemoBlock* copy = std::exchange(copy_, nullptr);
    return std::make_unique<BlockSwap>(first_, present, copy, count_, firstFrameBlockBefore_,
                                       std::move(fields_));
}

bool EditTransaction::Commit(std::string label, const EditPlace& after) {
    if (committed_ || nested_) {
        return false;
    }
    committed_ = true;
    if (count_ != 0 || doc_.blockCount != blockCountBefore_) {
        ++doc_.blockListChanges;
    }
    doc_.history.Push({std::move(label), TakeBack(), before_, after});
    return true;
}

std::string BlockCountText(uint32_t count) {
    return std::to_string(count) + (count == 1 ? " block" : " blocks");
}
