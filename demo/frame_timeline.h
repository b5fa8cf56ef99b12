// What each frame of a document shows, by the document's rule: a frame's entity records hold
// full states and apply onto what the frame before it in the demo shows, or onto its kept
// base when it has one. Entities a frame does not mention carry over unchanged (old origin
// where they stood, no event), a remove record drops its entity. The frame's player state is
// its playerinfo record.
#pragma once

#include "demo_message.h"
#include "entity_codec.h"
#include "entity_state.h"
#include "frame_state.h"

#include <vector>

class DemoBlock;

// The first frame of a block that the game shows (complete), or null.
FrameMessage* FirstCompleteFrame(const DemoBlock& block);
// A frame's playerinfo record (the message after it), or null.
const PlayerInfoMessage* FramePlayer(const FrameMessage& frame);

// Calls fn(const EntityState&) for each entity record of a frame, terminator excluded.
template <class F> void ForEachFrameEntity(const FrameMessage& frame, F&& fn) {
    const DemoMessage* m = frame.next;
    if (m != nullptr && m->type == svc_playerinfo) {
        m = m->next;
    }
    for (; m != nullptr && m->type == svc_packetentities; m = m->next) {
        const auto& e = static_cast<const EntityMessage&>(*m);
        if (e.state.number == 0) {
            break;
        }
        fn(e.state);
    }
}

// Calls fn(const EntityState&) for the records of a frame that the game applies in one pass:
// those with an entity slot, while their numbers rise. Returns false when a record out of order
// (an edit renumbered one) stopped the walk; the frame must then be applied record by record.
template <class F> bool ForEachOrderedFrameEntity(const FrameMessage& frame, F&& fn) {
    int last = 0;
    bool ordered = true;
    ForEachFrameEntity(frame, [&](const EntityState& r) {
        if (!ordered || !HasSlot(r.number)) {
            return;
        }
        if (r.number <= last) {
            ordered = false;
            return;
        }
        last = r.number;
        fn(r);
    });
    return ordered;
}

// Walks frames in the document's order and says what each shows, and which configstrings the
// game holds.
class FrameTimeline {
  public:
    // A new map (serverdata): nothing shown.
    void StartMap();
    // The set a complete frame's records apply onto, as things stand.
    const EntitySet& BaseFor(const FrameMessage& frame) const {
        return frame.keptWhole != nullptr ? frame.keptWhole->base : shown_;
    }
    // Moves on to a complete frame and returns what it shows.
    const EntitySet& ShowFrame(const FrameMessage& frame);
    // Applies one message (serverdata, frame, a configstring record; the rest change nothing
    // here).
    void Apply(const DemoMessage& m);
    void WalkBlock(const DemoBlock& block);

    const EntitySet& Shown() const { return shown_; }
    // The configstrings records have set since the map began; a frame kept whole brings the
    // ones it keeps.
    const ConfigStringOverlay& ConfigStrings() const { return configStrings_; }

  private:
    EntitySet shown_;
    EntitySet next_;
    ConfigStringOverlay configStrings_;
};

// What the first complete frame of `block` applies onto as the document now stands: its kept
// base when it has one, else found by walking
// back to the nearest frame kept whole (or the start of a map, or of the chain) and forward
// again. Null when the block holds no complete frame.
FrameSnapshotPtr FrameBase(const DemoBlock& block);

// Before an edit gives frames new predecessors: keeps the first complete frame of each block
// whole, so it goes on showing what it shows now. `blocks` are in document order (null
// entries and blocks without a frame are passed over); one walk serves them all.
void KeepFramesWhole(const std::vector<DemoBlock*>& blocks);
