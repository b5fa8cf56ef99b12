// The console font used when pics/conchars.pcx is missing: a small hand-drawn face in
// 8x8 cells, upper-case letters for both cases.
#pragma once

namespace refsoft {

// Whether pixel (x, y) of the 8x8 cell of character code c (0..255) is set. Codes 128 and
// above are the highlighted copies of 0..127.
bool BuiltinGlyphPixel(int c, int x, int y);

} // namespace refsoft
