#include "overhead_transform.h"

#include <algorithm>
#include <cmath>

void OverheadTransform::SetViewport(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
}

void OverheadTransform::Fit(const OverheadBounds& bounds) {
    OverheadBounds b = bounds;
    if (b.empty) {
        b.Add(-1024, -1024);
        b.Add(1024, 1024);
    }
    const double w = std::max(1.0, static_cast<double>(b.maxX - b.minX));
    const double h = std::max(1.0, static_cast<double>(b.maxY - b.minY));
    const double margin = 0.9;
    scale_ = std::clamp(std::min(width_ / w, height_ / h) * margin, kMinScale, kMaxScale);
    cx_ = (static_cast<double>(b.minX) + b.maxX) / 2;
    cy_ = (static_cast<double>(b.minY) + b.maxY) / 2;
}

void OverheadTransform::ZoomAt(double factor, double sx, double sy) {
    if (!(factor > 0) || !std::isfinite(factor)) {
        return;
    }
    double x = 0;
    double y = 0;
    ToWorld(sx, sy, x, y);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    // The same world point under the same pixel.
    cx_ = x - (sx - width_ / 2.0) / scale_;
    cy_ = y + (sy - height_ / 2.0) / scale_;
}

void OverheadTransform::PanBy(double dx, double dy) {
    cx_ -= dx / scale_;
    cy_ += dy / scale_;
}

void OverheadTransform::CenterOn(double x, double y) {
    cx_ = x;
    cy_ = y;
}

void OverheadTransform::ToScreen(double x, double y, double& sx, double& sy) const {
    sx = width_ / 2.0 + (x - cx_) * scale_;
    sy = height_ / 2.0 - (y - cy_) * scale_;
}

void OverheadTransform::ToWorld(double sx, double sy, double& x, double& y) const {
    x = cx_ + (sx - width_ / 2.0) / scale_;
    y = cy_ - (sy - height_ / 2.0) / scale_;
}

uint16_t EntityAt(const OverheadTransform& view, const OverheadFrame& frame, double sx, double sy,
                  double radius) {
    uint16_t best = 0;
    double bestDistance = radius * radius;
    for (const OverheadMarker& m : frame.entities) {
        double x = 0;
        double y = 0;
        view.ToScreen(m.x, m.y, x, y);
        const double d = (x - sx) * (x - sx) + (y - sy) * (y - sy);
        if (d <= bestDistance) {
            bestDistance = d;
            best = m.number;
        }
    }
    return best;
}
