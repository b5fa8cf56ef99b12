#include "preview/scene_lerp.h"

#include <cmath>
#include <cstdlib>

namespace {

// Entity events of a teleport: the entity is somewhere new.
constexpr uint8_t kEventPlayerTeleport = 6;
constexpr uint8_t kEventOtherTeleport = 7;
// Further than this between two frames (game units, on any axis) is a jump, not a move.
constexpr int kEntityJump = 512;
constexpr int kViewJump = 256;

float Lerp(float from, float to, float fraction) {
    return from + fraction * (to - from);
}

} // namespace

float LerpAngle(float from, float to, float fraction) {
    float delta = std::fmod(to - from, 360.0f);
    if (delta > 180.0f) {
        delta -= 360.0f;
    } else if (delta < -180.0f) {
        delta += 360.0f;
    }
    return from + fraction * delta;
}

bool SnapsBetween(const EntityState& from, const EntityState& to) {
    if (to.event == kEventPlayerTeleport || to.event == kEventOtherTeleport) {
        return true;
    }
    if (from.modelindex != to.modelindex || from.modelindex2 != to.modelindex2 ||
        from.modelindex3 != to.modelindex3 || from.modelindex4 != to.modelindex4) {
        return true;
    }
    for (int k = 0; k < 3; ++k) {
        if (std::abs(to.origin[k] - from.origin[k]) > kEntityJump * 8) {
            return true;
        }
    }
    return false;
}

bool ViewSnapsBetween(const int16_t from[3], const int16_t to[3]) {
    for (int k = 0; k < 3; ++k) {
        if (std::abs(to[k] - from[k]) > kViewJump * 8) {
            return true;
        }
    }
    return false;
}

PreviewScene LerpScene(const PreviewScene& from, const PreviewScene& to, float fraction) {
    PreviewScene scene = to;
    // The animation frame cannot be blended here: the nearer frame's is drawn.
    const bool nearerFrom = fraction < 0.5f;
    size_t f = 0;
    for (SceneEntity& e : scene.entities) {
        while (f < from.entities.size() && from.entities[f].state.number < e.state.number) {
            ++f;
        }
        if (f == from.entities.size() || from.entities[f].state.number != e.state.number) {
            continue; // new in `to`: drawn where it is
        }
        const SceneEntity& before = from.entities[f];
        if (SnapsBetween(before.state, e.state)) {
            continue;
        }
        preventity_s& r = e.record;
        // Models that animate their own movement, and beams whose two ends are their
        // origins, step from frame to frame.
        if ((e.state.renderfx & (kRenderFxFrameLerp | kRenderFxBeam)) == 0) {
            for (int k = 0; k < 3; ++k) {
                r.origin[k] = Lerp(before.record.origin[k], r.origin[k], fraction);
                r.oldorigin[k] = r.origin[k];
            }
        }
        // An entity that spins by itself: its angles are not the frames' to interpolate.
        if ((e.state.effects & kEffectRotate) == 0) {
            for (int k = 0; k < 3; ++k) {
                r.angles[k] = LerpAngle(before.record.angles[k], r.angles[k], fraction);
            }
        }
        if (nearerFrom) {
            r.frame = before.record.frame;
        }
    }
    if (from.hasPlayer && to.hasPlayer && !ViewSnapsBetween(from.playerOrigin, to.playerOrigin)) {
        prevplayer_s& p = scene.player;
        for (int k = 0; k < 3; ++k) {
            p.vieworg[k] = Lerp(from.player.vieworg[k], p.vieworg[k], fraction);
            p.viewangles[k] = LerpAngle(from.player.viewangles[k], p.viewangles[k], fraction);
        }
        p.fov = static_cast<uint8_t>(
            std::lround(Lerp(static_cast<float>(from.player.fov), p.fov, fraction)));
        // The screen blend is the later frame's, as the client draws it.
    }
    return scene;
}
