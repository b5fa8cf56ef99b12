#include "editor/film_dialogs.h"

#include "editor/ui.h"

#include <algorithm>
#include <charconv>

namespace {
constexpr double kMinFov = 1.0;
constexpr double kMaxFov = 179.0;
} // namespace

bool CheckEntityNumber(Ui& ui, int32_t entity) {
    if (entity < 1 || entity > kMaxEntityNumber) {
        ui.ShowMessage("Please enter an entity number between 1 and " +
                       std::to_string(kMaxEntityNumber) + ".");
        return false;
    }
    return true;
}

double ZoomFov(int32_t zoom) {
    zoom = std::clamp(zoom, -kMaxZoom, kMaxZoom);
    const double fov = zoom < 0 ? 90.0 + 0.9 * zoom : zoom > 0 ? 80.0 + 0.9 * zoom : 90.0;
    return std::clamp(fov, kMinFov, kMaxFov);
}

double SpeedTimescale(int32_t speed) {
    speed = std::clamp(speed, -kMaxZoom, kMaxZoom);
    return speed > 0 ? 1.0 + 0.05 * speed : speed < 0 ? 1.0 + 0.009 * speed : 1.0;
}

std::string TimescaleNumber(double timescale) {
    char number[32];
    auto [end, ec] =
        std::to_chars(number, number + sizeof number, timescale, std::chars_format::fixed, 6);
    return ec == std::errc() ? std::string(number, end) : std::string("1.000000");
}

std::string TimescaleCommand(double timescale) {
    return "timescale " + TimescaleNumber(timescale) + "\n";
}

std::array<uint8_t, 3> SwatchColor(const std::array<float, 4>& rgbi) {
    const float k = rgbi[3] * 0.003921569f;
    std::array<uint8_t, 3> out{};
    for (int i = 0; i < 3; ++i) {
        out[static_cast<size_t>(i)] = static_cast<uint8_t>(
            std::clamp(static_cast<int>(rgbi[static_cast<size_t>(i)] * k), 0, 255));
    }
    return out;
}

std::array<float, 4> PalettePreset(int preset) {
    switch (preset) {
    case 0:
        return {0, 0, 0, 255};
    case 2:
        return {255, 255, 255, 255};
    default:
        return {0, 0, 0, 0};
    }
}
