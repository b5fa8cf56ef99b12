// Decoded state of the viewing player, carried by playerinfo messages.
#pragma once

#include <cstdint>

constexpr int kMaxStats = 32;

// Flags of a playerinfo delta on the wire.
enum PlayerDeltaFlags : uint16_t {
    PS_M_TYPE = 1u << 0,
    PS_M_ORIGIN = 1u << 1,
    PS_M_VELOCITY = 1u << 2,
    PS_M_TIME = 1u << 3,
    PS_M_FLAGS = 1u << 4,
    PS_M_GRAVITY = 1u << 5,
    PS_M_DELTA_ANGLES = 1u << 6,
    PS_VIEWOFFSET = 1u << 7,
    PS_VIEWANGLES = 1u << 8,
    PS_KICKANGLES = 1u << 9,
    PS_BLEND = 1u << 10,
    PS_FOV = 1u << 11,
    PS_WEAPONINDEX = 1u << 12,
    PS_WEAPONFRAME = 1u << 13,
    PS_RDFLAGS = 1u << 14,
};

// Raw wire units: origin and velocity in 1/8 unit, delta and view angles in 360/65536
// degrees, view offset and gun offset in 1/4 unit, kick and gun angles in 1/4 degree
// (signed bytes on the wire, sign-extended here), blend components 0 to 255.
struct PlayerState {
    uint8_t pm_type;
    int16_t origin[3];
    int16_t velocity[3];
    uint8_t pm_time;
    uint8_t pm_flags;
    int16_t gravity;
    int16_t delta_angles[3];
    int8_t viewoffset[3];
    int16_t viewangles[3];
    int16_t kick_angles[3];
    uint8_t gunindex;
    uint8_t gunframe;
    int16_t gunoffset[3];
    int16_t gunangles[3];
    float blend[4];
    uint8_t fov;
    uint8_t rdflags;
    int16_t stats[kMaxStats]; // every stat as the game holds it, sent or not
    uint32_t statsMask;       // bit i set: stat i was on the wire (saving sends what differs)
};

// Sets a stat and marks it as sent.
inline void SetStat(PlayerState& ps, int index, int16_t value) {
    ps.stats[index] = value;
    ps.statsMask |= 1u << index;
}
