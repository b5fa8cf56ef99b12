// What the overhead view shows of one frame: every entity the frame shows as a marker, the
// player's position and view direction, and the trail of one entity over a run of blocks.
#pragma once

#include <cstdint>
#include <vector>

class CTreskDoc;

struct OverheadMarker {
    uint16_t number = 0;
    float x = 0, y = 0, z = 0; // game units
    float yaw = 0;             // degrees
    uint8_t model = 0;         // model index (255: a player's model)
};

struct OverheadFrame {
    bool valid = false; // the block holds a frame the game shows
    std::vector<OverheadMarker> entities;
    // The recording player's view: where the camera stands and which way it looks.
    float playerX = 0, playerY = 0, playerZ = 0;
    float playerYaw = 0; // degrees
};

struct OverheadPoint {
    float x = 0, y = 0;
};

// The frame of block `block` (1-based) as the game shows it, entities it carries over unsent
// included. Invalid when the block holds no frame or does not exist.
OverheadFrame OverheadFrameAt(CTreskDoc& doc, uint32_t block);

// Where entity `entity` stands in each frame of blocks first .. first + count - 1 that shows
// it, in order.
std::vector<OverheadPoint> EntityTrail(CTreskDoc& doc, uint16_t entity, uint32_t first,
                                       uint32_t count);

// The marker of entity `number`, or null.
const OverheadMarker* FindMarker(const OverheadFrame& frame, uint16_t number);
