#include "arena_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gamedata {

using formats::Bsp;
using formats::Vec3;

namespace {

constexpr float kTile = 256; // a face's largest side: a light map covers 256 texels
constexpr float kLightRadius = 900;

class Builder {
  public:
    explicit Builder(const ArenaSpec& spec) : m_spec(spec) {
        m_bsp.edges.push_back({}); // edge 0 is never used: its sign could not be told
    }

    int Plane(int axis, float dist) {
        for (std::size_t i = 0; i < m_bsp.planes.size(); ++i) {
            const formats::BspPlane& p = m_bsp.planes[i];
            if (p.type == axis && p.dist == dist) {
                return static_cast<int>(i);
            }
        }
        formats::BspPlane p;
        p.normal[static_cast<std::size_t>(axis)] = 1;
        p.dist = dist;
        p.type = axis;
        m_bsp.planes.push_back(p);
        return static_cast<int>(m_bsp.planes.size() - 1);
    }

    // A texinfo projecting the face's axes (s, t) onto the texture, one texel a unit.
    int TexInfo(const std::string& texture, int axis, std::uint32_t flags) {
        formats::BspTexInfo t;
        t.texture = texture;
        t.flags = flags;
        const int s = axis == 0 ? 1 : 0;
        const int tt = axis == 2 ? 1 : 2;
        t.vecs[0][s] = 1;
        t.vecs[1][tt] = axis == 2 ? 1 : -1;
        for (std::size_t i = 0; i < m_bsp.texInfo.size(); ++i) {
            const formats::BspTexInfo& o = m_bsp.texInfo[i];
            if (o.texture == texture && o.flags == flags && o.vecs[0][s] == 1 &&
                o.vecs[1][tt] == t.vecs[1][tt]) {
                return static_cast<int>(i);
            }
        }
        m_bsp.texInfo.push_back(t);
        return static_cast<int>(m_bsp.texInfo.size() - 1);
    }

    // A rectangle on plane `axis` = dist spanning [lo, hi] on the other two axes, seen from
    // the side `facing` (+1 along the axis, -1 against it).
    void Face(int axis, float dist, const float lo[2], const float hi[2], int facing,
              const std::string& texture, std::uint32_t flags) {
        const int a = axis == 0 ? 1 : 0;
        const int b = axis == 2 ? 1 : 2;
        auto corner = [&](float u, float v) {
            Vec3 p{};
            p[static_cast<std::size_t>(axis)] = dist;
            p[static_cast<std::size_t>(a)] = u;
            p[static_cast<std::size_t>(b)] = v;
            return p;
        };
        std::vector<Vec3> corners = {corner(lo[0], lo[1]), corner(hi[0], lo[1]),
                                     corner(hi[0], hi[1]), corner(lo[0], hi[1])};
        // The game winds faces clockwise seen from the front; the corners above run
        // counter-clockwise about the axis a x b, so they are turned round where that axis
        // points to the front.
        const bool counterClockwise = (axis == 1) ? facing < 0 : facing > 0;
        if (counterClockwise) {
            std::reverse(corners.begin(), corners.end());
        }
        formats::BspFace f;
        f.plane = static_cast<std::uint16_t>(Plane(axis, dist));
        f.side = facing > 0 ? 0 : 1;
        f.firstEdge = static_cast<std::int32_t>(m_bsp.surfEdges.size());
        f.numEdges = 4;
        f.texInfo = static_cast<std::int16_t>(TexInfo(texture, axis, flags));
        const std::size_t first = m_bsp.vertices.size();
        for (const Vec3& c : corners) {
            m_bsp.vertices.push_back(c);
        }
        for (std::size_t i = 0; i < 4; ++i) {
            m_bsp.edges.push_back({{static_cast<std::uint16_t>(first + i),
                                    static_cast<std::uint16_t>(first + (i + 1) % 4)}});
            m_bsp.surfEdges.push_back(static_cast<std::int32_t>(m_bsp.edges.size() - 1));
        }
        Vec3 normal{};
        normal[static_cast<std::size_t>(axis)] = static_cast<float>(facing);
        Light(f, normal);
        m_bsp.faces.push_back(f);
    }

    // Tiles a rectangle into faces no larger than a light map allows.
    void Tiled(int axis, float dist, const float lo[2], const float hi[2], int facing,
               const std::string& texture, std::uint32_t flags, bool pool = false) {
        for (float u = lo[0]; u < hi[0]; u += kTile) {
            for (float v = lo[1]; v < hi[1]; v += kTile) {
                const float tlo[2] = {u, v};
                const float thi[2] = {std::min(u + kTile, hi[0]), std::min(v + kTile, hi[1])};
                const bool water = pool && (tlo[0] + thi[0]) / 2 > m_spec.poolFrom[0] &&
                                   (tlo[1] + thi[1]) / 2 > m_spec.poolFrom[1];
                Face(axis, dist, tlo, thi, facing, water ? m_spec.waterTexture : texture,
                     water ? formats::SURF_WARP | formats::SURF_TRANS66 : flags);
            }
        }
    }

    // One light map per face (style 0): ambient plus the point lights, falling off with
    // distance and with the angle to the face.
    void Light(formats::BspFace& f, const Vec3& normal) {
        const formats::BspTexInfo& tex = m_bsp.texInfo[static_cast<std::size_t>(f.texInfo)];
        if (tex.flags & (formats::SURF_SKY | formats::SURF_WARP)) {
            f.lightOffset = -1;
            f.styles[0] = 255;
            return;
        }
        // The light map's sample grid, as the renderer places it: every 16 texels from the
        // texture extents' lower bound, rounded down.
        const std::size_t n = m_bsp.vertices.size();
        float smin[2] = {1e9f, 1e9f};
        float smax[2] = {-1e9f, -1e9f};
        for (std::size_t i = n - 4; i < n; ++i) {
            for (int k = 0; k < 2; ++k) {
                const Vec3& v = m_bsp.vertices[i];
                const float s = v[0] * tex.vecs[k][0] + v[1] * tex.vecs[k][1] +
                                v[2] * tex.vecs[k][2] + tex.vecs[k][3];
                smin[k] = std::min(smin[k], s);
                smax[k] = std::max(smax[k], s);
            }
        }
        const int lo[2] = {static_cast<int>(std::floor(smin[0] / 16)),
                           static_cast<int>(std::floor(smin[1] / 16))};
        const int w = static_cast<int>(std::ceil(smax[0] / 16)) - lo[0] + 1;
        const int h = static_cast<int>(std::ceil(smax[1] / 16)) - lo[1] + 1;
        f.lightOffset = static_cast<std::int32_t>(m_bsp.lighting.size());
        f.styles[0] = 0;
        const Vec3& anyCorner = m_bsp.vertices[n - 1];
        for (int t = 0; t < h; ++t) {
            for (int s = 0; s < w; ++s) {
                const Vec3 p =
                    PointAt(tex, anyCorner, normal, (lo[0] + s) * 16.0f, (lo[1] + t) * 16.0f);
                double light = 40; // ambient
                for (const auto& l : m_spec.lights) {
                    const double d[3] = {l[0] - p[0], l[1] - p[1], l[2] - p[2]};
                    const double dist = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                    const double cosine =
                        dist > 0 ? (d[0] * normal[0] + d[1] * normal[1] + d[2] * normal[2]) / dist
                                 : 1;
                    if (cosine > 0 && dist < kLightRadius) {
                        light += 220 * (1 - dist / kLightRadius) * (0.4 + 0.6 * cosine);
                    }
                }
                const int v = std::clamp(static_cast<int>(light), 0, 255);
                m_bsp.lighting.push_back(static_cast<std::uint8_t>(v));
                m_bsp.lighting.push_back(static_cast<std::uint8_t>(v * 15 / 16));
                m_bsp.lighting.push_back(static_cast<std::uint8_t>(v * 13 / 16));
            }
        }
    }

    // The point of the face's plane at texture coordinates (s, t). The texture axes are
    // world axes here, so the plane coordinate comes from any corner.
    static Vec3 PointAt(const formats::BspTexInfo& tex, const Vec3& corner, const Vec3& normal,
                        float s, float t) {
        Vec3 p = corner;
        for (std::size_t k = 0; k < 3; ++k) {
            if (normal[k] != 0) {
                continue;
            }
            if (tex.vecs[0][k] != 0) {
                p[k] = (s - tex.vecs[0][3]) / tex.vecs[0][k];
            } else if (tex.vecs[1][k] != 0) {
                p[k] = (t - tex.vecs[1][3]) / tex.vecs[1][k];
            }
        }
        return p;
    }

    // A node per plane of a box; each node keeps the faces on its plane. Outside the box is
    // `outside` (a leaf number), inside `inside`; returns the first node's number.
    int BoxNodes(const float mins[3], const float maxs[3], int outside, int inside,
                 const std::vector<std::pair<int, int>>& facesOfSide) {
        const int first = static_cast<int>(m_bsp.nodes.size());
        for (int side = 0; side < 6; ++side) {
            const int axis = side / 2;
            const bool maxSide = side % 2 == 1;
            formats::BspNode n;
            n.plane = Plane(axis, maxSide ? maxs[axis] : mins[axis]);
            const int next = side < 5 ? first + side + 1 : -(inside + 1);
            const int out = -(outside + 1);
            // Front is the positive side of the plane: beyond the max planes, inside of the
            // min planes.
            n.children[0] = maxSide ? out : next;
            n.children[1] = maxSide ? next : out;
            for (int k = 0; k < 3; ++k) {
                n.mins[k] = static_cast<std::int16_t>(std::floor(mins[k]));
                n.maxs[k] = static_cast<std::int16_t>(std::ceil(maxs[k]));
            }
            n.firstFace =
                static_cast<std::uint16_t>(facesOfSide[static_cast<std::size_t>(side)].first);
            n.numFaces =
                static_cast<std::uint16_t>(facesOfSide[static_cast<std::size_t>(side)].second);
            m_bsp.nodes.push_back(n);
        }
        return first;
    }

    Bsp Build() {
        const float* mn = m_spec.mins;
        const float* mx = m_spec.maxs;
        // World faces, grouped by the side of the room they lie on (in node order).
        std::vector<std::pair<int, int>> sides;
        auto group = [&](const auto& add) {
            const int start = static_cast<int>(m_bsp.faces.size());
            add();
            sides.emplace_back(start, static_cast<int>(m_bsp.faces.size()) - start);
        };
        const float xyLo[2] = {mn[0], mn[1]};
        const float xyHi[2] = {mx[0], mx[1]};
        const float xzLo[2] = {mn[0], mn[2]};
        const float xzHi[2] = {mx[0], mx[2]};
        const float yzLo[2] = {mn[1], mn[2]};
        const float yzHi[2] = {mx[1], mx[2]};
        group([&] { Tiled(0, mn[0], yzLo, yzHi, +1, m_spec.wallTexture, 0); });
        group([&] { Tiled(0, mx[0], yzLo, yzHi, -1, m_spec.wallTexture, 0); });
        group([&] { Tiled(1, mn[1], xzLo, xzHi, +1, m_spec.wallTexture, 0); });
        group([&] { Tiled(1, mx[1], xzLo, xzHi, -1, m_spec.wallTexture, 0); });
        group([&] { Tiled(2, mn[2], xyLo, xyHi, +1, m_spec.floorTexture, 0, true); });
        group([&] { Tiled(2, mx[2], xyLo, xyHi, -1, m_spec.skyTexture, formats::SURF_SKY); });
        const int worldFaces = static_cast<int>(m_bsp.faces.size());

        // Leaves: 0 solid, 1 the room (every world face), 2 the open space outside the
        // inline models' boxes, 3 inside them.
        formats::BspLeaf solid;
        solid.contents = formats::CONTENTS_SOLID;
        solid.cluster = -1;
        formats::BspLeaf room;
        room.cluster = 0;
        room.numLeafFaces = static_cast<std::uint16_t>(worldFaces);
        for (int k = 0; k < 3; ++k) {
            room.mins[k] = static_cast<std::int16_t>(mn[k]);
            room.maxs[k] = static_cast<std::int16_t>(mx[k]);
        }
        formats::BspLeaf open = room;
        open.numLeafFaces = 0;
        formats::BspLeaf inside = solid;
        m_bsp.leaves = {solid, room, open, inside};
        for (int i = 0; i < worldFaces; ++i) {
            m_bsp.leafFaces.push_back(static_cast<std::uint16_t>(i));
        }
        const int head = BoxNodes(mn, mx, 0, 1, sides);
        formats::BspModel world;
        for (int k = 0; k < 3; ++k) {
            world.mins[static_cast<std::size_t>(k)] = mn[k];
            world.maxs[static_cast<std::size_t>(k)] = mx[k];
        }
        world.headNode = head;
        world.numFaces = worldFaces;
        m_bsp.models.push_back(world);

        for (const InlineBox& box : m_spec.inlineModels) {
            std::vector<std::pair<int, int>> boxSides;
            const int first = static_cast<int>(m_bsp.faces.size());
            for (int side = 0; side < 6; ++side) {
                const int axis = side / 2;
                const bool maxSide = side % 2 == 1;
                const int a = axis == 0 ? 1 : 0;
                const int b = axis == 2 ? 1 : 2;
                const float lo[2] = {box.mins[a], box.mins[b]};
                const float hi[2] = {box.maxs[a], box.maxs[b]};
                const int start = static_cast<int>(m_bsp.faces.size());
                Tiled(axis, maxSide ? box.maxs[axis] : box.mins[axis], lo, hi, maxSide ? 1 : -1,
                      box.texture, 0);
                boxSides.emplace_back(start, static_cast<int>(m_bsp.faces.size()) - start);
            }
            formats::BspModel m;
            for (int k = 0; k < 3; ++k) {
                m.mins[static_cast<std::size_t>(k)] = box.mins[k];
                m.maxs[static_cast<std::size_t>(k)] = box.maxs[k];
            }
            m.headNode = BoxNodes(box.mins, box.maxs, 2, 3, boxSides);
            m.firstFace = first;
            m.numFaces = static_cast<int>(m_bsp.faces.size()) - first;
            m_bsp.models.push_back(m);
        }
        // One cluster that sees and hears itself.
        m_bsp.visibility = {1, 0, 0, 0, 12, 0, 0, 0, 13, 0, 0, 0, 0x01, 0x01};
        m_bsp.entityText = Entities();
        std::string error;
        formats::ParseBspEntities(m_bsp.entityText, m_bsp.entities, error);
        return std::move(m_bsp);
    }

    std::string Entities() const {
        std::string text = "{\n\"classname\" \"worldspawn\"\n\"message\" \"" + m_spec.message +
                           "\"\n\"sky\" \"" + m_spec.sky + "\"\n}\n";
        char buf[160];
        for (const auto& p : m_spec.spawnPoints) {
            std::snprintf(buf, sizeof buf,
                          "{\n\"classname\" \"info_player_deathmatch\"\n\"origin\" \"%.0f %.0f "
                          "%.0f\"\n}\n",
                          p[0], p[1], p[2]);
            text += buf;
        }
        if (!m_spec.spawnPoints.empty()) {
            const auto& p = m_spec.spawnPoints.front();
            std::snprintf(buf, sizeof buf,
                          "{\n\"classname\" \"info_player_start\"\n\"origin\" \"%.0f %.0f "
                          "%.0f\"\n}\n",
                          p[0], p[1], p[2]);
            text += buf;
        }
        for (const auto& l : m_spec.lights) {
            std::snprintf(buf, sizeof buf,
                          "{\n\"classname\" \"light\"\n\"light\" \"300\"\n\"origin\" \"%.0f %.0f "
                          "%.0f\"\n}\n",
                          l[0], l[1], l[2]);
            text += buf;
        }
        for (const InlineBox& box : m_spec.inlineModels) {
            std::snprintf(buf, sizeof buf, "{\n\"classname\" \"func_wall\"\n\"model\" \"*%d\"\n}\n",
                          box.number);
            text += buf;
        }
        return text;
    }

  private:
    const ArenaSpec& m_spec;
    Bsp m_bsp;
};

} // namespace

formats::Bsp BuildArena(const ArenaSpec& spec) {
    return Builder(spec).Build();
}

} // namespace gamedata
