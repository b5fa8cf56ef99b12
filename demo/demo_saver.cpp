#include "demo_saver.h"

#include "codec.h"
#include "demo_block.h"
#include "entity_codec.h"
#include "player_codec.h"
#include "signon_routing.h"
#include "tresk_doc.h"

#include <algorithm>

namespace {

// A frame shares its block with the block's other messages while at least this much room is
// left for its player state and entities; with less the block is split before the frame.
constexpr size_t kMinFrameRoom = 400;

bool IsFrameData(uint8_t type) {
    return type == svc_frame || type == svc_playerinfo || type == svc_packetentities;
}

} // namespace

std::string SaveReportText(const SaveReport& report) {
    std::string text;
    if (report.framesDiffering > 0) {
        text = std::to_string(report.framesDiffering) +
               " frame(s) of the saved demo show the game slightly less than their records: "
               "joining the edited blocks took more than a block's 1400 bytes, so the "
               "remaining changes follow in the next frames.";
    }
    if (report.blocksOverLimit > 0) {
        text += (text.empty() ? "" : " ") + std::to_string(report.blocksOverLimit) +
                " message(s) are longer than the game's 1400-byte packets and were written "
                "alone; the game will stop playing the demo there.";
    }
    return text;
}

void FrameNumbering::Number(FrameMessage& frame) {
    if (!started_) {
        // The first frame keeps its number (at least 1: a delta frame of 0 means none).
        last_ = std::max(frame.server_frame, 1) - 1;
        started_ = true;
    }
    const int32_t s = last_ + 1;
    frame.server_frame = s;
    if (!frame.valid) {
        // A delta frame 16 on names the ring entry of the frame before, which holds another
        // number: the game reads the frame against that entry and does not show it.
        frame.delta_frame = s + 15;
    } else {
        frame.delta_frame = haveFrame_ ? s - 1 : -1;
    }
    last_ = s;
    haveFrame_ = true;
}

void CTreskDoc::RenumberFrames() {
    FrameNumbering numbering;
    for (DemoBlock* b = FirstBlock(); b != nullptr; b = b->next) {
        for (DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            if (m->type == svc_serverdata) {
                numbering.StartMap();
            } else if (auto* f = MessageCast<FrameMessage>(m); f && f->complete) {
                numbering.Number(*f);
            }
        }
    }
}

DemoSaver::DemoSaver(CTreskDoc& doc, ByteSink& out) : doc_(doc), out_(out) {
    plain_.reserve(kMaxBlockBytes * 2);
    bytes_.reserve(kMaxBlockBytes * 2);
    pieces_.reserve(kMaxBlockBytes * 2);
}

SaveReport DemoSaver::Run() {
    DemoBlock* first = doc_.FirstBlock();
    if (first == nullptr) {
        return report_;
    }
    doc_.WriteSignon(out_);
    DemoMessage* head = first->FirstMessage();
    WriteBlock(head != nullptr ? head->next : nullptr);
    for (DemoBlock* b = first->next; b != nullptr; b = b->next) {
        WriteBlock(b->FirstMessage());
    }
    return report_;
}

void DemoSaver::StartMap() {
    haveFrame_ = false;
    held_.clear();
    heldIsShown_ = true;
    heldPlayer_ = PlayerState{};
    baselines_ = {};
    timeline_.StartMap();
    numbering_.StartMap();
}

void DemoSaver::WriteBlock(DemoMessage* from) {
    plain_.clear();
    plainUnits_.clear();
    for (DemoMessage* m = from; m != nullptr; m = m->next) {
        if (!IsFrameData(m->type)) {
            size_t start = plain_.size();
            WriteMessage(plain_, *m, doc_);
            plainUnits_.push_back({start, plain_.size()});
        }
    }
    const size_t plainTotal = plain_.size();
    bytes_.clear();
    units_.clear();
    size_t k = 0;
    size_t addedBytes = 0; // the frames and corrections written so far
    for (DemoMessage* m = from; m != nullptr; m = m->next) {
        if (m->type == svc_frame) {
            auto& f = static_cast<FrameMessage&>(*m);
            if (!f.complete) {
                continue; // the game never saw it
            }
            size_t start = bytes_.size();
            if (f.keptWhole != nullptr) {
                WriteConfigStringCorrections(f.keptWhole->configStrings);
            }
            // A frame after corrections may take a block of its own: a join sends much.
            const bool corrected = bytes_.size() > start;
            size_t shared = plainTotal + addedBytes + (bytes_.size() - start);
            size_t budget = !corrected && shared + kMinFrameRoom <= kMaxBlockBytes
                                ? kMaxBlockBytes - shared
                                : kMaxBlockBytes;
            WriteFrame(f, budget);
            addedBytes += bytes_.size() - start;
        } else if (!IsFrameData(m->type)) {
            const Unit& u = plainUnits_[k++];
            if (u.end > u.start) {
                size_t start = bytes_.size();
                bytes_.insert(bytes_.end(), plain_.begin() + static_cast<std::ptrdiff_t>(u.start),
                              plain_.begin() + static_cast<std::ptrdiff_t>(u.end));
                units_.push_back({start, bytes_.size()});
            }
            AfterPlainMessage(*m);
        }
    }
    PackAndEmit();
}

void DemoSaver::AfterPlainMessage(const DemoMessage& m) {
    switch (m.type) {
    case svc_serverdata:
        StartMap();
        break;
    case svc_configstring:
        timeline_.Apply(m);
        break;
    case svc_spawnbaseline: {
        EntityState s = static_cast<const EntityMessage&>(m).state;
        if (HasSlot(s.number)) {
            if (s.frame == kFrameNotSent) {
                s.frame = 0;
            }
            baselines_[s.number] = s;
        }
        break;
    }
    default:
        break;
    }
}

void DemoSaver::WriteConfigStringCorrections(const ConfigStringOverlay& wanted) {
    const ConfigStringOverlay& held = timeline_.ConfigStrings();
    auto h = held.begin();
    auto t = wanted.begin();
    while (h != held.end() || t != wanted.end()) {
        uint16_t index = 0;
        std::string from;
        std::string to;
        if (t == wanted.end() || (h != held.end() && h->first < t->first)) {
            index = h->first;
            from = h->second;
            to = SignonConfigString(doc_, index);
            ++h;
        } else if (h == held.end() || t->first < h->first) {
            index = t->first;
            from = SignonConfigString(doc_, index);
            to = t->second;
            ++t;
        } else {
            index = t->first;
            from = h->second;
            to = t->second;
            ++h;
            ++t;
        }
        if (from == to) {
            continue;
        }
        size_t start = bytes_.size();
        WireWriter w(bytes_);
        w.Byte(svc_configstring);
        w.Word(index);
        w.String(to);
        units_.push_back({start, bytes_.size()});
    }
}

void DemoSaver::WriteFrame(FrameMessage& frame, size_t budget) {
    numbering_.Number(frame);
    // What the game holds is what this frame's records apply onto: only its records can
    // differ from it.
    const bool recordsSayAll = heldIsShown_ && frame.keptWhole == nullptr;
    const EntitySet& target = timeline_.ShowFrame(frame);
    frameDiffers_ = false;
    const PlayerInfoMessage* player = FramePlayer(frame);
    const PlayerState ps = player != nullptr ? player->state : heldPlayer_;

    std::vector<uint8_t>& head = frameHead_;
    head.clear();
    WriteMessage(head, frame, doc_);
    WireWriter w(head);
    w.Byte(svc_playerinfo);
    WritePlayerDelta(w, ps, heldPlayer_);
    const size_t fixed = head.size() + 1 + 2; // the entities' id and the run's end
    size_t room = budget > fixed ? budget - fixed : 0;

    const size_t start = bytes_.size();
    bytes_.insert(bytes_.end(), head.begin(), head.end());
    WriteEntities(target, room, recordsSayAll ? &frame : nullptr);
    units_.push_back({start, bytes_.size()});
    haveFrame_ = true;
    if (frameDiffers_) {
        ++report_.framesDiffering;
    }
}

void DemoSaver::EncodeEntities(const EntitySet& target, std::vector<EntityPiece>* list) {
    using Piece = EntityPiece;
    pieces_.clear();
    WireWriter w(pieces_);
    // Plain pointers and counts: the byte writes would otherwise make the compiler reload
    // the sets' bounds for every entity.
    const EntityState* from = held_.data();
    const EntityState* to = target.data();
    const size_t fromCount = held_.size();
    const size_t toCount = target.size();
    size_t i = 0;
    size_t j = 0;
    while (i < fromCount || j < toCount) {
        if (list == nullptr && i < fromCount && j < toCount && from[i].number == to[j].number &&
            NothingToSend(from[i], to[j])) {
            ++i; // unchanged: nothing to write, and no piece wanted
            ++j;
            continue;
        }
        Piece p{};
        p.start = pieces_.size();
        if (j == toCount || (i < fromCount && from[i].number < to[j].number)) {
            p.kind = Piece::kRemove;
            p.from = static_cast<uint32_t>(i++);
            WriteEntityRemove(w, from[p.from].number);
        } else if (i == fromCount || to[j].number < from[i].number) {
            // New to the game: read against its baseline, and sent even when it equals it.
            p.kind = Piece::kNew;
            p.to = static_cast<uint32_t>(j++);
            const EntityState& t = to[p.to];
            WriteEntityDelta(w, EntityDeltaBits(baselines_[t.number], t), t);
        } else {
            p.kind = Piece::kChange;
            p.from = static_cast<uint32_t>(i++);
            p.to = static_cast<uint32_t>(j++);
            uint32_t bits = EntityDeltaBits(from[p.from], to[p.to]);
            if (bits != 0) {
                WriteEntityDelta(w, bits, to[p.to]);
            }
        }
        p.end = pieces_.size();
        p.sent = true;
        if (list != nullptr) {
            list->push_back(p);
        }
    }
}

bool DemoSaver::EncodeRecordedEntities(const FrameMessage& frame) {
    pieces_.clear();
    WireWriter w(pieces_);
    const EntityState* from = held_.data();
    const size_t fromCount = held_.size();
    size_t i = 0; // the first held entity not below the records so far
    // Skipped and judged as the timeline does when it shows the frame.
    return ForEachOrderedFrameEntity(frame, [&](const EntityState& r) {
        i = static_cast<size_t>(
            std::lower_bound(from + i, from + fromCount, r.number,
                             [](const EntityState& e, int n) { return e.number < n; }) -
            from);
        const bool held = i < fromCount && from[i].number == r.number;
        if (r.remove) {
            if (held) {
                WriteEntityRemove(w, r.number);
            }
            return;
        }
        EntityState shown = r; // as the timeline shows it
        shown.remove = 0;
        if (!held) {
            WriteEntityDelta(w, EntityDeltaBits(baselines_[shown.number], shown), shown);
        } else if (uint32_t bits = EntityDeltaBits(from[i], shown); bits != 0) {
            WriteEntityDelta(w, bits, shown);
        }
    });
}

void DemoSaver::WriteEntities(const EntitySet& target, size_t room, const FrameMessage* frame) {
    using Piece = EntityPiece;
    std::vector<Piece>& list = entityPieces_;
    const EntitySet& from = held_;
    // Most frames fit: encode without keeping track of the pieces, and only when the
    // differences overflow the room encode them again piece by piece. When the game holds
    // what the frame's records apply onto, every entity without a record is carried over as
    // the game carries it and needs no bytes: the records alone give the same bytes.
    if (frame == nullptr || !EncodeRecordedEntities(*frame)) {
        EncodeEntities(target, nullptr);
    }
    bytes_.push_back(svc_packetentities);
    if (pieces_.size() <= room) {
        bytes_.insert(bytes_.end(), pieces_.begin(), pieces_.end());
        held_ = target;
        heldIsShown_ = true;
    } else {
        // What does not fit waits: the game keeps what it holds for those entities, and the
        // next frames send the rest of the difference.
        list.clear();
        EncodeEntities(target, &list);
        size_t used = 0;
        for (Piece& p : list) {
            size_t length = p.end - p.start;
            if (length > 0 && used + length > room) {
                p.sent = false;
                frameDiffers_ = true;
                continue;
            }
            used += length;
            bytes_.insert(bytes_.end(), pieces_.begin() + static_cast<std::ptrdiff_t>(p.start),
                          pieces_.begin() + static_cast<std::ptrdiff_t>(p.end));
        }
        nextHeld_.clear();
        for (const Piece& p : list) {
            switch (p.kind) {
            case Piece::kRemove:
                if (!p.sent) {
                    nextHeld_.push_back(CarriedEntity(from[p.from]));
                }
                break;
            case Piece::kNew:
                if (p.sent) {
                    nextHeld_.push_back(target[p.to]);
                }
                break;
            case Piece::kChange:
                nextHeld_.push_back(p.sent ? target[p.to] : CarriedEntity(from[p.from]));
                break;
            }
        }
        held_.swap(nextHeld_);
        heldIsShown_ = false;
    }
    WireWriter out(bytes_);
    WriteEntityTerminator(out);
}

void DemoSaver::PackAndEmit() {
    if (bytes_.size() <= kMaxBlockBytes) {
        Emit(bytes_.data(), bytes_.size());
        return;
    }
    // Too much for one packet: the messages go out in order over as many blocks as needed.
    std::vector<uint8_t> pack;
    for (const Unit& u : units_) {
        size_t length = u.end - u.start;
        if (!pack.empty() && pack.size() + length > kMaxBlockBytes) {
            Emit(pack.data(), pack.size());
            pack.clear();
        }
        pack.insert(pack.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(u.start),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(u.end));
    }
    Emit(pack.data(), pack.size());
}

void DemoSaver::Emit(const uint8_t* data, size_t size) {
    if (size == 0) {
        return; // a zero-length block would end playback in the game
    }
    if (size > kMaxBlockBytes) {
        ++report_.blocksOverLimit;
    }
    out_.WriteU32(static_cast<uint32_t>(size));
    out_.Write(data, size);
}
