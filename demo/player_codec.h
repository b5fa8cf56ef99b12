// Playerinfo deltas: a flags word, the flagged fields, then the stats mask and the stats.
#pragma once

#include "player_state.h"
#include "wire.h"

// Reads a playerinfo delta. Every field that is not sent keeps its value from `previous`, as
// the game keeps it, stats included; the record's stats mask says which stats were sent.
void ReadPlayerDelta(WireReader& in, const PlayerState& previous, PlayerState& out);

// Writes a playerinfo delta (without the id) against `previous`, sending each field and each
// stat that differs, then makes the record the new previous (with the mask as sent).
void WritePlayerDelta(WireWriter& out, const PlayerState& s, PlayerState& previous);
