// Three-component vectors and the game's angle conventions.
#pragma once

#include <cmath>

namespace refsoft {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Normalized(Vec3 a) {
    const float len = Length(a);
    return len > 1e-12f ? a * (1.0f / len) : Vec3{};
}
inline Vec3 FromArray(const float* v) {
    return {v[0], v[1], v[2]};
}
inline bool Finite(Vec3 a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

// The game's orientation of pitch, yaw and roll (degrees): positive pitch looks down.
struct Basis {
    Vec3 forward, right, up;
};
Basis AngleVectors(const float angles[3]);

// Places a model: a point of the model (x forward, y left, z up) in the world.
struct Placement {
    Vec3 origin;
    Basis axes;
    Vec3 ToWorld(Vec3 p) const {
        return origin + axes.forward * p.x - axes.right * p.y + axes.up * p.z;
    }
};

} // namespace refsoft
