// Records the editor fills to describe the scene to the 3D preview window, and the
// notifications the window sends back to its owner. Plain C++ without Qt, so the program's
// preview driving can include it.
#pragma once

#include <cstdint>

// Model indices of the window's model table: 1..499 (0 = no model / no change).
constexpr int kPrevModelSlots = 500;
// Entity numbers the window keeps: 0..499.
constexpr int kPrevEntitySlots = 500;
// Height of the strip of control buttons under the rendered picture.
constexpr int kPrevButtonStrip = 18;

#pragma pack(push, 1)
// One entity. Zero fields mean "no change" on update (model index, flags, frame, skin).
struct preventity_s {
    int32_t modelindex;
    int32_t flags;
    int32_t frame;
    int32_t skinnum;
    int32_t oldframe; // written back by UpdateEntity
    float angles[3];  // degrees
    float origin[3];  // game units
    float oldorigin[3];
    int32_t effects;
    int16_t spawn;      // not 0: spawned even at the origin (0,0,0)
    int32_t skinmarker; // -1 none; n >= 0 selects skins/skin<n+1>.pcx
    char skinpath[64];  // image path of a player skin, or empty
};
#pragma pack(pop)
static_assert(sizeof(preventity_s) == 4 * 5 + 4 * 9 + 4 + 2 + 4 + 64, "packed record");

// The recording player's view.
struct prevplayer_s {
    float vieworg[3]; // game units
    float unused[3];
    float viewangles[3]; // degrees
    float blend[4];      // 0..1
    uint8_t fov;
    uint8_t rdflags;
};

// Messages the window sends or posts to its owner.
enum PrevWndMessage : unsigned {
    kPrevMsgAngles = 0x845, // wParam block index, lParam three floats (degrees)
    kPrevMsgClosed = 0x846, // posted
    kPrevMsgOrigin = 0x847, // wParam block index, lParam three floats
    kPrevBtnStop = 0x955,   // 2389: the seven buttons, by id
    kPrevBtnStart = 0x956,
    kPrevBtnBack = 0x957,
    kPrevBtnPlay = 0x958,
    kPrevBtnForward = 0x959,
    kPrevBtnEnd = 0x95A,
    kPrevBtnPosition = 0x95B,
};

// The window's owner: receives the notifications (the window's stand-in for window messages).
class CPrevWndOwner {
  public:
    virtual ~CPrevWndOwner() = default;
    virtual void OnPreviewMessage(unsigned message, uintptr_t wParam, const void* lParam) = 0;
};
