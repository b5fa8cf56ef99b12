// Polygon rasterisation: clipping to the view frustum, projection, and scan conversion with
// perspective-correct attributes. The caller's shader fills each span.
#pragma once

#include "camera.h"

#include <algorithm>
#include <cmath>

namespace refsoft {

constexpr int kMaxAttributes = 3;
constexpr int kMaxPolygonVertices = 64;
// Nothing nearer than this many units is drawn.
constexpr float kNearPlane = 1.0f;

// A corner in view space with the attributes interpolated across the polygon
// (texture s and t in texels, light, ...).
struct RasterVertex {
    ViewPoint p;
    float a[kMaxAttributes];
};

// What a shader receives per span: values at the centre of the first pixel and their step to
// the next pixel. iz is 1/depth; az[k] is attribute k divided by depth.
struct Span {
    int y, x0, x1; // x1 exclusive
    float iz, diz;
    float az[kMaxAttributes], daz[kMaxAttributes];
};

// Clips a convex polygon to the frustum of the camera. Returns the number of corners written
// to out (0 when nothing is left); polygons of more than kMaxPolygonVertices corners in total
// are dropped.
int ClipPolygon(const Camera& cam, const RasterVertex* in, int count, RasterVertex* out);

// Projected polygon ready for scan conversion.
struct ScreenPolygon {
    int count = 0;
    float x[kMaxPolygonVertices], y[kMaxPolygonVertices];
    float iz0, dizdx, dizdy;
    float a0[kMaxAttributes], dadx[kMaxAttributes], dady[kMaxAttributes];
    float originX, originY;
};

// Projects a clipped polygon; false when it covers no area on screen.
bool ProjectPolygon(const Camera& cam, const RasterVertex* v, int count, ScreenPolygon& out);

// Calls shader(const Span&) for each run of pixel centres the polygon covers inside the
// camera's viewport.
template <class Shader>
void ScanPolygon(const Camera& cam, const ScreenPolygon& poly, Shader& shader) {
    float ymin = poly.y[0], ymax = poly.y[0];
    for (int i = 1; i < poly.count; ++i) {
        ymin = std::min(ymin, poly.y[i]);
        ymax = std::max(ymax, poly.y[i]);
    }
    const int rowFirst = std::max(cam.top, static_cast<int>(std::ceil(ymin - 0.5f)));
    const int rowEnd = std::min(cam.top + cam.height, static_cast<int>(std::ceil(ymax - 0.5f)));
    const int colFirst = cam.left, colEnd = cam.left + cam.width;
    Span span;
    span.diz = poly.dizdx;
    for (int k = 0; k < kMaxAttributes; ++k)
        span.daz[k] = poly.dadx[k];
    for (int row = rowFirst; row < rowEnd; ++row) {
        const float yc = static_cast<float>(row) + 0.5f;
        float xl = 1e30f, xr = -1e30f;
        for (int i = 0, j = poly.count - 1; i < poly.count; j = i++) {
            const float y0 = poly.y[j], y1 = poly.y[i];
            if ((y0 <= yc && yc < y1) || (y1 <= yc && yc < y0)) {
                const float x = poly.x[j] + (yc - y0) * (poly.x[i] - poly.x[j]) / (y1 - y0);
                xl = std::min(xl, x);
                xr = std::max(xr, x);
            }
        }
        if (xl > xr)
            continue;
        const int x0 = std::max(colFirst, static_cast<int>(std::ceil(xl - 0.5f)));
        const int x1 = std::min(colEnd, static_cast<int>(std::ceil(xr - 0.5f)));
        if (x0 >= x1)
            continue;
        const float dx = static_cast<float>(x0) + 0.5f - poly.originX;
        const float dy = yc - poly.originY;
        span.y = row;
        span.x0 = x0;
        span.x1 = x1;
        span.iz = poly.iz0 + poly.dizdx * dx + poly.dizdy * dy;
        for (int k = 0; k < kMaxAttributes; ++k)
            span.az[k] = poly.a0[k] + poly.dadx[k] * dx + poly.dady[k] * dy;
        shader(span);
    }
}

// Clips, projects and scans one polygon.
template <class Shader>
void DrawPolygon(const Camera& cam, const RasterVertex* v, int count, Shader& shader) {
    RasterVertex clipped[kMaxPolygonVertices];
    const int n = ClipPolygon(cam, v, count, clipped);
    if (n < 3)
        return;
    ScreenPolygon poly;
    if (!ProjectPolygon(cam, clipped, n, poly))
        return;
    ScanPolygon(cam, poly, shader);
}

// Float to int for texel addressing that stays defined whatever the float holds: values are
// held to +-1e8 and NaN counts as the lower limit. Kept free of library calls, since it runs
// for every pixel.
inline int SafeFloor(float v) {
    if (!(v > -1.0e8f))
        v = -1.0e8f;
    else if (v > 1.0e8f)
        v = 1.0e8f;
    const int i = static_cast<int>(v);
    return i - (v < static_cast<float>(i) ? 1 : 0);
}

} // namespace refsoft
