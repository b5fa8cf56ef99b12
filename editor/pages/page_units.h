// Conversions between record values (raw wire units) and the values the edit pages show,
// and the text form of page numbers.
#pragma once

#include <cstdint>
#include <string>

namespace page_units {

// Coordinates: 1/8 game unit.
constexpr double kCoordScale = 0.125;
// Entity angles: 8-bit, 360/256 degrees per unit.
constexpr double kEntityAngleScale = 1.40625;
// View angles: 16-bit, 360/65536 degrees per unit; back with 65536/360 in single precision.
constexpr double kViewAngleScale = 0.0054931640625;
constexpr float kViewAngleInverse = 182.04444885253906f;
// View offset, kick angles, gun offset and gun angles: 1/4 unit or degree.
constexpr double kQuarterScale = 0.25;
// Sound attenuation: 64 per unit.
constexpr int kAttenuationScale = 64;

double CoordToPage(int32_t raw);
// value x 8, truncated toward zero.
int64_t CoordFromPage(double value);
double EntityAngleToPage(int32_t raw);
// The nearest 8-bit angle of a value in degrees.
int64_t EntityAngleFromPage(double value);
double ViewAngleToPage(int32_t raw);
// value x 65536/360 (single precision), truncated.
int64_t ViewAngleFromPage(double value);
// The nearest 16-bit angle of a value in degrees (delta angles, which are edited rarely and
// must come back exactly as shown).
int64_t DeltaAngleFromPage(double value);
double QuarterToPage(int32_t raw);
// value x 4, truncated.
int64_t QuarterFromPage(double value);
double BlendToPage(float raw);
float BlendFromPage(double value);
// raw / 64, truncated: 0 to 3.
int32_t AttenuationToPage(uint8_t raw);

// The shortest text that reads back as exactly the same number ("12.5", "-0.25", "3").
std::string FormatNumber(double value);
std::string FormatInt(int64_t value);

} // namespace page_units
