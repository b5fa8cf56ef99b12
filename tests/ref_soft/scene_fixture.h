// A renderer with the generated room registered and a camera at its centre looking along +x.
#pragma once

#include "scene_assets.h"
#include "soft_harness.h"

#include <gtest/gtest.h>

namespace refsoft_test {

class RoomScene {
  public:
    explicit RoomScene(const RoomOptions& options = {}, bool withConchars = false)
        : r(SceneFiles(options, withConchars)) {
        ok = r.Init();
        r.NormalLight();
        r.library->BeginRegistration("room");
        world = r.library->RegisterModel("maps/room.bsp");
        r.library->EndRegistration();
        r.fd().width = 320;
        r.fd().height = 240;
        r.fd().fov_x = 90;
    }
    // Renders and returns the presented pixel.
    std::uint32_t Pixel(int x, int y) {
        r.Frame();
        return r.platform.At(x, y);
    }
    std::uint32_t FaceAt(int x, int y) {
        r.FaceFrame();
        return r.platform.At(x, y);
    }
    void Look(float pitch, float yaw) {
        r.fd().viewangles[0] = pitch;
        r.fd().viewangles[1] = yaw;
    }
    void SetEntities(entity_t* ents, int count) {
        r.fd().entities = ents;
        r.fd().num_entities = count;
    }

    SoftRenderer r;
    bool ok = false;
    model_s* world = nullptr;
};

inline testing::AssertionResult PixelIs(std::uint32_t pixel, Rgb c, int tolerance = 3) {
    if (Near(pixel, c.r, c.g, c.b, tolerance))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel is (" << Red(pixel) << ", " << Green(pixel) << ", " << Blue(pixel)
           << "), expected (" << c.r << ", " << c.g << ", " << c.b << ")";
}

} // namespace refsoft_test
