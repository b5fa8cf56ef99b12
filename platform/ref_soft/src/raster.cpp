#include "raster.h"

namespace refsoft {

namespace {

// A clip plane: distance a*x + b*y + c*z + d, inside when >= 0.
struct ClipPlane {
    float a, b, c, d;
    float Distance(const ViewPoint& p) const { return a * p.x + b * p.y + c * p.z + d; }
};

int ClipAgainst(const ClipPlane& plane, const RasterVertex* in, int count, RasterVertex* out) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const RasterVertex& cur = in[i];
        const RasterVertex& next = in[(i + 1) % count];
        const float dc = plane.Distance(cur.p), dn = plane.Distance(next.p);
        if (dc >= 0) {
            if (n >= kMaxPolygonVertices)
                return 0;
            out[n++] = cur;
        }
        if ((dc >= 0) != (dn >= 0)) {
            if (n >= kMaxPolygonVertices)
                return 0;
            const float t = dc / (dc - dn);
            RasterVertex& v = out[n++];
            v.p = {cur.p.x + (next.p.x - cur.p.x) * t, cur.p.y + (next.p.y - cur.p.y) * t,
                   cur.p.z + (next.p.z - cur.p.z) * t};
            for (int k = 0; k < kMaxAttributes; ++k)
                v.a[k] = cur.a[k] + (next.a[k] - cur.a[k]) * t;
        }
    }
    return n;
}

} // namespace

int ClipPolygon(const Camera& cam, const RasterVertex* in, int count, RasterVertex* out) {
    if (count < 3 || count > kMaxPolygonVertices)
        return 0;
    for (int i = 0; i < count; ++i) {
        const ViewPoint& p = in[i].p;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return 0;
    }
    // A little wider than the view, so edges on the border are never cut short; the scan
    // stops at the viewport anyway.
    const float tx = cam.tanX * 1.01f, ty = cam.tanY * 1.01f;
    const ClipPlane planes[5] = {
        {0, 0, 1, -kNearPlane}, {1, 0, tx, 0}, {-1, 0, tx, 0}, {0, 1, ty, 0}, {0, -1, ty, 0}};
    RasterVertex a[kMaxPolygonVertices], b[kMaxPolygonVertices];
    std::copy(in, in + count, a);
    int n = count;
    RasterVertex* src = a;
    RasterVertex* dst = b;
    for (const ClipPlane& plane : planes) {
        n = ClipAgainst(plane, src, n, dst);
        if (n < 3)
            return 0;
        std::swap(src, dst);
    }
    std::copy(src, src + n, out);
    return n;
}

bool ProjectPolygon(const Camera& cam, const RasterVertex* v, int count, ScreenPolygon& out) {
    out.count = count;
    float iz[kMaxPolygonVertices];
    for (int i = 0; i < count; ++i) {
        iz[i] = 1.0f / v[i].p.z;
        out.x[i] = cam.centreX + v[i].p.x * iz[i] * cam.scaleX;
        out.y[i] = cam.centreY - v[i].p.y * iz[i] * cam.scaleY;
    }
    // Gradients from the corner triangle of the largest area: on a plane, 1/z and every
    // attribute over z are affine in screen space.
    int best = -1;
    float bestDet = 0;
    for (int i = 1; i + 1 < count; ++i) {
        const float det = (out.x[i] - out.x[0]) * (out.y[i + 1] - out.y[0]) -
                          (out.x[i + 1] - out.x[0]) * (out.y[i] - out.y[0]);
        if (std::fabs(det) > std::fabs(bestDet)) {
            bestDet = det;
            best = i;
        }
    }
    if (best < 0 || std::fabs(bestDet) < 1e-6f || !std::isfinite(bestDet))
        return false;
    const int i1 = best, i2 = best + 1;
    const float x10 = out.x[i1] - out.x[0], y10 = out.y[i1] - out.y[0];
    const float x20 = out.x[i2] - out.x[0], y20 = out.y[i2] - out.y[0];
    const float inv = 1.0f / bestDet;
    auto gradients = [&](float f0, float f1, float f2, float& dfdx, float& dfdy) {
        dfdx = ((f1 - f0) * y20 - (f2 - f0) * y10) * inv;
        dfdy = ((f2 - f0) * x10 - (f1 - f0) * x20) * inv;
    };
    out.originX = out.x[0];
    out.originY = out.y[0];
    out.iz0 = iz[0];
    gradients(iz[0], iz[i1], iz[i2], out.dizdx, out.dizdy);
    for (int k = 0; k < kMaxAttributes; ++k) {
        out.a0[k] = v[0].a[k] * iz[0];
        gradients(v[0].a[k] * iz[0], v[i1].a[k] * iz[i1], v[i2].a[k] * iz[i2], out.dadx[k],
                  out.dady[k]);
    }
    return true;
}

} // namespace refsoft
