// The overhead view's mapping between game units and the window's pixels: north (+y) up,
// zoomed about a point and panned by dragging, and the entity a click lands on.
#pragma once

#include "overhead_map.h"
#include "overhead_scene.h"

#include <cstdint>

class OverheadTransform {
  public:
    // Pixels per game unit are kept within these.
    static constexpr double kMinScale = 1.0 / 64;
    static constexpr double kMaxScale = 16;

    void SetViewport(int width, int height);
    // Shows all of `bounds` with a margin; an empty bounds shows 2048 units around 0,0.
    void Fit(const OverheadBounds& bounds);
    // Zooms by `factor` keeping the world point under the screen point where it is.
    void ZoomAt(double factor, double sx, double sy);
    // Zooms about the middle of the window.
    void Zoom(double factor) { ZoomAt(factor, width_ / 2.0, height_ / 2.0); }
    // Moves the map with the mouse by dx, dy pixels.
    void PanBy(double dx, double dy);
    // Puts a world point in the middle of the window.
    void CenterOn(double x, double y);

    void ToScreen(double x, double y, double& sx, double& sy) const;
    void ToWorld(double sx, double sy, double& x, double& y) const;
    double Scale() const { return scale_; }
    double CenterX() const { return cx_; }
    double CenterY() const { return cy_; }

  private:
    int width_ = 1;
    int height_ = 1;
    double scale_ = 0.25;
    double cx_ = 0;
    double cy_ = 0;
};

// The entity whose marker is nearest the screen point within `radius` pixels; 0 for none.
uint16_t EntityAt(const OverheadTransform& view, const OverheadFrame& frame, double sx, double sy,
                  double radius);
