// Beams, the sky box lookup and the full-screen blend.
#include "context.h"
#include "raster.h"
#include "surface_shader.h"

#include <algorithm>
#include <numbers>

namespace refsoft {

namespace {
constexpr float kBeamAlpha = 0.3f;
}

std::uint32_t SampleSky(const Sky* sky, Vec3 dir, float time) {
    if (!sky)
        return kFlatSkyColour;
    if (sky->rotate != 0.0f && std::isfinite(sky->rotate)) {
        // Turn the view direction back by the sky's rotation so far (Rodrigues' formula).
        const float angle = -time * sky->rotate * static_cast<float>(std::numbers::pi / 180.0);
        const float c = std::cos(angle), s = std::sin(angle);
        const Vec3 k = sky->axis;
        dir = dir * c + Cross(k, dir) * s + k * (Dot(k, dir) * (1.0f - c));
    }
    const float ax = std::fabs(dir.x), ay = std::fabs(dir.y), az = std::fabs(dir.z);
    int side;
    float s, t;
    if (ax >= ay && ax >= az) {
        if (!(ax > 0))
            return kFlatSkyColour;
        side = dir.x > 0 ? 0 : 1;
        s = (dir.x > 0 ? -dir.y : dir.y) / ax;
        t = dir.z / ax;
    } else if (ay >= az) {
        side = dir.y > 0 ? 2 : 3;
        s = (dir.y > 0 ? dir.x : -dir.x) / ay;
        t = dir.z / ay;
    } else {
        side = dir.z > 0 ? 4 : 5;
        s = -dir.y / az;
        t = (dir.z > 0 ? -dir.x : dir.x) / az;
    }
    const image_s* image = sky->sides[side];
    if (!image)
        return kFlatSkyColour;
    const int u = std::clamp(SafeFloor((s + 1.0f) * 0.5f * static_cast<float>(image->width)), 0,
                             image->width - 1);
    const int v = std::clamp(SafeFloor((1.0f - t) * 0.5f * static_cast<float>(image->height)), 0,
                             image->height - 1);
    return image->texels[v * image->width + u] | 0xff000000u;
}

void DrawBeam(FrameContext& ctx, const entity_t& ent) {
    const Vec3 start = FromArray(ent.origin), end = FromArray(ent.oldorigin);
    if (!Finite(start) || !Finite(end))
        return;
    const float width = std::clamp(static_cast<float>(ent.frame), 1.0f, 1024.0f);
    const Vec3 mid = (start + end) * 0.5f;
    const Vec3 side = Normalized(Cross(end - start, ctx.cam.origin - mid)) * (width * 0.5f);
    if (Length(side) == 0.0f)
        return;
    RasterVertex verts[4]{};
    const Vec3 corners[4] = {start + side, end + side, end - side, start - side};
    for (int k = 0; k < 4; ++k)
        verts[k].p = ctx.cam.ToView(corners[k]);
    const float alpha = EntityAlpha(ent, kBeamAlpha);
    SurfaceShader shader;
    shader.mode = SurfaceShader::Mode::Flat;
    shader.fb = ctx.fb;
    shader.faceId = kEntityId;
    shader.colour = (*ctx.palette)[static_cast<unsigned>(ent.skinnum) & 255] | 0xff000000u;
    shader.alpha = static_cast<unsigned>(alpha * 256);
    shader.writeDepth = alpha >= 1.0f;
    DrawPolygon(ctx.cam, verts, 4, shader);
}

void DrawBlend(FrameContext& ctx) {
    const float* b = ctx.fd->blend;
    if (!std::isfinite(b[3]) || b[3] <= 0.0f)
        return;
    auto channel = [](float v) {
        return static_cast<unsigned>(std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f
                                                      : 0);
    };
    const std::uint32_t colour = Xrgb(channel(b[0]), channel(b[1]), channel(b[2]));
    const unsigned alpha = static_cast<unsigned>(std::min(b[3], 1.0f) * 256.0f);
    for (int y = ctx.cam.top; y < ctx.cam.top + ctx.cam.height; ++y) {
        std::uint32_t* row = ctx.fb->Row(y);
        for (int x = ctx.cam.left; x < ctx.cam.left + ctx.cam.width; ++x)
            row[x] = BlendXrgb(row[x], colour, alpha);
    }
}

} // namespace refsoft
