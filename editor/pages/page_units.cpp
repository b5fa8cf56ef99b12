#include "editor/pages/page_units.h"

#include <charconv>
#include <cmath>

namespace page_units {

double CoordToPage(int32_t raw) {
    return raw * kCoordScale;
}

int64_t CoordFromPage(double value) {
    return static_cast<int64_t>(std::trunc(value * 8.0));
}

double EntityAngleToPage(int32_t raw) {
    return raw * kEntityAngleScale;
}

int64_t EntityAngleFromPage(double value) {
    return static_cast<int64_t>(std::lround(value / kEntityAngleScale));
}

double ViewAngleToPage(int32_t raw) {
    return raw * kViewAngleScale;
}

int64_t ViewAngleFromPage(double value) {
    return static_cast<int64_t>(std::trunc(static_cast<float>(value) * kViewAngleInverse));
}

int64_t DeltaAngleFromPage(double value) {
    return std::llround(value / kViewAngleScale);
}

double QuarterToPage(int32_t raw) {
    return raw * kQuarterScale;
}

int64_t QuarterFromPage(double value) {
    return static_cast<int64_t>(std::trunc(value * 4.0));
}

double BlendToPage(float raw) {
    return static_cast<double>(raw) / 255.0;
}

// Computed in double and rounded once to the record's float, so that a value shown from a
// whole raw component comes back as exactly that component.
float BlendFromPage(double value) {
    return static_cast<float>(value * 255.0);
}

int32_t AttenuationToPage(uint8_t raw) {
    return raw / kAttenuationScale;
}

std::string FormatNumber(double value) {
    if (value == 0.0) {
        return "0"; // also for -0
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatInt(int64_t value) {
    return std::to_string(value);
}

} // namespace page_units
