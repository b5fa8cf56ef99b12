// What frames hold beyond their records: the state a frame's entity records apply onto when
// its predecessor is not the frame before it, and the game client's ring of recent frames
// that decoding follows.
#pragma once

#include "configstring_table.h"
#include "entity_state.h"
#include "player_state.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

// The configstrings records set since the map began, by index: the text the game reads at
// each slot they touched, beyond the signon the saver rebuilds from the document's tables.
using ConfigStringOverlay = std::map<uint16_t, std::string>;

// The game's configstring slots.
constexpr uint16_t kConfigStringSlots = 2080;

// Applies a configstring record as the game stores it, in one character area of 64 characters
// a slot: a value longer than 63 characters runs on into the following slots, whose text
// then reads as its tail.
inline void SetConfigString(ConfigStringOverlay& overlay, uint16_t index,
                            const std::string& value) {
    for (size_t k = 0; k == 0 || k * kConfigStringSlotChars <= value.size(); ++k) {
        if (index + k >= kConfigStringSlots) {
            break;
        }
        overlay[static_cast<uint16_t>(index + k)] = value.substr(k * kConfigStringSlotChars);
    }
}

// A frame kept whole: the entities its records apply onto, in place of what the frame before
// it in the demo shows, and the configstrings the game held when it came. Made when a frame's
// predecessor is not the frame before it: an irregular recording, or an edit that moved it.
// Immutable once made, so copies of a frame share it.
struct FrameSnapshot {
    EntitySet base;
    ConfigStringOverlay configStrings;
};
using FrameSnapshotPtr = std::shared_ptr<const FrameSnapshot>;

// The game client's frame ring and parse-entity ring sizes.
constexpr int kFrameRing = 16;
constexpr uint32_t kParseEntities = 1024;

// One entry of the client's frame ring.
struct RingFrame {
    int32_t serverFrame = 0;
    bool valid = false;
    PlayerState player{};
    uint32_t firstEntity = 0; // position in the parse-entity ring
    uint32_t entityCount = 0;
};

struct FrameMessage;

// What the decoder keeps to read frames as the game client does: each frame is read against
// the ring entry its delta number names (stale or not), new entities against their baselines.
struct ClientFrames {
    std::array<RingFrame, kFrameRing> frames{};
    std::array<EntityState, kParseEntities> parseEntities{};
    uint32_t parseCount = 0;

    // The frame being read: its record, the ring entry it is becoming and the entities of the
    // frame it is read against.
    enum class Stage { kNone, kWantPlayer, kWantEntities, kEntities };
    Stage stage = Stage::kNone;
    FrameMessage* open = nullptr;
    RingFrame building{};
    PlayerState oldPlayer{};
    EntitySet base;
    size_t oldIndex = 0;
    // The frame's predecessor is the frame decoded just before it, unaltered.
    bool regular = false;

    bool haveLast = false; // a frame was completed since the last serverdata
    int32_t lastServerFrame = 0;

    // Configstrings set by records since the last serverdata, for the frames kept whole.
    ConfigStringOverlay configStrings;

    // A serverdata: the client forgets its frames and the map's configstrings (the parse
    // ring's contents stay).
    void StartMap();
};
