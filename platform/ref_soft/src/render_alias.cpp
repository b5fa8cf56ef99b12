// Drawing MD2 entities: the frame blended with the old one, the skin, simple shading in the
// light of the floor under them, and the coloured shell around powered-up entities.
#include "context.h"
#include "raster.h"
#include "surface_shader.h"

#include <algorithm>

namespace refsoft {

namespace {

constexpr float kShellAlpha = 0.35f;
constexpr float kShellGrowth = 1.5f; // units outwards along the normals
constexpr float kTranslucentAlpha = 0.7f;
// RF_DEPTHHACK (the view weapon) is depth-tested as if three times nearer than it is, so a
// wall just ahead of the player does not cut into the gun.
constexpr float kDepthHackScale = 3.0f;
// RF_MINLIGHT (the view weapon): the least light a model takes from the map, of the normal.
constexpr float kMinLight = 0.1f;

const image_s* ChooseSkin(const FrameContext& ctx, const entity_t& ent, const AliasData& alias) {
    if (ent.skin)
        return ent.skin;
    if (!alias.skins.empty()) {
        const std::size_t index =
            ent.skinnum >= 0 && static_cast<std::size_t>(ent.skinnum) < alias.skins.size()
                ? static_cast<std::size_t>(ent.skinnum)
                : 0;
        if (alias.skins[index])
            return alias.skins[index];
    }
    return ctx.checker;
}

int ClampFrame(int frame, std::size_t count) {
    return frame >= 0 && static_cast<std::size_t>(frame) < count ? frame : 0;
}

} // namespace

float EntityAlpha(const entity_t& ent, float fallback) {
    return ent.alpha > 0.0f && ent.alpha <= 1.0f ? ent.alpha : fallback;
}

void DrawAliasEntity(FrameContext& ctx, const entity_t& ent, Pass pass) {
    if (!ent.model || ent.model->kind != model_s::Kind::Alias || !ent.model->alias)
        return;
    if (ent.flags & RF_VIEWERMODEL)
        return;
    const AliasData& alias = *ent.model->alias;
    if (alias.frames.empty())
        return;
    const bool translucent = (ent.flags & RF_TRANSLUCENT) != 0;
    const int shellFlags = ent.flags & (RF_SHELL_RED | RF_SHELL_GREEN | RF_SHELL_BLUE);
    const bool drawBody = (pass == Pass::Opaque) != translucent;
    const bool drawShell = pass == Pass::Translucent && shellFlags != 0;
    if (!drawBody && !drawShell)
        return;

    const AliasData::Frame& cur = alias.frames[ClampFrame(ent.frame, alias.frames.size())];
    const AliasData::Frame& old = alias.frames[ClampFrame(ent.oldframe, alias.frames.size())];
    float back = std::isfinite(ent.backlerp) ? std::clamp(ent.backlerp, 0.0f, 1.0f) : 0.0f;
    const Vec3 origin = FromArray(ent.origin);
    if (!Finite(origin))
        return;
    Placement place{origin, AngleVectors(ent.angles)};
    const image_s* skin = ChooseSkin(ctx, ent, alias);
    const Vec3 lightDir = Normalized({0.4f, 0.3f, 1.0f});
    // The map's light where the model stands, unless it shines by itself.
    float light = 1.0f;
    if (drawBody && !(ent.flags & RF_FULLBRIGHT)) {
        light = LightUnder(ctx, origin);
        if (ent.flags & RF_MINLIGHT)
            light = std::max(light, kMinLight);
    }

    auto draw = [&](bool shell) {
        SurfaceShader shader;
        shader.fb = ctx.fb;
        shader.faceId = kEntityId;
        shader.depthScale = ent.flags & RF_DEPTHHACK ? kDepthHackScale : 1.0f;
        if (shell) {
            shader.mode = SurfaceShader::Mode::Flat;
            shader.colour =
                Xrgb(ent.flags & RF_SHELL_RED ? 255 : 0, ent.flags & RF_SHELL_GREEN ? 255 : 0,
                     ent.flags & RF_SHELL_BLUE ? 255 : 0);
            shader.alpha = static_cast<unsigned>(kShellAlpha * 256);
            shader.writeDepth = false;
        } else {
            shader.SetTexture(skin);
            shader.texScaleS = static_cast<float>(skin->width);
            shader.texScaleT = static_cast<float>(skin->height);
            if (translucent) {
                shader.mode = SurfaceShader::Mode::ModelTranslucent;
                shader.alpha = static_cast<unsigned>(EntityAlpha(ent, kTranslucentAlpha) * 256);
                shader.writeDepth = false;
            } else {
                shader.mode = SurfaceShader::Mode::Model;
            }
        }
        RasterVertex verts[3];
        Vec3 corners[3];
        for (const AliasData::Triangle& tri : alias.triangles) {
            for (int k = 0; k < 3; ++k) {
                const std::uint16_t i = tri.vertex[k];
                Vec3 p = cur.positions[i] * (1.0f - back) + old.positions[i] * back;
                const Vec3 n = cur.normals[i];
                if (shell)
                    p = p + n * kShellGrowth;
                corners[k] = place.ToWorld(p);
                verts[k].p = ctx.cam.ToView(corners[k]);
                verts[k].a[0] = tri.s[k];
                verts[k].a[1] = tri.t[k];
                float bright = 256.0f;
                if (!(ent.flags & RF_FULLBRIGHT)) {
                    const Vec3 nw =
                        place.axes.forward * n.x - place.axes.right * n.y + place.axes.up * n.z;
                    bright = 256.0f * light * (0.55f + 0.6f * std::max(0.0f, Dot(nw, lightDir)));
                }
                verts[k].a[2] = bright;
            }
            // Corners run clockwise seen from outside: a triangle turned away is the far
            // side of the model, hidden anyway, and drawn twice over a translucent one.
            const Vec3 outward = Cross(corners[2] - corners[0], corners[1] - corners[0]);
            if (Dot(outward, ctx.cam.origin - corners[0]) <= 0.0f)
                continue;
            DrawPolygon(ctx.cam, verts, 3, shader);
        }
    };
    if (drawBody)
        draw(false);
    if (drawShell)
        draw(true);
}

} // namespace refsoft
