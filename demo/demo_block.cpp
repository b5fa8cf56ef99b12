#include "demo_block.h"

#include "codec.h"
#include "frame_decoder.h"
#include "frame_problems.h"
#include "frame_timeline.h"
#include "tresk_doc.h"

#include <cstddef>
#include <cstring>

namespace {
// Records take several times the bytes of their wire form.
constexpr size_t kArenaBytesPerWireByte = 12;

// Blocks decode into this arena first; their records then move into one allocation of
// exactly their size, so an open demo costs its records and little else.
MessageArena& ScratchArena() {
    static thread_local MessageArena scratch;
    return scratch;
}
} // namespace

DemoBlock::~DemoBlock() {
    ClearMessages();
}

void DemoBlock::SetRawBytes(std::shared_ptr<const uint8_t> bytes, uint32_t length) {
    ClearMessages();
    raw_ = length > 0 ? std::move(bytes) : nullptr;
    rawLength = length;
    decoded = false;
}

void DemoBlock::SetRawBytes(const uint8_t* bytes, uint32_t length) {
    std::shared_ptr<uint8_t[]> copy = std::make_shared_for_overwrite<uint8_t[]>(length);
    if (length > 0) {
        std::memcpy(copy.get(), bytes, length);
    }
    SetRawBytes(std::shared_ptr<const uint8_t>(copy, copy.get()), length);
}

void DemoBlock::Decode(CTreskDoc& doc, int mode) {
    if (rawLength == 0 || raw_ == nullptr) {
        return;
    }
    ClearMessages();
    MessageArena& scratch = ScratchArena();
    scratch.Reset();
    scratch.Reserve(static_cast<size_t>(rawLength) * kArenaBytesPerWireByte);
    WireReader in(raw_.get(), rawLength);
    ReadStatus status = ReadStatus::kOk;
    while (!in.AtEnd()) {
        status = ReadStatus::kOk;
        DemoMessage* m = ReadMessage(in, doc, scratch, status);
        if (m != nullptr) {
            AppendPooled(m);
        }
        if (status == ReadStatus::kTruncated) {
            doc.ReportProblem("block ends inside a message at byte " +
                              std::to_string(in.Position()) + " of " + std::to_string(rawLength));
            break;
        }
        if (status == ReadStatus::kEndBlock) {
            if (!in.AtEnd()) {
                doc.ReportProblem(std::to_string(in.Remaining()) +
                                  " bytes after an unreadable message were skipped");
            }
            break;
        }
    }
    // A frame never continues into another packet: the game stops at the end of the message.
    if (const ClientFrames& c = doc.delta.client; status == ReadStatus::kOk && c.open != nullptr) {
        FrameCut where = c.stage == ClientFrames::Stage::kWantPlayer ? FrameCut::kBeforePlayer
                         : c.stage == ClientFrames::Stage::kWantEntities
                             ? FrameCut::kBeforeEntities
                             : FrameCut::kInsideEntities;
        doc.ReportProblem(FrameCutByBlockEndProblem(c.open->server_frame, where));
    }
    AbandonFrame(doc);
    // A message cut short was made in the scratch arena and dropped.
    MoveRecordsIntoOwnArena(scratch, status != ReadStatus::kTruncated);
    FreeRawBytes();
    decoded = true;

    if (mode == kDecodeWithNeighbours) {
        DemoBlock* b = next;
        for (int i = 0; i < kNeighbourWindow && b != nullptr; ++i, b = b->next) {
            if (!b->decoded) {
                b->Decode(doc, kDecodeAlone);
            }
        }
        b = previous;
        for (int i = 0; i < kNeighbourWindow && b != nullptr; ++i, b = b->previous) {
            if (!b->decoded) {
                b->Decode(doc, kDecodeAlone);
            }
        }
    }
}

void DemoBlock::MoveRecordsIntoOwnArena(MessageArena& scratch, bool whole) {
    size_t length = 0;
    std::byte* run = whole ? scratch.SingleRun(length) : nullptr;
    if (run != nullptr && length > 0) {
        // The records fill the scratch chunk one after the other, each aligned as the sizing
        // below would place it: one copy of the run lays them out in the block's own chunk,
        // which then needs only its links shifted and its records with texts moved.
        arena_.Release();
        arena_.Reserve(length);
        auto* to = static_cast<std::byte*>(arena_.Allocate(length, alignof(std::max_align_t)));
        std::memcpy(to, run, length);
        auto moved = [run, to](DemoMessage* m) {
            return reinterpret_cast<DemoMessage*>(to + (reinterpret_cast<std::byte*>(m) - run));
        };
        DemoMessage* tail = nullptr;
        for (DemoMessage* m = first_; m != nullptr;) {
            DemoMessage* following = m->next;
            DemoMessage* place = moved(m);
            if (m->type != svc_packetentities && m->type != svc_playerinfo) {
                place = AdoptCopiedMessage(m, place);
            }
            place->next = following != nullptr ? moved(following) : nullptr;
            tail = place;
            m = following;
        }
        first_ = first_ != nullptr ? moved(first_) : nullptr;
        last_ = tail;
        return;
    }
    size_t bytes = 0;
    for (DemoMessage* m = first_; m != nullptr; m = m->next) {
        bytes += ArenaFootprint(m->type, bytes);
    }
    arena_.Release();
    arena_.Reserve(bytes);
    DemoMessage* tail = nullptr;
    for (DemoMessage* m = first_; m != nullptr;) {
        DemoMessage* following = m->next;
        DemoMessage* moved = RelocateMessage(m, arena_);
        moved->next = nullptr;
        if (tail == nullptr) {
            first_ = moved;
        } else {
            tail->next = moved;
        }
        tail = moved;
        m = following;
    }
    last_ = tail;
}

void DemoBlock::Link(DemoMessage* after, DemoMessage* message) {
    if (after == nullptr) {
        message->next = first_;
        first_ = message;
    } else {
        message->next = after->next;
        after->next = message;
    }
    if (message->next == nullptr) {
        last_ = message;
    }
    ++count_;
    textCount_ += CarriesText(message->type) ? 1u : 0u;
}

void DemoBlock::AppendMessage(MessagePtr message) {
    Link(last_, message.release());
}

void DemoBlock::AppendPooled(DemoMessage* message) {
    Link(last_, message);
}

void DemoBlock::InsertMessageAfter(DemoMessage* after, MessagePtr message) {
    Link(after, message.release());
}

void DemoBlock::EraseMessageAfter(DemoMessage* after) {
    DemoMessage* victim = after == nullptr ? first_ : after->next;
    if (victim == nullptr) {
        return;
    }
    if (after == nullptr) {
        first_ = victim->next;
    } else {
        after->next = victim->next;
    }
    if (last_ == victim) {
        last_ = after;
    }
    --count_;
    textCount_ -= CarriesText(victim->type) ? 1u : 0u;
    DestroyMessage(victim);
}

void DemoBlock::ClearMessages() {
    DemoMessage* m = first_;
    while (m != nullptr) {
        DemoMessage* following = m->next;
        DestroyMessage(m);
        m = following;
    }
    first_ = last_ = nullptr;
    count_ = 0;
    textCount_ = 0;
    arena_.Release();
}

DemoMessage* DemoBlock::FindMessage(uint8_t type) const {
    for (DemoMessage* m = first_; m != nullptr; m = m->next) {
        if (m->type == type) {
            return m;
        }
    }
    return nullptr;
}

DemoMessage* DemoBlock::MessageAt(uint32_t n) const {
    DemoMessage* m = first_;
    for (uint32_t i = 1; i < n && m != nullptr; ++i) {
        m = m->next;
    }
    return m;
}

void DeleteBlockChain(DemoBlock* first) {
    while (first != nullptr) {
        DemoBlock* following = first->next;
        delete first;
        first = following;
    }
}

DemoBlock* DemoBlock::Clone() const {
    auto* copy = new DemoBlock;
    copy->rawLength = rawLength;
    copy->decoded = decoded;
    copy->raw_ = raw_;
    size_t bytes = 0;
    for (const DemoMessage* m = first_; m != nullptr; m = m->next) {
        bytes += ArenaFootprint(m->type, bytes);
    }
    copy->arena_.Reserve(bytes);
    for (const DemoMessage* m = first_; m != nullptr; m = m->next) {
        copy->AppendPooled(CloneMessageIn(*m, copy->arena_));
    }
    return copy;
}

size_t DemoBlock::Footprint() const {
    size_t bytes = sizeof(*this);
    for (const DemoMessage* m = first_; m != nullptr; m = m->next) {
        bytes += ArenaFootprint(m->type, bytes);
    }
    return decoded ? bytes : bytes + rawLength;
}

DemoBlock* CopyBlockRun(DemoBlock* first, uint32_t count, CTreskDoc&) {
    DemoBlock* head = nullptr;
    DemoBlock* tail = nullptr;
    DemoBlock* source = first;
    for (uint32_t i = 0; i < count && source != nullptr; ++i, source = source->next) {
        DemoBlock* copy = source->Clone();
        copy->previous = tail;
        if (tail != nullptr) {
            tail->next = copy;
        } else {
            head = copy;
        }
        tail = copy;
    }
    // The copy's first frame no longer follows the frames before it: it keeps what it
    // applies onto.
    if (head != nullptr) {
        DemoBlock* firstFrame = first;
        for (DemoBlock* c = head; c != nullptr; c = c->next, firstFrame = firstFrame->next) {
            if (FrameMessage* f = FirstCompleteFrame(*c)) {
                f->keptWhole = FrameBase(*firstFrame);
                break;
            }
        }
    }
    return head;
}
