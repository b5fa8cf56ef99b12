#include "models.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gamedata {

namespace {

struct Box {
    float min[3];
    float max[3];
};

// The boxes of a shape at animation phase t (0..1).
std::vector<Box> Boxes(Shape shape, double t) {
    const float bob = static_cast<float>(2.0 * std::sin(t * 2 * 3.14159265));
    switch (shape) {
    case Shape::Crate:
        return {{{-12, -12, -12 + bob}, {12, 12, 8 + bob}}};
    case Shape::Diamond:
        return {{{-6, -6, -14 + bob}, {6, 6, 14 + bob}}, {{-12, -2, -4 + bob}, {12, 2, 4 + bob}}};
    case Shape::Rod:
        return {{{-10, -2, -2}, {10, 2, 2}}, {{8, -3, -3}, {12, 3, 3}}};
    case Shape::Gun:
        return {{{-4, -3, -3}, {20, 3, 3}}, {{-4, -2, -10}, {2, 2, -3}}};
    case Shape::Banner:
        return {{{-2, -2, -64}, {2, 2, 64}}, {{2, -1, 0 + bob}, {34, 1, 60}}};
    case Shape::Person: {
        const float stride = static_cast<float>(8.0 * std::sin(t * 2 * 3.14159265));
        return {{{-4 + stride, -8, -24}, {4 + stride, -2, 0}}, // left leg
                {{-4 - stride, 2, -24}, {4 - stride, 8, 0}},   // right leg
                {{-6, -10, 0}, {6, 10, 22}},                   // body
                {{-5, -5, 22}, {5, 5, 32}},                    // head
                {{-3 - stride / 2, -15, 4}, {3 - stride / 2, -11, 20}},
                {{-3 + stride / 2, 11, 4}, {3 + stride / 2, 15, 20}}};
    }
    }
    return {};
}

} // namespace

formats::Md2 MakeModel(Shape shape, int frames, const std::string& skin) {
    formats::Md2 m;
    m.skinWidth = 64;
    m.skinHeight = 64;
    m.skins = {skin};
    const std::size_t boxes = Boxes(shape, 0).size();
    m.numVertices = static_cast<std::int32_t>(boxes * 8);
    // Each box's corners on the skin: its own 16-pixel cell.
    for (std::size_t b = 0; b < boxes; ++b) {
        const auto cellX = static_cast<std::int16_t>((b % 4) * 16);
        const auto cellY = static_cast<std::int16_t>((b / 4) * 16);
        for (int c = 0; c < 8; ++c) {
            m.st.push_back({static_cast<std::int16_t>(cellX + (c & 1 ? 15 : 0)),
                            static_cast<std::int16_t>(cellY + (c & 4 ? 0 : 15))});
        }
        // Corner c: x from bit 0, y from bit 1, z from bit 2. Two triangles per side, facing out.
        static constexpr int kSides[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                                             {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};
        for (const auto& side : kSides) {
            const int order[2][3] = {{side[0], side[1], side[2]}, {side[0], side[2], side[3]}};
            for (const auto& o : order) {
                formats::Md2Triangle t;
                for (int k = 0; k < 3; ++k) {
                    t.vertex[k] =
                        static_cast<std::uint16_t>(b * 8 + static_cast<std::size_t>(o[k]));
                    t.st[k] = t.vertex[k];
                }
                m.triangles.push_back(t);
            }
        }
    }
    for (int f = 0; f < std::max(1, frames); ++f) {
        const std::vector<Box> bs = Boxes(shape, static_cast<double>(f) / std::max(1, frames));
        float lo[3] = {1e9f, 1e9f, 1e9f};
        float hi[3] = {-1e9f, -1e9f, -1e9f};
        for (const Box& b : bs) {
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], b.min[k]);
                hi[k] = std::max(hi[k], b.max[k]);
            }
        }
        formats::Md2Frame frame;
        frame.name = "frame" + std::to_string(f);
        for (int k = 0; k < 3; ++k) {
            frame.translate[static_cast<std::size_t>(k)] = lo[k];
            frame.scale[static_cast<std::size_t>(k)] = std::max(hi[k] - lo[k], 1.0f) / 255.0f;
        }
        for (const Box& b : bs) {
            for (int c = 0; c < 8; ++c) {
                formats::Md2Vertex v;
                for (int k = 0; k < 3; ++k) {
                    const float p = (c >> k) & 1 ? b.max[k] : b.min[k];
                    v.v[k] = static_cast<std::uint8_t>(
                        std::lround((p - lo[k]) / frame.scale[static_cast<std::size_t>(k)]));
                }
                frame.vertices.push_back(v);
            }
        }
        m.frames.push_back(std::move(frame));
    }
    return m;
}

} // namespace gamedata
