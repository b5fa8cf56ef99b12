#include "palette.h"

#include <algorithm>
#include <limits>

namespace gamedata {

namespace {
// The brightest colour of each ramp.
constexpr int kRampTop[16][3] = {{255, 255, 255}, {170, 120, 70}, {235, 210, 150}, {90, 200, 80},
                                 {230, 50, 40},   {250, 140, 30}, {250, 235, 60},  {60, 100, 240},
                                 {60, 200, 200},  {160, 80, 220}, {250, 140, 200}, {150, 160, 70},
                                 {170, 190, 210}, {190, 90, 50},  {150, 200, 255}, {255, 250, 220}};
} // namespace

formats::Palette MakePalette() {
    formats::Palette p{};
    for (int ramp = 0; ramp < 16; ++ramp) {
        for (int shade = 0; shade < 16; ++shade) {
            const std::size_t i = 3 * static_cast<std::size_t>(Shade(ramp, shade));
            for (int c = 0; c < 3; ++c) {
                p[i + static_cast<std::size_t>(c)] =
                    static_cast<std::uint8_t>(kRampTop[ramp][c] * (shade + 1) / 16);
            }
        }
    }
    p[0] = p[1] = p[2] = 0;
    p[765] = 159; // 255: the transparent index, drawn as a loud magenta where it shows
    p[766] = 0;
    p[767] = 159;
    return p;
}

std::uint8_t Nearest(const formats::Palette& palette, int r, int g, int b) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 255; ++i) { // never the transparent index
        const std::size_t at = 3 * static_cast<std::size_t>(i);
        const int dr = palette[at] - r;
        const int dg = palette[at + 1] - g;
        const int db = palette[at + 2] - b;
        const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

formats::Pcx MakeColormap(const formats::Palette& palette) {
    formats::Pcx map;
    map.width = 256;
    map.height = 320;
    map.palette = palette;
    map.pixels.resize(256 * 320);
    for (int row = 0; row < 64; ++row) {
        const double scale = (64.0 - row) / 32.0;
        for (int c = 0; c < 256; ++c) {
            const std::size_t at = 3 * static_cast<std::size_t>(c);
            auto lit = [&](std::size_t k) {
                return std::min(255, static_cast<int>(palette[at + k] * scale + 0.5));
            };
            map.pixels[static_cast<std::size_t>(row * 256 + c)] =
                c == 255 ? 255 : Nearest(palette, lit(0), lit(1), lit(2));
        }
    }
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::size_t pa = 3 * static_cast<std::size_t>(a);
            const std::size_t pb = 3 * static_cast<std::size_t>(b);
            auto mix = [&](std::size_t k) { return (palette[pa + k] + 2 * palette[pb + k]) / 3; };
            map.pixels[static_cast<std::size_t>((64 + a) * 256 + b)] =
                Nearest(palette, mix(0), mix(1), mix(2));
        }
    }
    return map;
}

} // namespace gamedata
