#include "warp/lispsm.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "warp/light_plane.h"
#include "warp/trapezoid_to_square.h"

namespace {

// Below this sine the view direction and the light's rays count as
// parallel: the warp has no axis and the map becomes a fitted rectangle.
constexpr float MIN_SIN_GAMMA = 1e-3f;
constexpr float MIN_LENGTH = 1e-6f;

gmtl::Vec3f Xyz(const gmtl::Vec4f& p) {
    return gmtl::Vec3f(p[0], p[1], p[2]);
}

gmtl::Vec4f PlaneCentre(const Camera& camera, int first) {
    const gmtl::Vec4f* c = camera.m_worldCorners;
    return c[first] + (c[first + 2] - c[first]) * 0.5f;
}

Point2D Project(const gmtl::Matrix44f& l, const gmtl::Vec4f& p) {
    const gmtl::Vec4f q = l * p;
    return Point2D(q[0] / q[3], q[1] / q[3]);
}

// Extent of the eye frustum's world corners along a direction.
float WorldDepth(const Camera& eye, const gmtl::Vec3f& axis) {
    float low = FLT_MAX, high = -FLT_MAX;
    for (const gmtl::Vec4f& c : eye.m_worldCorners) {
        const float v = gmtl::dot(axis, Xyz(c));
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return high - low;
}

bool IsFinite(const gmtl::Matrix33f& m) {
    return std::all_of(std::begin(m.mData), std::end(m.mData),
                       [](float v) { return std::isfinite(v); });
}

// The span of the points along an axis of the plane.
struct Span {
    float low = FLT_MAX;
    float high = -FLT_MAX;
};

Span AlongAxis(const Point2D a[8], const Point2D& axis) {
    Span s;
    for (int i = 0; i < 8; ++i) {
        s.low = std::min(s.low, gmtl::dot(axis, a[i]));
        s.high = std::max(s.high, gmtl::dot(axis, a[i]));
    }
    return s;
}

// The perspective along `axis` with its centre nearPlane before the nearest
// point, fitted so that the points span the square: x across the axis, y
// from +1 at the near end to -1 at the far end, w the distance from the
// centre along the axis.
gmtl::Matrix33f AxisPerspective(const Point2D a[8], const Point2D& axis, const Point2D& nearCentre,
                                float nearPlane) {
    const Point2D across(-axis[1], axis[0]);
    const Span depth = AlongAxis(a, axis);
    const float offset = nearPlane - depth.low;
    const float uc = gmtl::dot(across, nearCentre);
    Span x;
    for (int i = 0; i < 8; ++i) {
        const float v = (gmtl::dot(across, a[i]) - uc) / (gmtl::dot(axis, a[i]) + offset);
        x.low = std::min(x.low, v);
        x.high = std::max(x.high, v);
    }
    const float n = nearPlane;
    const float f = nearPlane + depth.high - depth.low;
    const float sx = 2.0f / (x.high - x.low);
    const float ox = (x.high + x.low) / (x.high - x.low);
    const float w[3] = {axis[0], axis[1], offset};
    const float u[3] = {across[0], across[1], -uc};
    gmtl::Matrix33f m;
    for (unsigned c = 0; c < 3; ++c) {
        m(0, c) = sx * u[c] - ox * w[c];
        m(1, c) = -(f + n) / (f - n) * w[c];
        m(2, c) = w[c];
    }
    m(1, 2) += 2.0f * n * f / (f - n);
    m.setState(gmtl::Matrix33f::FULL);
    return m;
}

}  // namespace

float LispsmNearDistance(float zNear, float zFar, float sinGamma) {
    return (zNear + std::sqrt(zNear * zFar)) / sinGamma;
}

LispsmFit FitLispsm(const Camera& eye, const Camera& light) {
    LispsmFit fit;
    const gmtl::Matrix44f l = LightMatrix(light);
    Point2D a[8];
    if (!ProjectCorners(l, eye, a)) {
        fit.degenerate = true;
        return fit;
    }
    const gmtl::Vec4f nearCentre = PlaneCentre(eye, 0);
    gmtl::Vec3f view = Xyz(PlaneCentre(eye, 4) - nearCentre);
    gmtl::Vec3f ray = Xyz(nearCentre) - light.m_position;
    gmtl::normalize(view);
    gmtl::normalize(ray);
    const float cosGamma = gmtl::dot(view, ray);
    fit.sinGamma = std::sqrt(std::max(0.0f, 1.0f - cosGamma * cosGamma));

    // The warp's axis: the view direction as the light sees it.
    const Point2D nearPoint = Project(l, nearCentre);
    Point2D axis = Project(l, PlaneCentre(eye, 4)) - nearPoint;
    gmtl::Vec3f worldAxis = view - ray * cosGamma;
    gmtl::normalize(worldAxis);
    const float depthWorld = WorldDepth(eye, worldAxis);
    if (fit.sinGamma < MIN_SIN_GAMMA || gmtl::normalize(axis) < MIN_LENGTH ||
        depthWorld < MIN_LENGTH) {
        fit.n = BoxToSquare(a, 8);
        return fit;
    }
    // n_opt is a distance in the eye's units; the light's plane keeps its
    // share of the frustum's depth along the axis.
    fit.nearWorld = LispsmNearDistance(eye.m_fNear, eye.m_fFar, fit.sinGamma);
    const Span depth = AlongAxis(a, axis);
    fit.depthPlane = depth.high - depth.low;
    fit.nearPlane = fit.nearWorld * fit.depthPlane / depthWorld;
    fit.n = AxisPerspective(a, axis, nearPoint, fit.nearPlane);
    fit.warped = true;
    if (!IsFinite(fit.n)) {
        fit.n = gmtl::Matrix33f();
        fit.warped = false;
        fit.degenerate = true;
    }
    return fit;
}

gmtl::Matrix44f ComputeLispsmMatrix(const Camera& eye, const Camera& light) {
    return TrapezoidMatrix44(FitLispsm(eye, light).n);
}
