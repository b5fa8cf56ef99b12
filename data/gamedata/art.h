// Pictures and textures drawn in code for the generated game data: wall textures, the sky
// box, model and player skins and the editor's marker skins.
#pragma once

#include <cstdint>
#include <string>

#include "formats/pcx.h"
#include "formats/wal.h"

namespace gamedata {

enum class Pattern { Tiles, Bricks, Plates, Water, Sky, Stripes };

// A 64 x 64 texture with its four mip levels (each level the average of the one above).
formats::Wal MakeTexture(const formats::Palette& palette, const std::string& name, Pattern pattern,
                         int ramp, std::uint32_t flags);

// One face of the sky box: 256 x 256; face is one of rt, bk, lf, ft, up, dn.
formats::Pcx MakeSkyFace(const formats::Palette& palette, const std::string& face);

// A model skin of the given size: a body colour from `ramp` with a pattern that tells its
// parts apart and a seam of the second ramp.
formats::Pcx MakeSkin(const formats::Palette& palette, int width, int height, int ramp,
                      int secondRamp, unsigned seed);

// Marker skin n (1..10) of the editor's archive: each its own colour and pattern.
formats::Pcx MakeMarkerSkin(const formats::Palette& palette, int n);

} // namespace gamedata
