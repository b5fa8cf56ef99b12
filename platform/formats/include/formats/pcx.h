// The game's picture format: 8-bit run-length PCX with the 256-colour palette at the end.
// Used for pics/colormap.pcx (palette and shading tables), pics/conchars.pcx (console font),
// the sky boxes env/*.pcx and model skins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/types.h"

namespace formats {

constexpr int kPcxMaxSide = 4096;

struct Pcx {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height palette indices, rows top to bottom
    Palette palette{};
};

// Reads a picture. On failure returns false and sets `error`, for example
// "picture: the pixel data ends after row 3 of 64".
bool ReadPcx(Bytes bytes, Pcx& out, std::string& error);

} // namespace formats
