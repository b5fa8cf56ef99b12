// What the drawing of one 3D frame shares: the view, the buffer and the scene's settings.
#pragma once

#include "camera.h"
#include "frame_buffer.h"
#include "images.h"
#include "models.h"

#include "orrery/ref_types.h"

#include <array>

namespace refsoft {

// Entity flags of the game (entity_t.flags).
constexpr int RF_MINLIGHT = 1;
constexpr int RF_VIEWERMODEL = 2;
constexpr int RF_WEAPONMODEL = 4;
constexpr int RF_FULLBRIGHT = 8;
constexpr int RF_DEPTHHACK = 16;
constexpr int RF_TRANSLUCENT = 32;
constexpr int RF_FRAMELERP = 64;
constexpr int RF_BEAM = 128;
constexpr int RF_CUSTOMSKIN = 256;
constexpr int RF_GLOW = 512;
constexpr int RF_SHELL_RED = 1024;
constexpr int RF_SHELL_GREEN = 2048;
constexpr int RF_SHELL_BLUE = 4096;

// Frame flags of the game (refdef_t.rdflags).
constexpr int RDF_UNDERWATER = 1;
constexpr int RDF_NOWORLDMODEL = 2;

// The sky box: six sides in the game's order rt, bk, lf, ft, up, dn; a missing side is
// drawn in a flat colour.
struct Sky {
    std::array<image_s*, 6> sides{};
    float rotate = 0;   // degrees per second
    Vec3 axis{0, 0, 1}; // unit length
    bool loaded = false;
};
constexpr std::uint32_t kFlatSkyColour = 0xff4a5a78u;

struct FrameContext {
    Camera cam;
    FrameBuffer* fb = nullptr;
    const refdef_t* fd = nullptr;
    const Palette32* palette = nullptr;
    const image_s* checker = nullptr;
    const Sky* sky = nullptr;
    float time = 0;
    // Brightness of each light style for this frame, 1.0 the game's normal light.
    std::array<float, 256> styleScale{};
    // The map the models stand in; null when the frame draws none.
    model_s* world = nullptr;
};

// Which surfaces a pass draws.
enum class Pass { Opaque, Translucent };

// World and inline models: draws the surfaces of model for the pass, placed by place (null
// for the map itself).
void DrawBrushModel(FrameContext& ctx, model_s& model, const Placement* place, Pass pass,
                    float alpha);
// Sums a face's light styles at this frame's brightness into surf.light (kept until a
// style's brightness changes).
void UpdateLight(const FrameContext& ctx, const BrushData& data, BrushSurface& surf);
// The light of the first map face under p, 1.0 the game's normal light; 1.0 too when no
// face with a light map is there (no map, or p outside it).
float LightUnder(const FrameContext& ctx, Vec3 p);
// An MD2 entity, with its shell when it has one.
void DrawAliasEntity(FrameContext& ctx, const entity_t& ent, Pass pass);
// A beam from origin to oldorigin, frame units across, palette colour skinnum & 255.
void DrawBeam(FrameContext& ctx, const entity_t& ent);
// The frame description's blend over the viewport.
void DrawBlend(FrameContext& ctx);

// An entity's alpha for translucent drawing: its own in (0, 1], else the fallback.
float EntityAlpha(const entity_t& ent, float fallback);

} // namespace refsoft
