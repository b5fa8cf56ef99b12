// Spawnbaseline and packet entity deltas: bits, entity number and the fields the bits select,
// read and written the way the game's client and server do.
#pragma once

#include "entity_state.h"
#include "wire.h"

#include <cstddef>
#include <cstring>

struct DeltaState;

// Reads the bits (one to four bytes) and the entity number of an entity delta.
uint32_t ReadEntityBits(WireReader& in, uint16_t& number);
// Reads the fields `bits` selects on top of `from`, as the game's client does: a field not
// sent keeps from's value, an old origin not sent is from's origin, an event not sent is 0.
// Frame, skin, effects and renderfx sent in 16 bits are sign-extended, as the game reads them.
void ReadEntityFields(WireReader& in, uint32_t bits, const EntityState& from, EntityState& out);

// Reads a spawnbaseline delta (against an all-zero state). Frame is kFrameNotSent when
// neither frame bit is set.
void ReadBaselineDelta(WireReader& in, EntityState& out);
// Records a baseline in the baseline slot of its entity (a frame not sent is 0 there).
// Numbers beyond the tables are ignored.
void StoreBaseline(DeltaState& delta, const EntityState& s);
// Writes a spawnbaseline (without the id): every non-zero field, and the frame unless it is
// kFrameNotSent.
void WriteBaselineDelta(WireWriter& out, const EntityState& s);

// Whether nothing of `to` needs sending over `from` (EntityDeltaBits would be 0): the usual
// case, an entity carried over unchanged. Compares the fields as three runs of bytes.
inline bool NothingToSend(const EntityState& from, const EntityState& to) {
    static_assert(offsetof(EntityState, origin) + sizeof to.origin ==
                  offsetof(EntityState, old_origin));
    static_assert(offsetof(EntityState, modelindex) + 4 == offsetof(EntityState, angles) &&
                  offsetof(EntityState, angles) + 3 == offsetof(EntityState, sound));
    const auto* f = reinterpret_cast<const unsigned char*>(&from);
    const auto* t = reinterpret_cast<const unsigned char*>(&to);
    constexpr size_t kHead = offsetof(EntityState, old_origin); // frame to origin
    constexpr size_t kTail = offsetof(EntityState, modelindex); // models, angles, sound
    constexpr size_t kTailLength = offsetof(EntityState, sound) + 1 - kTail;
    return to.event == 0 && to.solid == from.solid && std::memcmp(f, t, kHead) == 0 &&
           std::memcmp(f + kTail, t + kTail, kTailLength) == 0 &&
           std::memcmp(to.old_origin, from.origin, sizeof to.old_origin) == 0;
}

// The bits that turn `from` into `to` on the game's side: every field that differs, the old
// origin when it is not from's origin, the event when it is not 0, each variable-width field
// in the smallest form that reads back as the same value. 0 when nothing needs sending.
uint32_t EntityDeltaBits(const EntityState& from, const EntityState& to);
// Writes an entity delta: bits, to's number, the fields `bits` selects from `to`.
void WriteEntityDelta(WireWriter& out, uint32_t bits, const EntityState& to);
// Writes the removal of an entity from the frame: its bits and number, no field.
void WriteEntityRemove(WireWriter& out, uint16_t number);
// Writes the end of a packetentities run (number 0).
void WriteEntityTerminator(WireWriter& out);

// True when an entity number indexes the slot tables.
inline bool HasSlot(int number) {
    return number >= 0 && number < kMaxEntities;
}
