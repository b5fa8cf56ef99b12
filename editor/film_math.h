// The arithmetic of the film commands: view angles on the wire, aiming, ramps.
#pragma once

#include <cstdint>

// Degrees to the wire's 16-bit angle (65536 per turn): through a wide integer, then modulo
// 65536, as the game stores it.
int16_t AngleToShort(double degrees);
double ShortToAngle(int16_t value);

// Pitch and yaw, in degrees, of a view from `eye` at `target` (game units), by the game's own
// rule: straight up or down gives pitch -90 or 90 and keeps `yaw`; a target at the eye keeps
// both. Returns false (angles untouched) for that last case.
bool AimAt(const double eye[3], const double target[3], double& pitch, double& yaw);

// The value at position i of n on a ramp from `start` to `end` (n = 0: start), computed from
// the position so that the ramp reaches its end exactly.
double Ramp(double start, double end, uint32_t i, uint32_t n);

// The shorter turn from angle a to angle b, in degrees (-180 to 180).
double ShortestTurn(double a, double b);
