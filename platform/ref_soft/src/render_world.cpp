// Drawing the faces of a map and of its inline models.
#include "context.h"
#include "raster.h"
#include "surface_shader.h"

#include "formats/bsp.h"

#include <algorithm>

namespace refsoft {

void UpdateLight(const FrameContext& ctx, const BrushData& data, BrushSurface& surf) {
    if (surf.lightOffset < 0)
        return;
    float key[4];
    int styles = 0;
    for (int i = 0; i < 4; ++i) {
        key[i] = surf.styles[i] == 255 ? -1.0f : ctx.styleScale[surf.styles[i]];
        if (surf.styles[i] != 255)
            ++styles;
    }
    if (!surf.light.empty() && std::equal(key, key + 4, surf.lightKey))
        return;
    std::copy(key, key + 4, surf.lightKey);
    const std::size_t samples = static_cast<std::size_t>(surf.lmWidth) * surf.lmHeight * 3;
    surf.light.assign(samples, 0);
    const std::uint8_t* base = data.lighting.data() + surf.lightOffset;
    for (int s = 0; s < styles; ++s) {
        // Two steps per unit of the file: a sample of 128 at normal light leaves the texture
        // as it is, brighter samples light it up to twice its brightness.
        const float scale = key[s] * 2.0f;
        const std::uint8_t* src = base + samples * s;
        for (std::size_t i = 0; i < samples; ++i) {
            const float v = static_cast<float>(surf.light[i]) + static_cast<float>(src[i]) * scale;
            surf.light[i] = static_cast<std::uint16_t>(std::min(v, 1023.0f));
        }
    }
}

void DrawBrushModel(FrameContext& ctx, model_s& model, const Placement* place, Pass pass,
                    float alpha) {
    if (model.kind != model_s::Kind::Brush || !model.brush)
        return;
    BrushData& data = *model.brush;
    const Camera& cam = ctx.cam;
    // The eye in the model's own coordinates, for facing tests.
    Vec3 eye = cam.origin;
    if (place) {
        const Vec3 d = cam.origin - place->origin;
        eye = {Dot(d, place->axes.forward), -Dot(d, place->axes.right), Dot(d, place->axes.up)};
    }
    const int end = std::min<int>(model.firstSurface + model.numSurfaces,
                                  static_cast<int>(data.surfaces.size()));
    RasterVertex verts[kMaxPolygonVertices];
    for (int i = std::max(0, model.firstSurface); i < end; ++i) {
        BrushSurface& surf = data.surfaces[i];
        if (surf.numVertices < 3 || surf.numVertices > kMaxPolygonVertices)
            continue;
        const bool surfTrans = (surf.flags & (formats::SURF_TRANS33 | formats::SURF_TRANS66)) != 0;
        const bool entityTrans = alpha < 1.0f;
        const bool translucent = surfTrans || entityTrans;
        if ((pass == Pass::Opaque) == translucent)
            continue;
        if (Dot(eye, surf.normal) - surf.dist <= 0.01f)
            continue;
        // Bounding sphere against the frustum.
        const Vec3 centre = place ? place->ToWorld(surf.centre) : surf.centre;
        const ViewPoint c = cam.ToView(centre);
        const float r = surf.radius;
        if (c.z + r < kNearPlane)
            continue;
        const float slackX = r * std::sqrt(1 + cam.tanX * cam.tanX);
        const float slackY = r * std::sqrt(1 + cam.tanY * cam.tanY);
        if (c.x - slackX > c.z * cam.tanX || -c.x - slackX > c.z * cam.tanX ||
            c.y - slackY > c.z * cam.tanY || -c.y - slackY > c.z * cam.tanY)
            continue;

        float scroll = 0;
        if (surf.flags & formats::SURF_FLOWING) {
            const float cycle = ctx.time * 0.25f;
            scroll = -64.0f * (cycle - std::floor(cycle));
        }
        for (std::uint32_t k = 0; k < surf.numVertices; ++k) {
            const Vec3 local = data.vertices[surf.firstVertex + k];
            const Vec3 world = place ? place->ToWorld(local) : local;
            RasterVertex& v = verts[k];
            v.p = cam.ToView(world);
            v.a[0] = local.x * surf.vecs[0][0] + local.y * surf.vecs[0][1] +
                     local.z * surf.vecs[0][2] + surf.vecs[0][3] + scroll;
            v.a[1] = local.x * surf.vecs[1][0] + local.y * surf.vecs[1][1] +
                     local.z * surf.vecs[1][2] + surf.vecs[1][3];
            v.a[2] = 0;
        }

        SurfaceShader shader;
        shader.fb = ctx.fb;
        shader.faceId = static_cast<std::uint32_t>(surf.faceIndex) + 1;
        if (surf.flags & formats::SURF_SKY) {
            shader.mode = SurfaceShader::Mode::Sky;
            shader.cam = &ctx.cam;
            shader.sky = ctx.sky;
            shader.time = ctx.time;
        } else {
            const image_s* tex = surf.texture ? surf.texture : ctx.checker;
            shader.SetTexture(tex);
            if (!(surf.flags & (formats::SURF_WARP | formats::SURF_SKY))) {
                UpdateLight(ctx, data, surf);
                if (!surf.light.empty()) {
                    shader.light = surf.light.data();
                    shader.lightWidth = surf.lmWidth;
                    shader.lightHeight = surf.lmHeight;
                    shader.lightMinS = static_cast<float>(surf.lmMinS);
                    shader.lightMinT = static_cast<float>(surf.lmMinT);
                }
            }
            float a = alpha;
            if (surf.flags & formats::SURF_TRANS33)
                a = std::min(a, 0.33f);
            else if (surf.flags & formats::SURF_TRANS66)
                a = std::min(a, 0.66f);
            if (translucent) {
                shader.mode = SurfaceShader::Mode::Translucent;
                shader.writeDepth = false;
                shader.alpha = static_cast<unsigned>(std::clamp(a, 0.0f, 1.0f) * 256.0f);
            }
        }
        DrawPolygon(cam, verts, static_cast<int>(surf.numVertices), shader);
    }
}

} // namespace refsoft
