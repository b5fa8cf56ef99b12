// Generated game assets for the renderer's pixel tests: a palette, wall textures, a box room
// map with an inline model, a cube model, a sky box and a console font.
#pragma once

#include "formats/bsp.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace refsoft_test {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// Palette entries the assets use, and their colours.
struct Rgb {
    int r, g, b;
};
constexpr int kWallIndex[6] = {1, 2, 3, 4, 5, 6}; // +x, -x, +y, -y, +z (ceiling), -z (floor)
constexpr int kInlineIndex = 7;
constexpr int kModelIndex = 8;
constexpr int kGlyphIndex = 9;
constexpr int kBeamIndex = 10;
constexpr int kSkyIndex[6] = {11, 12, 13, 14, 15, 16}; // rt bk lf ft up dn
Rgb PaletteColour(int index);

// The room spans -kHalf..kHalf on every axis around the origin; each wall faces inwards.
constexpr float kHalf = 128;
// Face numbers of the map: walls 0..5 in the order above, then the inline model's face.
constexpr int kInlineFace = 6;

struct RoomOptions {
    // Light map sample of every wall, and of the +x wall.
    std::uint8_t light = 128;
    std::uint8_t frontLight = 128;
    int frontStyle = 0;        // light style of the +x wall
    bool skyCeiling = false;   // the ceiling is a sky face
    bool missingFront = false; // the +x wall names a texture that does not exist
    std::uint32_t frontFlags = 0;
};

// The room: world model 0 with the six walls, inline model *1: a 32 x 32 square at x = 100
// facing the origin.
formats::Bsp BoxRoom(const RoomOptions& options = {});

// Everything the scenes need: pics/colormap.pcx, textures/test/wallN.wal, maps/room.bsp,
// models/cube/tris.md2 with its skin, env/testsky*.pcx. Without conchars unless asked.
Files SceneFiles(const RoomOptions& options = {}, bool withConchars = false);

// The cube model: 16 units on a side centred on its origin, one frame, skin of kModelIndex.
std::vector<std::uint8_t> CubeModel();

} // namespace refsoft_test
