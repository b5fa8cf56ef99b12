#include "editor/film_math.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kShortsPerTurn = 65536.0;
constexpr double kDegreesPerTurn = 360.0;
} // namespace

int16_t AngleToShort(double degrees) {
    const double scaled = std::trunc(degrees * kShortsPerTurn / kDegreesPerTurn);
    // Wide enough for any angle the commands compute; reduced modulo one turn.
    const auto wide = static_cast<int64_t>(std::fmod(scaled, kShortsPerTurn));
    return static_cast<int16_t>(static_cast<uint16_t>(wide & 0xFFFF));
}

double ShortToAngle(int16_t value) {
    return value * kDegreesPerTurn / kShortsPerTurn;
}

bool AimAt(const double eye[3], const double target[3], double& pitch, double& yaw) {
    const double dx = target[0] - eye[0];
    const double dy = target[1] - eye[1];
    const double dz = target[2] - eye[2];
    if (dx == 0 && dy == 0) {
        if (dz == 0) {
            return false;
        }
        pitch = dz > 0 ? -90.0 : 90.0;
        return true;
    }
    yaw = std::atan2(dy, dx) * 180.0 / kPi;
    pitch = -std::atan2(dz, std::sqrt(dx * dx + dy * dy)) * 180.0 / kPi;
    return true;
}

double Ramp(double start, double end, uint32_t i, uint32_t n) {
    return n == 0 ? start : start + (end - start) * static_cast<double>(i) / n;
}

double ShortestTurn(double a, double b) {
    double d = std::fmod(b - a, kDegreesPerTurn);
    if (d > 180.0) {
        d -= kDegreesPerTurn;
    } else if (d < -180.0) {
        d += kDegreesPerTurn;
    }
    return d;
}
