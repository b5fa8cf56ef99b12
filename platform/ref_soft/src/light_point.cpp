// The light a model stands in: the light map of the first map face under it.
#include "context.h"
#include "raster.h"

#include "formats/bsp.h"

#include <algorithm>

namespace refsoft {

namespace {

// How far under a model its floor is looked for.
constexpr float kLightReach = 2048.0f;

// Whether a point of the face's plane lies within its corners (faces are convex).
bool WithinFace(const BrushData& data, const BrushSurface& surf, Vec3 p) {
    bool below = false, above = false;
    for (std::uint32_t k = 0; k < surf.numVertices; ++k) {
        const Vec3 a = data.vertices[surf.firstVertex + k];
        const Vec3 b = data.vertices[surf.firstVertex + (k + 1) % surf.numVertices];
        const float side = Dot(Cross(b - a, p - a), surf.normal);
        below = below || side < -0.01f;
        above = above || side > 0.01f;
    }
    return !(below && above);
}

} // namespace

float LightUnder(const FrameContext& ctx, Vec3 p) {
    if (!ctx.world || !ctx.world->brush || !Finite(p))
        return 1.0f;
    BrushData& data = *ctx.world->brush;
    const int end = std::min<int>(ctx.world->firstSurface + ctx.world->numSurfaces,
                                  static_cast<int>(data.surfaces.size()));
    BrushSurface* floor = nullptr;
    float nearest = kLightReach;
    for (int i = std::max(0, ctx.world->firstSurface); i < end; ++i) {
        BrushSurface& surf = data.surfaces[i];
        // Faces seen from above, with a light map.
        if (surf.numVertices < 3 || surf.lightOffset < 0 || surf.normal.z <= 0.01f ||
            (surf.flags & (formats::SURF_SKY | formats::SURF_WARP)))
            continue;
        const float drop = (Dot(surf.normal, p) - surf.dist) / surf.normal.z;
        if (drop < 0.0f || drop >= nearest)
            continue;
        if (!WithinFace(data, surf, {p.x, p.y, p.z - drop}))
            continue;
        nearest = drop;
        floor = &surf;
    }
    if (!floor)
        return 1.0f;
    UpdateLight(ctx, data, *floor);
    if (floor->light.empty())
        return 1.0f;
    const Vec3 q{p.x, p.y, p.z - nearest};
    const float s =
        Dot(q, {floor->vecs[0][0], floor->vecs[0][1], floor->vecs[0][2]}) + floor->vecs[0][3];
    const float t =
        Dot(q, {floor->vecs[1][0], floor->vecs[1][1], floor->vecs[1][2]}) + floor->vecs[1][3];
    const int ls =
        std::clamp(SafeFloor(s * (1.0f / 16.0f) - static_cast<float>(floor->lmMinS) + 0.5f), 0,
                   floor->lmWidth - 1);
    const int lt =
        std::clamp(SafeFloor(t * (1.0f / 16.0f) - static_cast<float>(floor->lmMinT) + 0.5f), 0,
                   floor->lmHeight - 1);
    const std::uint16_t* l = floor->light.data() + (lt * floor->lmWidth + ls) * 3;
    return static_cast<float>(l[0] + l[1] + l[2]) / (3.0f * 256.0f);
}

} // namespace refsoft
