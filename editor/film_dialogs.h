// The settings the camera and film commands ask for, as plain structs the Ui port's dialogs
// fill, with the rules the dialogs follow.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Ui;

// "Fix Camera On Entity" (dialog 175).
struct FixCameraDlgData {
    int32_t entity = 1;
};

// "ReCamera" (dialog 207).
struct ReCameraDlgData {
    int32_t entity = 1;
    bool keepAngles = false; // "Don't change view angles (only origin) "
};

// "FOV Control (ZOOMin/ZOOMout)" (dialog 183): zooms -100 to 100.
struct FovDlgData {
    int32_t initialZoom = 0;
    int32_t finalZoom = 0;
};

// "SPECIAL FX: FrameRate Control" (dialog 178): a speed -100 to 100.
struct FrameRateDlgData {
    int32_t speed = 0;
};

// "FX: RGB palette shift" (dialog 169): red, green, blue and intensity, 0 to 255.
struct PaletteShiftDlgData {
    std::array<float, 4> initial{0, 0, 0, 100};
    std::array<float, 4> final{0, 0, 0, 100};
};

// The renderfx bits of the "Entity Effects" dialog's thirteen boxes, in the dialog's order.
constexpr std::array<uint32_t, 13> kEntityEffectBits = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010,
                                                        0x0020, 0x0040, 0x0080, 0x0100, 0x0200,
                                                        0x0400, 0x0800, 0x1000};

enum class TriState : int8_t { kLeave = -1, kClear = 0, kSet = 1 };

// "Entity Effects" (dialog 206).
struct EntityEffectsDlgData {
    int32_t entity = 1;
    bool changeModel = false;
    int32_t model = 0; // model index: list position + 1, 0 = none chosen
    bool changeSkin = false;
    int32_t skin = 0;
    std::array<int32_t, 3> addOrigin{0, 0, 0}; // game units
    uint32_t laserColor = 0;
    int32_t transparency = 50;
    // The lists the dialog shows: the document's model and image names in table order.
    std::vector<std::string> models;
    std::vector<std::string> images;
    std::array<TriState, 13> effects{
        TriState::kLeave, TriState::kLeave, TriState::kLeave, TriState::kLeave, TriState::kLeave,
        TriState::kLeave, TriState::kLeave, TriState::kLeave, TriState::kLeave, TriState::kLeave,
        TriState::kLeave, TriState::kLeave, TriState::kLeave};
};

constexpr int32_t kMaxEntityNumber = 1023;
constexpr int32_t kMaxZoom = 100;
constexpr int32_t kMaxOriginOffset = 4095; // game units: the map's whole extent

// Entities 1 to 1023; others are refused with a message.
bool CheckEntityNumber(Ui& ui, int32_t entity);

// The field of view of a zoom (-100 to 100): 90 + 0.9 z below 0, 80 + 0.9 z above, 90 at 0;
// always 1 to 179, the range the game draws.
double ZoomFov(int32_t zoom);
// The game speed of a speed setting: 1 + 0.05 s above 0 (up to 6), 1 + 0.009 s below (down
// to 0.1).
double SpeedTimescale(int32_t speed);
// "6.000000": six decimals whatever the locale.
std::string TimescaleNumber(double timescale);
// "timescale 6.000000\n", the console command the game runs.
std::string TimescaleCommand(double timescale);
// The swatch colour of a side: each of red, green and blue scaled by intensity / 255.
std::array<uint8_t, 3> SwatchColor(const std::array<float, 4>& rgbi);
// The presets of each side: Black, Clear and White.
std::array<float, 4> PalettePreset(int preset); // 0 black, 1 clear, 2 white
