#include "models.h"

#include "formats/bsp.h"

#include <algorithm>
#include <cmath>

namespace refsoft {

namespace {

constexpr int kMaxLightmapSide = 64;

Vec3 ToVec(const formats::Vec3& v) {
    return {v[0], v[1], v[2]};
}

// Texture extents of a face in light map samples, as the game lays its light map out.
bool LightmapExtents(const std::vector<Vec3>& corners, const float vecs[2][4], int& minS, int& minT,
                     int& width, int& height) {
    float mins[2] = {1e30f, 1e30f}, maxs[2] = {-1e30f, -1e30f};
    for (const Vec3& c : corners) {
        for (int k = 0; k < 2; ++k) {
            const float v = c.x * vecs[k][0] + c.y * vecs[k][1] + c.z * vecs[k][2] + vecs[k][3];
            mins[k] = std::min(mins[k], v);
            maxs[k] = std::max(maxs[k], v);
        }
    }
    int lo[2], size[2];
    for (int k = 0; k < 2; ++k) {
        if (!std::isfinite(mins[k]) || !std::isfinite(maxs[k]) || std::fabs(mins[k]) > 1e7f ||
            std::fabs(maxs[k]) > 1e7f)
            return false;
        lo[k] = static_cast<int>(std::floor(mins[k] / 16.0f));
        const int hi = static_cast<int>(std::ceil(maxs[k] / 16.0f));
        size[k] = hi - lo[k] + 1;
        if (size[k] < 1 || size[k] > kMaxLightmapSide)
            return false;
    }
    minS = lo[0];
    minT = lo[1];
    width = size[0];
    height = size[1];
    return true;
}

} // namespace

std::unique_ptr<model_s> LoadBrushModel(const std::string& name,
                                        const std::vector<std::uint8_t>& bytes, ImageCache& images,
                                        int registration, std::string& error) {
    formats::Bsp bsp;
    if (!formats::ReadBsp(bytes, bsp, error))
        return nullptr;
    if (bsp.models.empty()) {
        error = "map: no models";
        return nullptr;
    }
    auto data = std::make_shared<BrushData>();
    data->lighting = std::move(bsp.lighting);
    data->surfaces.resize(bsp.faces.size());
    for (std::size_t f = 0; f < bsp.faces.size(); ++f) {
        const formats::BspFace& face = bsp.faces[f];
        BrushSurface& surf = data->surfaces[f];
        surf.faceIndex = static_cast<int>(f);
        const formats::BspTexInfo& tex = bsp.texInfo[face.texInfo];
        surf.flags = tex.flags;
        std::copy(&tex.vecs[0][0], &tex.vecs[0][0] + 8, &surf.vecs[0][0]);
        if (surf.flags & (formats::SURF_NODRAW | formats::SURF_SKIP))
            continue;
        std::vector<Vec3> corners;
        for (const formats::Vec3& v : bsp.FaceVertices(face))
            corners.push_back(ToVec(v));
        if (corners.size() < 3 || corners.size() > 48)
            continue;
        bool finite = true;
        for (const Vec3& c : corners)
            finite = finite && Finite(c) && std::fabs(c.x) < 1e6f && std::fabs(c.y) < 1e6f &&
                     std::fabs(c.z) < 1e6f;
        if (!finite)
            continue;
        const formats::BspPlane& plane = bsp.planes[face.plane];
        surf.normal = ToVec(plane.normal);
        surf.dist = plane.dist;
        if (face.side) {
            surf.normal = surf.normal * -1.0f;
            surf.dist = -surf.dist;
        }
        surf.firstVertex = static_cast<std::uint32_t>(data->vertices.size());
        surf.numVertices = static_cast<std::uint32_t>(corners.size());
        Vec3 sum;
        for (const Vec3& c : corners) {
            data->vertices.push_back(c);
            sum = sum + c;
        }
        surf.centre = sum * (1.0f / static_cast<float>(corners.size()));
        for (const Vec3& c : corners)
            surf.radius = std::max(surf.radius, Length(c - surf.centre));
        if (!(surf.flags & formats::SURF_SKY))
            surf.texture = images.FindTexture(tex.texture, registration);

        std::copy(face.styles, face.styles + 4, surf.styles);
        int styleCount = 0;
        while (styleCount < 4 && surf.styles[styleCount] != 255)
            ++styleCount;
        if (face.lightOffset >= 0 && styleCount > 0 &&
            LightmapExtents(corners, surf.vecs, surf.lmMinS, surf.lmMinT, surf.lmWidth,
                            surf.lmHeight)) {
            // Keep only the styles whose samples lie inside the light data.
            const std::size_t perStyle = static_cast<std::size_t>(surf.lmWidth) * surf.lmHeight * 3;
            const std::size_t offset = static_cast<std::size_t>(face.lightOffset);
            while (styleCount > 0 && offset + perStyle * styleCount > data->lighting.size())
                surf.styles[--styleCount] = 255;
            if (styleCount > 0)
                surf.lightOffset = face.lightOffset;
        }
    }

    auto world = std::make_unique<model_s>();
    world->kind = model_s::Kind::Brush;
    world->name = name;
    world->brush = data;
    const auto faceCount = static_cast<std::int64_t>(bsp.faces.size());
    auto range = [&](const formats::BspModel& m, model_s& out) {
        const std::int64_t first = std::clamp<std::int64_t>(m.firstFace, 0, faceCount);
        const std::int64_t last =
            std::clamp<std::int64_t>(first + std::max(0, m.numFaces), first, faceCount);
        out.firstSurface = static_cast<int>(first);
        out.numSurfaces = static_cast<int>(last - first);
        out.mins = ToVec(m.mins);
        out.maxs = ToVec(m.maxs);
    };
    range(bsp.models[0], *world);
    world->inlineModels.resize(bsp.models.size());
    for (std::size_t i = 1; i < bsp.models.size(); ++i) {
        auto sub = std::make_unique<model_s>();
        sub->kind = model_s::Kind::Brush;
        sub->name = "*" + std::to_string(i);
        sub->brush = data;
        range(bsp.models[i], *sub);
        world->inlineModels[i] = std::move(sub);
    }
    return world;
}

} // namespace refsoft
