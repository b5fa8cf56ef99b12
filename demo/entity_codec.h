// Spawnbaseline and packet entity deltas: bits, entity number and the fields the bits select.
#pragma once

#include "entity_state.h"
#include "wire.h"

struct DeltaState;

// Reads a spawnbaseline delta (against an all-zero state). Frame is kFrameNotSent when
// neither frame bit is set.
void ReadBaselineDelta(WireReader& in, EntityState& out);
// Records a baseline in the baseline and current-state slots of its entity.
void StoreBaseline(DeltaState& delta, const EntityState& s);
// Writes a spawnbaseline (without the id) and records it like reading does.
void WriteBaselineDelta(WireWriter& out, const EntityState& s, DeltaState& delta);

// Reads one packet entity delta. Fields that are not sent come from the entity's current-state
// slot (event excepted: not sent means 0). Returns false for the run's terminator (number 0).
bool ReadPacketEntityDelta(WireReader& in, const DeltaState& delta, EntityState& out);
// Stores a read packet entity into its slot; a removed entity falls back to its baseline.
void StorePacketEntity(DeltaState& delta, const EntityState& s);
// Writes one packet entity delta against the entity's slot (without the id) and stores it.
// Number 0 writes the run's terminator.
void WritePacketEntityDelta(WireWriter& out, const EntityState& s, DeltaState& delta);

// True when an entity number indexes the slot tables.
inline bool HasSlot(int number) {
    return number >= 0 && number < kMaxEntities;
}
