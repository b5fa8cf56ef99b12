#include "overhead_scene.h"

#include "demo/tresk_doc.h"
#include "editor/selection_frames.h"

namespace {

// Origins travel in eighths of a unit; entity angles in 256ths and view angles in 65536ths
// of a turn.
constexpr float kOriginScale = 1.0f / 8.0f;
constexpr float kByteAngle = 360.0f / 256.0f;
constexpr float kShortAngle = 360.0f / 65536.0f;

} // namespace

OverheadFrame OverheadFrameAt(CTreskDoc& doc, uint32_t block) {
    OverheadFrame out;
    if (block == 0 || block > doc.blockCount) {
        return out;
    }
    std::vector<SelectedFrame> frames = SelectedFrames(doc, block, 1, kAllEntities);
    if (frames.empty() || frames.front().player == nullptr) {
        return out;
    }
    const SelectedFrame& f = frames.front();
    out.valid = true;
    const PlayerState& ps = f.player->state;
    out.playerX = ps.origin[0] * kOriginScale;
    out.playerY = ps.origin[1] * kOriginScale;
    out.playerZ = ps.origin[2] * kOriginScale;
    out.playerYaw = ps.viewangles[1] * kShortAngle;
    out.entities.reserve(f.shown.size());
    for (const EntityState& e : f.shown) {
        out.entities.push_back({e.number, e.origin[0] * kOriginScale, e.origin[1] * kOriginScale,
                                e.origin[2] * kOriginScale, e.angles[1] * kByteAngle,
                                e.modelindex});
    }
    return out;
}

std::vector<OverheadPoint> EntityTrail(CTreskDoc& doc, uint16_t entity, uint32_t first,
                                       uint32_t count) {
    std::vector<OverheadPoint> trail;
    if (entity == 0 || first == 0 || first > doc.blockCount || count == 0) {
        return trail;
    }
    count = std::min(count, doc.blockCount - first + 1);
    for (const SelectedFrame& f : SelectedFrames(doc, first, count, entity)) {
        if (f.entity) {
            trail.push_back(
                {f.entity->origin[0] * kOriginScale, f.entity->origin[1] * kOriginScale});
        }
    }
    return trail;
}

const OverheadMarker* FindMarker(const OverheadFrame& frame, uint16_t number) {
    for (const OverheadMarker& m : frame.entities) {
        if (m.number == number) {
            return &m;
        }
    }
    return nullptr;
}
