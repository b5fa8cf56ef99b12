// The palette of the generated game data and the shading tables the software renderer reads
// from pics/colormap.pcx.
#pragma once

#include <cstdint>

#include "formats/pcx.h"

namespace gamedata {

// 16 ramps of 16 shades, dark to bright; index 0 is black, 255 stands for "transparent" in
// skins and the console font, as in the game's own palette.
formats::Palette MakePalette();

// The palette index nearest to a colour.
std::uint8_t Nearest(const formats::Palette& palette, int r, int g, int b);

// The palette's ramps: ramp 0 grey, 1 brown, 2 sand, 3 green, 4 red, 5 orange, 6 yellow,
// 7 blue, 8 teal, 9 purple, 10 pink, 11 olive, 12 steel, 13 rust, 14 sky, 15 lights.
constexpr std::uint8_t Shade(int ramp, int shade) {
    return static_cast<std::uint8_t>(ramp * 16 + shade);
}

// pics/colormap.pcx: 256 x 320. Rows 0..63 map a colour to its shade under light level
// row (row 32 is unchanged, lower rows brighter up to twice, higher rows darker towards
// black); rows 64..319 are the 33% translucency table: row 64 + a, column b is the colour of
// a seen a third over b.
formats::Pcx MakeColormap(const formats::Palette& palette);

} // namespace gamedata
