// Translating demo records into the preview's records, and the flown camera back into wire
// units.
#pragma once

#include "demo/entity_state.h"
#include "demo/player_state.h"
#include "orrery/prev_types.h"

#include <cstdint>

struct FrameMessage;

// A spawnbaseline's entity: angles in degrees, origins in game units, spawn marker = solid.
preventity_s BaselineRecord(const EntityState& s);
// A frame's entity: as a baseline, and the skin number cut to 8 bits, old frame = frame,
// skin marker as given (-1 = none).
preventity_s FrameEntityRecord(const EntityState& s, int32_t skinMarker);
// The player's view: eye = origin + view offset, angles in degrees, blend 0..1.
prevplayer_s PlayerRecord(const PlayerState& ps);

// Degrees to a 16-bit view angle: x 182.04445 truncated toward zero, wrapped modulo 65536
// (270 degrees and -90 degrees both give -16384).
int16_t AngleToWire(float degrees);
// Game units to a 16-bit coordinate (1/8 unit), truncated toward zero and held to the
// 16-bit range.
int16_t OriginToWire(float units);

// What a complete frame shows, its records applied onto `base` (what the frame before it
// showed, or its kept base): ascending by number, removed entities gone.
EntitySet ShownBy(const FrameMessage& frame, const EntitySet& base);
