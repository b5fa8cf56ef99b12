// One decoded server message of a demo block, with its payload in raw wire units.
//
// Every record starts with the link to the next message of its block and the message id;
// the payload type depends on the id (see MessageCast). Records are zero-filled on creation.
// A block owns its records; records made outside a block are held in a MessagePtr until a
// block takes them over.
#pragma once

#include "entity_state.h"
#include "frame_state.h"
#include "player_state.h"
#include "svc.h"

#include <cstdint>
#include <memory>
#include <string>

// Longest text a record holds; longer wire strings are cut to this many characters.
constexpr size_t kMaxTextChars = 2047;

struct DemoMessage {
    DemoMessage* next = nullptr;
    uint8_t type = 0;
    bool pooled = false; // storage belongs to a block's arena, not the heap

    // Ids without a payload: bad, nop, disconnect, reconnect, download and any other.
    static bool Holds(uint8_t) { return true; }
};

struct MuzzleFlashMessage : DemoMessage {
    uint16_t entity = 0;
    uint8_t weapon = 0; // weapon (muzzleflash) or flash number (muzzleflash2)
    static bool Holds(uint8_t t) { return t == svc_muzzleflash || t == svc_muzzleflash2; }
};

struct TempEntityMessage : DemoMessage {
    uint8_t subtype = 0;
    uint16_t entity = 0;
    int16_t position[3] = {};
    int16_t end_position[3] = {};
    uint8_t direction = 0; // index into the game's table of unit normals
    int16_t offset[3] = {};
    uint8_t count = 0;
    uint8_t splash_color = 0;
    uint8_t sparks_color = 0; // also the colour byte of the mission-pack effects
    // Fields of the mission-pack effects only.
    uint16_t entity2 = 0;  // lightning: destination entity
    int16_t id = 0;        // steam: next id; widow beam: id
    int16_t magnitude = 0; // steam
    int32_t wait = 0;      // steam with an id other than -1
    static bool Holds(uint8_t t) { return t == svc_temp_entity; }
};

// layout, stufftext, centerprint.
struct TextMessage : DemoMessage {
    std::string text;
    static bool Holds(uint8_t t) {
        return t == svc_layout || t == svc_stufftext || t == svc_centerprint;
    }
};

struct PrintMessage : DemoMessage {
    uint8_t level = 0;
    std::string text;
    static bool Holds(uint8_t t) { return t == svc_print; }
};

// Records whose payload is a line of text the editor searches: layout, stufftext,
// centerprint, print and configstring.
inline bool CarriesText(uint8_t t) {
    return TextMessage::Holds(t) || PrintMessage::Holds(t) || t == svc_configstring;
}

constexpr int kInventoryItems = 256;

struct InventoryMessage : DemoMessage {
    int16_t counts[kInventoryItems] = {};
    static bool Holds(uint8_t t) { return t == svc_inventory; }
};

// Flags of a sound message: which optional fields follow on the wire.
enum SoundFlags : uint8_t {
    SND_VOLUME = 1,
    SND_ATTENUATION = 2,
    SND_POS = 4,
    SND_ENT = 8,
    SND_OFFSET = 16,
};

struct SoundMessage : DemoMessage {
    uint8_t flags = 0; // as read; writing adds the flag of every non-zero field
    uint8_t soundnum = 0;
    uint8_t volume = 0;      // raw 0 to 255
    uint8_t attenuation = 0; // raw byte, 64 per unit
    uint32_t channel = 0;    // 0 to 7
    int16_t origin[3] = {};
    uint32_t entity = 0;     // 0 to 8191
    uint8_t time_offset = 0; // milliseconds
    static bool Holds(uint8_t t) { return t == svc_sound; }
};

struct ServerDataMessage : DemoMessage {
    int32_t protocol = 0;
    uint32_t server_count = 0;
    uint8_t attract_loop = 0;
    std::string game_dir;
    int16_t player_number = 0;
    std::string level_name;
    static bool Holds(uint8_t t) { return t == svc_serverdata; }
};

struct ConfigStringMessage : DemoMessage {
    uint16_t index = 0;
    // Read before the demo's first frame into the document's signon fields or tables: the
    // rebuilt signon carries it, so the record itself is not written again.
    bool signon = false;
    std::string value;
    static bool Holds(uint8_t t) { return t == svc_configstring; }
};

// spawnbaseline and packetentities.
struct EntityMessage : DemoMessage {
    EntityState state{};
    static bool Holds(uint8_t t) { return t == svc_spawnbaseline || t == svc_packetentities; }
};
static_assert(sizeof(EntityMessage) <= 56, "the most frequent record of a demo");

struct PlayerInfoMessage : DemoMessage {
    PlayerState state{};
    static bool Holds(uint8_t t) { return t == svc_playerinfo; }
};

constexpr int kMaxAreaBits = 256;

struct FrameMessage : DemoMessage {
    int32_t server_frame = 0;
    int32_t delta_frame = 0;
    uint8_t area_bits_length = 0; // bytes sent; area bits past the stored ones are 0
    uint8_t suppress_count = 0;
    std::string area_bits; // the area bit bytes as read (may hold NULs)
    // The game showed this frame: the ring entry its delta number named held that frame.
    bool valid = true;
    // The frame's player state and entities followed it whole; the game never saw one that
    // broke off, and saving leaves it out.
    bool complete = true;
    // Set when the frame's predecessor is not the frame before it in the demo: the entities
    // its records apply onto and the configstrings of play in effect there.
    FrameSnapshotPtr keptWhole;
    uint8_t AreaBit(int i) const {
        return i < static_cast<int>(area_bits.size()) ? static_cast<uint8_t>(area_bits[i]) : 0;
    }
    static bool Holds(uint8_t t) { return t == svc_frame; }
};

// The record of an id, or null when the id carries another payload.
template <class T> T* MessageCast(DemoMessage* m) {
    return m != nullptr && T::Holds(m->type) ? static_cast<T*>(m) : nullptr;
}
template <class T> const T* MessageCast(const DemoMessage* m) {
    return m != nullptr && T::Holds(m->type) ? static_cast<const T*>(m) : nullptr;
}

// Destroys a record made by NewMessage (frees it) or in a block's arena (storage stays).
void DestroyMessage(DemoMessage* m);

struct MessageDeleter {
    void operator()(DemoMessage* m) const { DestroyMessage(m); }
};
using MessagePtr = std::unique_ptr<DemoMessage, MessageDeleter>;

// A new zero-filled record of an id on the heap.
MessagePtr NewMessage(uint8_t type);

// A deep copy of a record on the heap (the next link is cleared).
MessagePtr CloneMessage(const DemoMessage& m);

class MessageArena;
// A new zero-filled record of an id in an arena.
DemoMessage* NewMessageIn(MessageArena& arena, uint8_t type);
// A deep copy of a record in an arena (the next link is cleared).
DemoMessage* CloneMessageIn(const DemoMessage& m, MessageArena& arena);

// Bytes a record of this id takes in an arena placed after `offset` bytes (alignment
// included): the sum over a block's records sizes an arena that holds them exactly.
size_t ArenaFootprint(uint8_t type, size_t offset);
// Moves a record into an arena; the old record is destroyed (its storage stays where it was).
DemoMessage* RelocateMessage(DemoMessage* m, MessageArena& to);
// Completes the move of a record whose bytes were copied to `place` along with its
// neighbours: a record that is not a plain copy of its bytes (it holds texts or a kept frame)
// is moved there from `m`, which is destroyed. Returns the record at `place`.
DemoMessage* AdoptCopiedMessage(DemoMessage* m, void* place);
