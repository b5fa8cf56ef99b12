#include "art.h"

#include <cmath>

#include "palette.h"

namespace gamedata {

namespace {

std::uint8_t Pixel(Pattern pattern, int ramp, int x, int y) {
    switch (pattern) {
    case Pattern::Tiles: {
        const bool grout = x % 32 == 0 || y % 32 == 0;
        const bool dark = ((x / 32) + (y / 32)) % 2 == 0;
        return Shade(ramp, grout ? 3 : dark ? 8 + (x * 7 + y * 3) % 3 : 11 + (x + y * 5) % 2);
    }
    case Pattern::Bricks: {
        const int row = y / 16;
        const int offset = row % 2 == 0 ? 0 : 16;
        const bool mortar = y % 16 == 0 || (x + offset) % 32 == 0;
        return mortar ? Shade(0, 6) : Shade(ramp, 7 + (x * 13 + y * 7 + row) % 4);
    }
    case Pattern::Plates: {
        const bool edge = x % 64 < 2 || y % 64 < 2;
        const bool rivet = (x % 32 == 6 || x % 32 == 26) && (y % 32 == 6 || y % 32 == 26);
        return Shade(ramp, edge ? 4 : rivet ? 14 : 9 + (y / 4) % 2);
    }
    case Pattern::Water: {
        const double v = std::sin(x * 0.2) + std::cos(y * 0.3) + std::sin((x + y) * 0.1);
        return Shade(ramp, 7 + static_cast<int>(v * 2.0));
    }
    case Pattern::Sky:
        return Shade(ramp, 10 + (x * y) % 3);
    case Pattern::Stripes:
        return Shade(ramp, (x + y) % 16 < 8 ? 12 : 6);
    }
    return 0;
}

std::uint8_t Average(const formats::Palette& palette, const std::uint8_t* p, std::size_t stride) {
    int rgb[3] = {0, 0, 0};
    for (std::size_t k : {std::size_t{0}, std::size_t{1}, stride, stride + 1}) {
        for (std::size_t c = 0; c < 3; ++c) {
            rgb[c] += palette[3 * p[k] + c];
        }
    }
    return Nearest(palette, rgb[0] / 4, rgb[1] / 4, rgb[2] / 4);
}

} // namespace

formats::Wal MakeTexture(const formats::Palette& palette, const std::string& name, Pattern pattern,
                         int ramp, std::uint32_t flags) {
    formats::Wal w;
    w.name = name;
    w.width = 64;
    w.height = 64;
    w.flags = flags;
    w.mips[0].resize(64 * 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            w.mips[0][static_cast<std::size_t>(y * 64 + x)] = Pixel(pattern, ramp, x, y);
        }
    }
    for (std::size_t level = 1; level < 4; ++level) {
        const std::size_t above = 64 >> (level - 1);
        const std::size_t side = 64 >> level;
        w.mips[level].resize(side * side);
        for (std::size_t y = 0; y < side; ++y) {
            for (std::size_t x = 0; x < side; ++x) {
                w.mips[level][y * side + x] =
                    Average(palette, &w.mips[level - 1][2 * y * above + 2 * x], above);
            }
        }
    }
    return w;
}

formats::Pcx MakeSkyFace(const formats::Palette& palette, const std::string& face) {
    formats::Pcx p;
    p.width = 256;
    p.height = 256;
    p.palette = palette;
    p.pixels.resize(256 * 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            int r;
            int g;
            int b;
            if (face == "dn") {
                r = 60;
                g = 50;
                b = 40;
            } else if (face == "up") {
                const double cloud = std::sin(x * 0.05) * std::cos(y * 0.04);
                r = g = static_cast<int>(120 + 60 * cloud);
                b = 230;
            } else {
                // Sideways faces: deep blue at the top (y 0) to a pale horizon at the bottom.
                const double cloud = std::sin(x * 0.07 + y * 0.02) * std::sin(y * 0.09);
                r = 40 + y / 2 + static_cast<int>(30 * cloud);
                g = 70 + y / 2 + static_cast<int>(30 * cloud);
                b = 200 + y / 8;
            }
            p.pixels[static_cast<std::size_t>(y * 256 + x)] = Nearest(palette, r, g, b);
        }
    }
    return p;
}

formats::Pcx MakeSkin(const formats::Palette& palette, int width, int height, int ramp,
                      int secondRamp, unsigned seed) {
    formats::Pcx p;
    p.width = width;
    p.height = height;
    p.palette = palette;
    p.pixels.resize(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool seam = (x + static_cast<int>(seed)) % 16 < 2 || y % 24 < 2;
            const int shade = 8 + static_cast<int>((x * 3 + y * 5 + seed) % 5);
            p.pixels[static_cast<std::size_t>(y * width + x)] =
                seam ? Shade(secondRamp, 12) : Shade(ramp, shade);
        }
    }
    return p;
}

formats::Pcx MakeMarkerSkin(const formats::Palette& palette, int n) {
    static constexpr int kRamps[10] = {4, 3, 7, 6, 9, 8, 5, 10, 0, 13};
    formats::Pcx p;
    p.width = 32;
    p.height = 32;
    p.palette = palette;
    p.pixels.resize(32 * 32);
    const int ramp = kRamps[(n - 1) % 10];
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            // Marker n carries n stripes of a darker shade on its colour.
            const bool stripe = (x * n / 32) % 2 == 1;
            p.pixels[static_cast<std::size_t>(y * 32 + x)] = Shade(ramp, stripe ? 7 : 14);
        }
    }
    return p;
}

} // namespace gamedata
