#include "frame_decoder.h"

#include "entity_codec.h"
#include "frame_problems.h"
#include "player_codec.h"
#include "tresk_doc.h"

#include <algorithm>

namespace {

// Past this many parsed entities since the old frame the client no longer trusts it.
constexpr uint32_t kParseEntitiesTrusted = kParseEntities - 128;

void PushEntity(ClientFrames& c, const EntityState& s) {
    c.parseEntities[(c.building.firstEntity + c.building.entityCount) % kParseEntities] = s;
    ++c.building.entityCount;
}

// Carries the old frame's entities below `end` over unchanged. The loop works on locals: the
// record stores would otherwise make the compiler reload the ring's counters for every
// entity.
void CarryOldUntil(ClientFrames& c, size_t end) {
    size_t i = c.oldIndex;
    if (i >= end) {
        return;
    }
    const EntityState* from = c.base.data();
    EntityState* ring = c.parseEntities.data();
    uint32_t at = c.building.firstEntity + c.building.entityCount;
    const uint32_t carried = static_cast<uint32_t>(end - i);
    for (; i < end; ++i, ++at) {
        EntityState& s = ring[at % kParseEntities];
        s = from[i];
        CarryOver(s);
    }
    c.building.entityCount += carried;
    c.oldIndex = end;
}

// Position of the first old entity numbered `number` or above.
size_t FindOld(const ClientFrames& c, uint16_t number) {
    size_t j = c.oldIndex;
    while (j < c.base.size() && c.base[j].number < number) {
        ++j;
    }
    return j;
}

void CompleteFrame(CTreskDoc& doc) {
    ClientFrames& c = doc.delta.client;
    CarryOldUntil(c, c.base.size());
    RingFrame& entry = c.frames[static_cast<uint32_t>(c.building.serverFrame) % kFrameRing];
    entry = c.building;
    c.parseCount += c.building.entityCount;
    FrameMessage& f = *c.open;
    f.complete = true;
    if (!c.regular) {
        // What the game read this frame against is not simply the frame before it: keep it.
        auto snapshot = std::make_shared<FrameSnapshot>();
        snapshot->base = c.base;
        snapshot->configStrings = c.configStrings;
        f.keptWhole = std::move(snapshot);
    }
    c.haveLast = true;
    c.lastServerFrame = entry.serverFrame;
    c.stage = ClientFrames::Stage::kNone;
    c.open = nullptr;
}

// The game client reads a frame against whatever its ring entry holds, and says so when that
// is not the frame named; it does not show the frame then.
void ReportDeltaNotHeld(CTreskDoc& doc, const FrameMessage& f, const RingFrame& old, bool held,
                        bool entitiesHeld) {
    if (!held) {
        doc.ReportProblem(DeltaFromFrameNotHeldProblem(f.server_frame, f.delta_frame));
    } else if (!entitiesHeld) {
        doc.ReportProblem(DeltaFromOutdatedEntitiesProblem(f.server_frame, f.delta_frame));
    } else if (!old.valid) {
        doc.ReportProblem(DeltaFromInvalidFrameProblem(f.server_frame, f.delta_frame));
    }
}

} // namespace

void ClientFrames::StartMap() {
    frames = {};
    parseCount = 0;
    stage = Stage::kNone;
    open = nullptr;
    haveLast = false;
    configStrings.clear();
}

void BeginFrame(CTreskDoc& doc, FrameMessage& f) {
    ClientFrames& c = doc.delta.client;
    if (c.stage != ClientFrames::Stage::kNone) {
        AbandonFrame(doc);
    }
    c.building = RingFrame{};
    c.building.serverFrame = f.server_frame;
    c.building.firstEntity = c.parseCount;
    c.base.clear();
    c.oldIndex = 0;
    if (f.delta_frame <= 0) {
        // Read against nothing: the player from zero, every entity from its baseline.
        c.building.valid = true;
        c.oldPlayer = PlayerState{};
        c.regular = false;
    } else {
        const RingFrame& old = c.frames[static_cast<uint32_t>(f.delta_frame) % kFrameRing];
        const bool held = old.serverFrame == f.delta_frame;
        const bool entitiesHeld = c.parseCount - old.firstEntity <= kParseEntitiesTrusted;
        c.building.valid = held && entitiesHeld;
        ReportDeltaNotHeld(doc, f, old, held, entitiesHeld);
        c.oldPlayer = old.player;
        // The old frame's entities, copied out of the parse ring in at most two runs (the
        // ring wraps): the new frame's entities may overwrite them while it is read.
        const uint32_t count = std::min(old.entityCount, kParseEntities);
        const uint32_t start = old.firstEntity % kParseEntities;
        const uint32_t firstRun = std::min(count, kParseEntities - start);
        const EntityState* ring = c.parseEntities.data();
        c.base.assign(ring + start, ring + start + firstRun);
        c.base.insert(c.base.end(), ring, ring + (count - firstRun));
        c.regular = c.haveLast && f.delta_frame == c.lastServerFrame && c.building.valid;
    }
    f.valid = c.building.valid;
    f.complete = false;
    f.keptWhole.reset();
    c.open = &f;
    c.stage = ClientFrames::Stage::kWantPlayer;
}

ReadStatus ReadFramePlayer(WireReader& in, CTreskDoc& doc, PlayerInfoMessage& p) {
    ClientFrames& c = doc.delta.client;
    ReadPlayerDelta(in, c.oldPlayer, p.state);
    if (!in.Overflow()) {
        c.building.player = p.state;
        c.stage = ClientFrames::Stage::kWantEntities;
    }
    return ReadStatus::kOk;
}

ReadStatus ReadFrameEntity(WireReader& in, CTreskDoc& doc, EntityMessage& e) {
    ClientFrames& c = doc.delta.client;
    uint16_t number = 0;
    uint32_t bits = ReadEntityBits(in, number);
    if (in.Overflow()) {
        return ReadStatus::kOk;
    }
    e.state = EntityState{};
    e.state.number = number;
    if (!HasSlot(number)) {
        ReportNumberWithoutSlot(doc, number);
        return ReadStatus::kEndBlock; // the game stops reading the packet here
    }
    c.stage = ClientFrames::Stage::kEntities;
    if (number == 0) {
        CompleteFrame(doc);
        return ReadStatus::kOk;
    }
    size_t j = FindOld(c, number);
    const bool inOld = j < c.base.size() && c.base[j].number == number;
    if (bits & U_REMOVE) {
        // The game reads no field of a remove; it drops the old frame's next entity.
        if (inOld) {
            e.state = CarriedEntity(c.base[j]);
            e.state.number = number;
        }
        e.state.remove = 1;
        if (!inOld) {
            const int dropped = j < c.base.size() ? c.base[j].number : 0;
            doc.ReportProblem(RemoveOfEntityNotHeldProblem(c.open->server_frame,
                                                           c.open->delta_frame, number, dropped));
        }
        CarryOldUntil(c, j);
        if (j < c.base.size()) {
            if (!inOld) {
                // A remove of an entity the old frame lacks drops the next one instead: the
                // frame is kept whole without it, so the records still say what was shown.
                c.base.erase(c.base.begin() + static_cast<std::ptrdiff_t>(j));
                c.regular = false;
            } else {
                c.oldIndex = j + 1;
            }
        }
        return ReadStatus::kOk;
    }
    const EntityState& from = inOld ? c.base[j] : doc.delta.baseline[number];
    ReadEntityFields(in, bits, from, e.state);
    if (in.Overflow()) {
        return ReadStatus::kOk;
    }
    CarryOldUntil(c, j);
    PushEntity(c, e.state);
    c.oldIndex = inOld ? j + 1 : j;
    return ReadStatus::kOk;
}

void AbandonFrame(CTreskDoc& doc) {
    ClientFrames& c = doc.delta.client;
    if (c.open != nullptr) {
        c.open->complete = false;
    }
    c.stage = ClientFrames::Stage::kNone;
    c.open = nullptr;
}
