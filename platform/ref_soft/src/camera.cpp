#include "camera.h"

#include <algorithm>
#include <numbers>

namespace refsoft {

namespace {
constexpr float kDegToRad = static_cast<float>(std::numbers::pi / 180.0);

float FiniteOr(float value, float fallback) {
    return std::isfinite(value) ? value : fallback;
}
} // namespace

Basis AngleVectors(const float angles[3]) {
    const float pitch = FiniteOr(angles[0], 0) * kDegToRad;
    const float yaw = FiniteOr(angles[1], 0) * kDegToRad;
    const float roll = FiniteOr(angles[2], 0) * kDegToRad;
    const float sp = std::sin(pitch), cp = std::cos(pitch);
    const float sy = std::sin(yaw), cy = std::cos(yaw);
    const float sr = std::sin(roll), cr = std::cos(roll);
    Basis b;
    b.forward = {cp * cy, cp * sy, -sp};
    b.right = {-sr * sp * cy + cr * sy, -sr * sp * sy - cr * cy, -sr * cp};
    b.up = {cr * sp * cy + sr * sy, cr * sp * sy - sr * cy, cr * cp};
    return b;
}

float ClampFov(float fovX) {
    if (!std::isfinite(fovX))
        return 90.0f;
    return std::clamp(fovX, 1.0f, 179.0f);
}

float VerticalFov(float fovX, int width, int height) {
    const float x = ClampFov(fovX);
    if (width <= 0 || height <= 0)
        return x;
    const float half =
        std::tan(x * 0.5f * kDegToRad) * static_cast<float>(height) / static_cast<float>(width);
    return std::clamp(2.0f * std::atan(half) / kDegToRad, 1.0f, 179.0f);
}

bool MakeCamera(const refdef_t& fd, int bufferWidth, int bufferHeight, Camera& out) {
    // The viewport as asked for, then cut to the buffer; the projection keeps the asked
    // size so that a viewport hanging over the edge is cut, not squeezed.
    const long x0 = fd.x, y0 = fd.y;
    const long x1 = x0 + std::max(0, fd.width), y1 = y0 + std::max(0, fd.height);
    const long cx0 = std::max(0L, x0), cy0 = std::max(0L, y0);
    const long cx1 = std::min<long>(bufferWidth, x1), cy1 = std::min<long>(bufferHeight, y1);
    if (cx1 <= cx0 || cy1 <= cy0)
        return false;
    out.left = static_cast<int>(cx0);
    out.top = static_cast<int>(cy0);
    out.width = static_cast<int>(cx1 - cx0);
    out.height = static_cast<int>(cy1 - cy0);

    const Vec3 origin = FromArray(fd.vieworg);
    out.origin = Finite(origin) ? origin : Vec3{};
    out.axes = AngleVectors(fd.viewangles);
    out.fovX = ClampFov(fd.fov_x);
    out.fovY = VerticalFov(out.fovX, fd.width, fd.height);
    out.tanX = std::tan(out.fovX * 0.5f * kDegToRad);
    out.tanY = std::tan(out.fovY * 0.5f * kDegToRad);
    out.centreX = static_cast<float>(x0) + static_cast<float>(fd.width) * 0.5f;
    out.centreY = static_cast<float>(y0) + static_cast<float>(fd.height) * 0.5f;
    out.scaleX = static_cast<float>(fd.width) * 0.5f / out.tanX;
    out.scaleY = static_cast<float>(fd.height) * 0.5f / out.tanY;
    return true;
}

} // namespace refsoft
