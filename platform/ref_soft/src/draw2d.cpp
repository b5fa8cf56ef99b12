#include "draw2d.h"

#include "font8x8.h"

#include <algorithm>
#include <cstdint>

namespace refsoft {

namespace {

struct Clip {
    int x0, y0, x1, y1;
};

// The rectangle cut to the buffer, computed in 64 bits so far-off rectangles cannot overflow.
bool ClipRect(const FrameBuffer& fb, int x, int y, int w, int h, Clip& out) {
    if (w <= 0 || h <= 0)
        return false;
    const std::int64_t x0 = std::max<std::int64_t>(0, x);
    const std::int64_t y0 = std::max<std::int64_t>(0, y);
    const std::int64_t x1 = std::min<std::int64_t>(fb.Width(), std::int64_t(x) + w);
    const std::int64_t y1 = std::min<std::int64_t>(fb.Height(), std::int64_t(y) + h);
    if (x0 >= x1 || y0 >= y1)
        return false;
    out = {int(x0), int(y0), int(x1), int(y1)};
    return true;
}

} // namespace

void DrawImage(FrameBuffer& fb, const image_s& image, int x, int y, int w, int h) {
    Clip c;
    if (image.width <= 0 || image.height <= 0 || !ClipRect(fb, x, y, w, h, c))
        return;
    for (int py = c.y0; py < c.y1; ++py) {
        const std::int64_t ty = (std::int64_t(py) - y) * image.height / h;
        const std::uint32_t* src = &image.texels[static_cast<std::size_t>(ty) * image.width];
        std::uint32_t* dst = fb.Row(py);
        for (int px = c.x0; px < c.x1; ++px) {
            const std::uint32_t t = src[(std::int64_t(px) - x) * image.width / w];
            if (t >> 24)
                dst[px] = t;
        }
    }
}

void TileImage(FrameBuffer& fb, const image_s& image, int x, int y, int w, int h) {
    Clip c;
    if (image.width <= 0 || image.height <= 0 || !ClipRect(fb, x, y, w, h, c))
        return;
    for (int py = c.y0; py < c.y1; ++py) {
        const std::uint32_t* src =
            &image.texels[static_cast<std::size_t>(py % image.height) * image.width];
        std::uint32_t* dst = fb.Row(py);
        for (int px = c.x0; px < c.x1; ++px)
            dst[px] = src[px % image.width] | 0xff000000u;
    }
}

void DrawGlyph(FrameBuffer& fb, const image_s* conchars, int x, int y, int c) {
    c &= 255;
    if ((c & 127) == 32 || (c & 127) == 0)
        return;
    Clip clip;
    if (!ClipRect(fb, x, y, 8, 8, clip))
        return;
    if (conchars && conchars->width >= 128 && conchars->height >= 128) {
        // The font sheet may be larger than 128 x 128; its cells scale with it.
        const int cellW = conchars->width / 16, cellH = conchars->height / 16;
        const int gx = (c & 15) * cellW, gy = (c >> 4) * cellH;
        for (int py = clip.y0; py < clip.y1; ++py) {
            const int ty = gy + (py - y) * cellH / 8;
            std::uint32_t* dst = fb.Row(py);
            for (int px = clip.x0; px < clip.x1; ++px) {
                const std::uint32_t t =
                    conchars->texels[ty * conchars->width + gx + (px - x) * cellW / 8];
                if (t >> 24)
                    dst[px] = t;
            }
        }
        return;
    }
    const std::uint32_t colour = c >= 128 ? Xrgb(255, 176, 64) : Xrgb(235, 235, 235);
    for (int py = clip.y0; py < clip.y1; ++py) {
        std::uint32_t* dst = fb.Row(py);
        for (int px = clip.x0; px < clip.x1; ++px)
            if (BuiltinGlyphPixel(c, px - x, py - y))
                dst[px] = colour;
    }
}

void FillRect(FrameBuffer& fb, int x, int y, int w, int h, std::uint32_t colour) {
    Clip c;
    if (!ClipRect(fb, x, y, w, h, c))
        return;
    for (int py = c.y0; py < c.y1; ++py)
        std::fill(fb.Row(py) + c.x0, fb.Row(py) + c.x1, colour | 0xff000000u);
}

void FadeScreen(FrameBuffer& fb) {
    for (int py = 0; py < fb.Height(); ++py) {
        std::uint32_t* row = fb.Row(py);
        for (int px = 0; px < fb.Width(); ++px)
            row[px] = BlendXrgb(row[px], 0xff000000u, 192);
    }
}

} // namespace refsoft
