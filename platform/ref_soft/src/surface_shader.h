// The span fillers: textured and lit surfaces, translucent ones, the sky, models and flat
// colour. Each tests depth first, so hidden pixels cost no texture work.
#pragma once

#include "context.h"
#include "raster.h"

#include <algorithm>

namespace refsoft {

// The sky's texel seen along a world direction.
std::uint32_t SampleSky(const Sky* sky, Vec3 dir, float time);

struct SurfaceShader {
    enum class Mode { Opaque, Translucent, Sky, Model, ModelTranslucent, Flat };
    Mode mode = Mode::Opaque;
    FrameBuffer* fb = nullptr;
    std::uint32_t faceId = kNoFace;
    bool writeDepth = true;
    // 1/depth is tested and stored times this: above 1 the surface counts as nearer than it
    // is (the view weapon's depth range), its picture keeping its true perspective.
    float depthScale = 1.0f;

    // Texture, addressed in texels by attributes 0 and 1 (wrapping).
    const std::uint32_t* texels = nullptr;
    int texWidth = 1, texHeight = 1;
    bool pow2 = false;
    // Models address their skin 0..1 across: the scale to texels.
    float texScaleS = 1, texScaleT = 1;

    // Light map (null: full brightness), 256 = the texture as it is.
    const std::uint16_t* light = nullptr;
    int lightWidth = 0, lightHeight = 0;
    float lightMinS = 0, lightMinT = 0;

    unsigned alpha = 256;               // 0..256 for translucent modes
    std::uint32_t colour = 0xffffffffu; // Flat

    const Camera* cam = nullptr;
    const Sky* sky = nullptr;
    float time = 0;

    void SetTexture(const image_s* image) {
        texels = image->texels.data();
        texWidth = image->width;
        texHeight = image->height;
        pow2 = (texWidth & (texWidth - 1)) == 0 && (texHeight & (texHeight - 1)) == 0;
    }

    std::uint32_t Texel(float s, float t) const {
        int si = SafeFloor(s * texScaleS), ti = SafeFloor(t * texScaleT);
        if (pow2) {
            si &= texWidth - 1;
            ti &= texHeight - 1;
        } else {
            si %= texWidth;
            ti %= texHeight;
            si += si < 0 ? texWidth : 0;
            ti += ti < 0 ? texHeight : 0;
        }
        return texels[ti * texWidth + si];
    }

    // The lit texel for a surface point.
    std::uint32_t Lit(float s, float t) const {
        const std::uint32_t texel = Texel(s, t);
        if (!light)
            return texel | 0xff000000u;
        const int ls =
            std::clamp(SafeFloor(s * (1.0f / 16.0f) - lightMinS + 0.5f), 0, lightWidth - 1);
        const int lt =
            std::clamp(SafeFloor(t * (1.0f / 16.0f) - lightMinT + 0.5f), 0, lightHeight - 1);
        const std::uint16_t* l = light + (lt * lightWidth + ls) * 3;
        const unsigned r = std::min(255u, (((texel >> 16) & 255) * l[0]) >> 8);
        const unsigned g = std::min(255u, (((texel >> 8) & 255) * l[1]) >> 8);
        const unsigned b = std::min(255u, ((texel & 255) * l[2]) >> 8);
        return Xrgb(r, g, b);
    }

    // A model texel shaded by a brightness, 256 = as it is.
    std::uint32_t Shaded(float s, float t, float bright) const {
        const std::uint32_t texel = Texel(s, t);
        const unsigned l = static_cast<unsigned>(std::clamp(bright, 0.0f, 512.0f));
        const unsigned r = std::min(255u, (((texel >> 16) & 255) * l) >> 8);
        const unsigned g = std::min(255u, (((texel >> 8) & 255) * l) >> 8);
        const unsigned b = std::min(255u, ((texel & 255) * l) >> 8);
        return Xrgb(r, g, b);
    }

    void operator()(const Span& sp) {
        std::uint32_t* colourRow = fb->Row(sp.y);
        float* depthRow = fb->DepthRow(sp.y);
        std::uint32_t* faceRow = fb->FaceRow(sp.y);
        float iz = sp.iz, a0 = sp.az[0], a1 = sp.az[1], a2 = sp.az[2];
        for (int x = sp.x0; x < sp.x1;
             ++x, iz += sp.diz, a0 += sp.daz[0], a1 += sp.daz[1], a2 += sp.daz[2]) {
            const float depth = iz * depthScale;
            if (!(depth > depthRow[x]))
                continue;
            const float z = 1.0f / iz;
            std::uint32_t out = 0;
            switch (mode) {
            case Mode::Opaque:
                out = Lit(a0 * z, a1 * z);
                break;
            case Mode::Translucent:
                out = BlendXrgb(colourRow[x], Lit(a0 * z, a1 * z), alpha);
                break;
            case Mode::Sky:
                out = SampleSky(
                    sky,
                    cam->RayThrough(static_cast<float>(x) + 0.5f, static_cast<float>(sp.y) + 0.5f),
                    time);
                break;
            case Mode::Model:
                out = Shaded(a0 * z, a1 * z, a2 * z);
                break;
            case Mode::ModelTranslucent:
                out = BlendXrgb(colourRow[x], Shaded(a0 * z, a1 * z, a2 * z), alpha);
                break;
            case Mode::Flat:
                out = alpha >= 256 ? colour : BlendXrgb(colourRow[x], colour, alpha);
                break;
            }
            colourRow[x] = out;
            if (writeDepth)
                depthRow[x] = depth;
            if (faceId != kNoFace)
                faceRow[x] = faceId;
        }
    }
};

} // namespace refsoft
