// Decoded entity state and the compact per-entity state the codec keeps between packets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Entity numbers index tables of this many slots.
constexpr int kMaxEntities = 1024;

// Bits of an entity delta on the wire (one to four bytes; the high bit of each byte
// announces the next one).
enum EntityDeltaBits : uint32_t {
    U_ORIGIN1 = 1u << 0,
    U_ORIGIN2 = 1u << 1,
    U_ANGLE2 = 1u << 2,
    U_ANGLE3 = 1u << 3,
    U_FRAME8 = 1u << 4,
    U_EVENT = 1u << 5,
    U_REMOVE = 1u << 6,
    U_MOREBITS1 = 1u << 7,
    U_NUMBER16 = 1u << 8,
    U_ORIGIN3 = 1u << 9,
    U_ANGLE1 = 1u << 10,
    U_MODEL = 1u << 11,
    U_RENDERFX8 = 1u << 12,
    U_EFFECTS8 = 1u << 14,
    U_MOREBITS2 = 1u << 15,
    U_SKIN8 = 1u << 16,
    U_FRAME16 = 1u << 17,
    U_RENDERFX16 = 1u << 18,
    U_EFFECTS16 = 1u << 19,
    U_MODEL2 = 1u << 20,
    U_MODEL3 = 1u << 21,
    U_MODEL4 = 1u << 22,
    U_MOREBITS3 = 1u << 23,
    U_OLDORIGIN = 1u << 24,
    U_SKIN16 = 1u << 25,
    U_SOUND = 1u << 26,
    U_SOLID = 1u << 27,
};

// Render flags (renderfx) the editor acts on: a model that animates its own movement, and a
// laser beam drawn from origin to old_origin in the colour its skinnum holds.
constexpr uint32_t kRenderFxFrameLerp = 0x0040;
constexpr uint32_t kRenderFxBeam = 0x0080;
// The effects bit of an entity that spins by itself.
constexpr uint32_t kEffectRotate = 0x0001;

// Frame value of a spawnbaseline record whose frame was not sent.
constexpr uint32_t kFrameNotSent = 0xFFFF;

// One entity of a spawnbaseline or packetentities record, in raw wire units:
// coordinates in 1/8 unit, angles as 8-bit angles (360/256 degrees per unit). The fields are
// ordered to pack tightly: a demo holds one of these per entity per frame.
struct EntityState {
    uint32_t frame;   // a baseline's frame is kFrameNotSent when absent from the wire
    uint32_t skinnum; // 32 bits: laser beams keep their colours here
    uint32_t effects;
    uint32_t renderfx;
    int16_t origin[3];
    int16_t old_origin[3];
    uint16_t number;
    uint16_t solid;
    uint8_t modelindex;
    uint8_t modelindex2;
    uint8_t modelindex3;
    uint8_t modelindex4;
    uint8_t angles[3];
    uint8_t sound;
    uint8_t event;
    uint8_t remove; // packetentities only: 1 = the entity leaves the frame
};
static_assert(sizeof(EntityState) == 44, "one entity record per entity per frame: keep it small");

// The state the codec keeps per entity number (a baseline, or the entity as a frame shows
// it), at the full width the game holds: frame 16 bits sign-extended, skin, effects and
// renderfx 32 bits. Number, event and remove are not meaningful in a slot.
struct EntitySlot : EntityState {};

// The entities one frame shows, ascending by number, each at full width.
using EntitySet = std::vector<EntityState>;

// An entity a frame carries over unchanged: the game moves its old origin to where it stood
// and clears its event. Done in place where the state lands: patching a copy just made on the
// stack and storing it again stalls the store forwarding of the copy.
inline void CarryOver(EntityState& s) {
    s.old_origin[0] = s.origin[0];
    s.old_origin[1] = s.origin[1];
    s.old_origin[2] = s.origin[2];
    s.event = 0;
    s.remove = 0;
}

// Appends base[first, last) to `to`, each carried over.
inline void AppendCarried(EntitySet& to, const EntitySet& base, size_t first, size_t last) {
    size_t at = to.size();
    to.insert(to.end(), base.begin() + static_cast<std::ptrdiff_t>(first),
              base.begin() + static_cast<std::ptrdiff_t>(last));
    for (; at < to.size(); ++at) {
        CarryOver(to[at]);
    }
}

inline EntityState CarriedEntity(const EntityState& from) {
    EntityState s = from;
    CarryOver(s);
    return s;
}
