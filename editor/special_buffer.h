// The application's special-copy buffer: one actor collected by Copy Special in any open demo,
// for Paste Special into any other. It lives beside the block buffer, owned by the
// application and handed to every editor view.
//
// The actor is kept as its opening record (the player's skin string, or a copy of its
// spawnbaseline) and its state in each frame of the copied selection that showed it. Model
// and sound numbers mean nothing outside their demo, so the names the source's tables gave
// them travel with the records and the paste finds them again in the target's tables.
#pragma once

#include "demo/demo_message.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kNameSlots = 256;

class CSpecialBuffer {
  public:
    bool HasActor() const { return filled; }
    // Empties the buffer.
    void Clear() { *this = CSpecialBuffer(); }

    bool filled = false;
    // A player actor: its skin string ("name\model/skin"); the opening record is then the
    // configstring of that string. Otherwise `baseline` is the copied spawnbaseline.
    bool player = false;
    std::string skin;
    EntityState baseline{};
    // The actor in each frame of the selection that showed it, in order.
    std::vector<EntityState> states;
    // The source's model and sound tables: slot k names index k + 1.
    std::array<std::string, kNameSlots> modelNames;
    std::array<std::string, kNameSlots> soundNames;
};
