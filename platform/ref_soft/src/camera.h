// The view of one frame: where the eye is, where it looks, and how the view maps to pixels.
#pragma once

#include "vec.h"

#include "orrery/ref_types.h"

namespace refsoft {

// A point in view space: x right, y up, z forward (depth).
struct ViewPoint {
    float x, y, z;
};

struct Camera {
    Vec3 origin;
    Basis axes;
    // Viewport in frame buffer pixels, already clipped to the buffer.
    int left = 0, top = 0, width = 1, height = 1;
    float fovX = 90, fovY = 73.74f;       // degrees, as used
    float tanX = 1, tanY = 0.75f;         // tangents of half the fields of view
    float centreX = 0.5f, centreY = 0.5f; // the view axis in pixels
    float scaleX = 1, scaleY = 1;         // pixels per unit at depth 1

    ViewPoint ToView(Vec3 p) const {
        const Vec3 d = p - origin;
        return {Dot(d, axes.right), Dot(d, axes.up), Dot(d, axes.forward)};
    }
    // The world direction through a point of the screen.
    Vec3 RayThrough(float px, float py) const {
        return axes.forward + axes.right * ((px - centreX) / scaleX) -
               axes.up * ((py - centreY) / scaleY);
    }
};

// Clamps the horizontal field of view to 1..179 degrees; the vertical one follows from it
// and the viewport's aspect, whatever the frame description says.
float ClampFov(float fovX);
float VerticalFov(float fovX, int width, int height);

// The camera of a frame description drawn into a buffer of bufferWidth x bufferHeight.
// False when the viewport lies wholly outside the buffer.
bool MakeCamera(const refdef_t& fd, int bufferWidth, int bufferHeight, Camera& out);

} // namespace refsoft
