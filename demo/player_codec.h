// Playerinfo deltas: a flags word, the flagged fields, then the stats mask and the stats.
#pragma once

#include "player_state.h"
#include "wire.h"

// Reads a playerinfo delta. Every field that is not sent keeps its value from `previous`, as
// the game keeps it; stats not in the mask are -1.
void ReadPlayerDelta(WireReader& in, const PlayerState& previous, PlayerState& out);

// Writes a playerinfo delta (without the id) against `previous`, sending each field that
// differs and exactly the stats of the record's mask, then makes the record the new previous.
void WritePlayerDelta(WireWriter& out, const PlayerState& s, PlayerState& previous);
