// 2D drawing over the frame: pictures, characters of the console font, fills. Everything is
// cut at the buffer's edges.
#pragma once

#include "frame_buffer.h"
#include "images.h"

namespace refsoft {

// Draws image stretched to w x h at (x, y); transparent texels are left out.
void DrawImage(FrameBuffer& fb, const image_s& image, int x, int y, int w, int h);
// Repeats image over the rectangle, aligned to the buffer's origin.
void TileImage(FrameBuffer& fb, const image_s& image, int x, int y, int w, int h);
// One character (code 0..255) of the console font: the 16 x 16 grid of 8 x 8 glyphs of
// conchars, or the built-in face when conchars is null. Space and codes 0 and 128 draw
// nothing.
void DrawGlyph(FrameBuffer& fb, const image_s* conchars, int x, int y, int c);
void FillRect(FrameBuffer& fb, int x, int y, int w, int h, std::uint32_t colour);
// Darkens the whole buffer (the game's menu background).
void FadeScreen(FrameBuffer& fb);

} // namespace refsoft
