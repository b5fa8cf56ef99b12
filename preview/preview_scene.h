// What the preview window was last given to draw: each shown entity's state and the record it
// was sent, and the recording player's view. Films read it to draw between two blocks.
#pragma once

#include "demo/entity_state.h"
#include "orrery/prev_types.h"

#include <cstdint>
#include <vector>

struct SceneEntity {
    EntityState state;   // as the frame shows it, wire units
    preventity_s record; // what the window was sent for it
};

struct PreviewScene {
    std::vector<SceneEntity> entities; // ascending by number
    bool hasPlayer = false;
    prevplayer_s player{};
    int16_t playerOrigin[3] = {0, 0, 0}; // the player's movement origin, 1/8 unit
};
