// A map of one box-shaped room (floor, four walls, a sky ceiling) with lit faces, a pool of
// warped water in one corner, light entities, spawn points and box-shaped inline models.
#pragma once

#include <string>
#include <vector>

#include "formats/bsp.h"

namespace gamedata {

struct InlineBox {
    int number = 0; // N of "*N"; the boxes are given in order 1, 2, 3 ...
    float mins[3]{};
    float maxs[3]{};
    std::string texture;
};

struct ArenaSpec {
    float mins[3]{-1152, -1152, 0};
    float maxs[3]{1152, 1152, 512};
    std::string floorTexture = "sample/floor";
    std::string wallTexture = "sample/wall";
    std::string skyTexture = "sample/sky";
    std::string waterTexture = "sample/water";
    // Floor tiles whose centre lies beyond both of these are water.
    float poolFrom[2]{600, 600};
    std::string sky = "unit1_";
    std::string message = "Sample Arena";
    std::vector<InlineBox> inlineModels;
    std::vector<std::array<float, 3>> spawnPoints;
    std::vector<std::array<float, 3>> lights; // point lights of strength 300
};

// Builds the map; every face lies in the room's one open leaf, which sees itself.
formats::Bsp BuildArena(const ArenaSpec& spec);

} // namespace gamedata
