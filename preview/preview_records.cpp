#include "preview/preview_records.h"

#include "demo/frame_timeline.h"

#include <cmath>
#include <cstring>
#include <map>

namespace {

constexpr float kEntityAngle = 360.0f / 256.0f;
constexpr float kViewAngle = 360.0f / 65536.0f;

preventity_s Common(const EntityState& s) {
    preventity_s r;
    std::memset(&r, 0, sizeof r);
    r.modelindex = s.modelindex;
    r.flags = static_cast<int32_t>(s.renderfx);
    const auto frame = static_cast<int32_t>(s.frame);
    r.frame = frame < 0 ? 0 : frame;
    r.effects = static_cast<int32_t>(s.effects);
    for (int k = 0; k < 3; ++k) {
        r.angles[k] = s.angles[k] * kEntityAngle;
        r.origin[k] = s.origin[k] / 8.0f;
    }
    r.spawn = static_cast<int16_t>(s.solid);
    r.skinmarker = -1;
    return r;
}

} // namespace

preventity_s BaselineRecord(const EntityState& s) {
    preventity_s r = Common(s);
    if (s.frame == kFrameNotSent) {
        r.frame = 0;
    }
    r.skinnum = static_cast<int32_t>(s.skinnum);
    std::memcpy(r.oldorigin, r.origin, sizeof r.oldorigin);
    return r;
}

preventity_s FrameEntityRecord(const EntityState& s, int32_t skinMarker) {
    preventity_s r = Common(s);
    r.skinnum = static_cast<int32_t>(s.skinnum & 0xff);
    r.oldframe = r.frame;
    std::memcpy(r.oldorigin, r.origin, sizeof r.oldorigin);
    r.skinmarker = skinMarker;
    return r;
}

prevplayer_s PlayerRecord(const PlayerState& ps) {
    prevplayer_s r{};
    for (int k = 0; k < 3; ++k) {
        r.vieworg[k] = ps.origin[k] / 8.0f + ps.viewoffset[k] / 4.0f;
        r.viewangles[k] = ps.viewangles[k] * kViewAngle;
    }
    for (int k = 0; k < 4; ++k) {
        r.blend[k] = ps.blend[k] / 255.0f;
    }
    r.fov = ps.fov;
    r.rdflags = ps.rdflags;
    return r;
}

int16_t AngleToWire(float degrees) {
    if (!std::isfinite(degrees)) {
        return 0;
    }
    const double raw = std::trunc(static_cast<double>(degrees) * 182.04445);
    const auto wrapped = static_cast<int64_t>(std::fmod(raw, 65536.0));
    return static_cast<int16_t>(static_cast<uint16_t>(wrapped & 0xffff));
}

int16_t OriginToWire(float units) {
    if (!std::isfinite(units)) {
        return 0;
    }
    const double raw = std::trunc(static_cast<double>(units) * 8.0);
    if (raw > 32767.0) {
        return 32767;
    }
    if (raw < -32768.0) {
        return -32768;
    }
    return static_cast<int16_t>(raw);
}

EntitySet ShownBy(const FrameMessage& frame, const EntitySet& base) {
    std::map<uint16_t, EntityState> byNumber;
    for (const EntityState& s : base) {
        byNumber[s.number] = s;
    }
    ForEachFrameEntity(frame, [&](const EntityState& r) {
        if (r.remove) {
            byNumber.erase(r.number);
        } else {
            byNumber[r.number] = r;
        }
    });
    EntitySet shown;
    shown.reserve(byNumber.size());
    for (const auto& [number, s] : byNumber) {
        shown.push_back(s);
    }
    return shown;
}
