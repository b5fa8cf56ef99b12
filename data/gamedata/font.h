// pics/conchars.pcx: the console font, 128 x 128, sixteen by sixteen cells of 8 x 8 pixels;
// character c sits in column c % 16, row c / 16. Characters 128..255 are the same glyphs in
// the highlight colour, as the game draws them. Index 255 is the transparent background.
#pragma once

#include "formats/pcx.h"

namespace gamedata {

formats::Pcx MakeConchars(const formats::Palette& palette);

// Whether character c has a glyph of its own (letters, digits, punctuation).
bool HasGlyph(int c);

} // namespace gamedata
