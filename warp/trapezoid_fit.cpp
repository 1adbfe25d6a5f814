#include "warp/trapezoid_fit.h"

#include <cfloat>
#include <cmath>
#include <iostream>

#include "warp/convex_hull.h"
#include "warp/trapezoid_to_square.h"

namespace {

// (x/w, y/w) of the point transformed by m.
Point2D Project(const gmtl::Matrix44f& m, const gmtl::Vec4f& p) {
    const gmtl::Vec4f q = m * p;
    return Point2D(q[0] / q[3], q[1] / q[3]);
}

Point2D Midpoint(const gmtl::Matrix44f& m, const gmtl::Vec4f& a, const gmtl::Vec4f& b) {
    return Project(m, a + (b - a) * 0.5f);
}

// Far-plane points a(4)..a(7) that open the trapezoid widest on each side of
// the centre line, as seen from the apex q. A side with none keeps a(0).
void OutermostCorners(const Point2D frustum[8], const Point2D& q, const Point2D& pt,
                      const Point2D& pb, int& left, int& right) {
    Point2D dir = q - pt;
    gmtl::normalize(dir);
    float bestLeft = FLT_MAX;
    float bestRight = FLT_MAX;
    left = right = 0;
    for (int i = 4; i < 8; ++i) {
        Point2D v = frustum[i] - q;
        gmtl::normalize(v);
        const float angle = std::acos(gmtl::dot(dir, v));
        if (Orientation(pt, pb, frustum[i]) < 0.0f) {
            if (angle < bestRight) {
                bestRight = angle;
                right = i;
            }
        } else if (angle < bestLeft) {
            bestLeft = angle;
            left = i;
        }
    }
}

void Intersect(Point2D& out, const Line2D& a, const Line2D& b, const char* name) {
    if (!IntersectLines(out, a, b))
        std::cerr << "couldn't calc " << name << std::endl;
}

bool IsFinite(const gmtl::Matrix33f& m) {
    for (float v : m.mData) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

}  // namespace

Trapezoid BuildTrapezoid(float p, float h, const Line2D& base, const Line2D& top,
                         const Line2D& centre, const Point2D frustum[8]) {
    const float H = std::fabs(top.SignedDistance(base.P0()));
    const float xi = -(2.0f * p * 0.01f - 1.0f);
    const float eta = (1.0f + xi) * H * h / (H - 2.0f * h - xi * H);

    // The apex lies on the centre line, eta beyond the top line.
    Point2D pt(0.0f, 0.0f);
    Point2D pb(0.0f, 0.0f);
    IntersectLines(pt, top, centre);
    IntersectLines(pb, base, centre);
    const float len = gmtl::length(pb - pt);
    const Point2D q = pt + (pb - pt) * (-eta / len);

    int left = 0;
    int right = 0;
    OutermostCorners(frustum, q, pt, pb, left, right);
    const Line2D side1(q, frustum[left]);
    const Line2D side2(q, frustum[right]);

    Trapezoid trapezoid;
    for (Point2D& corner : trapezoid.t)
        corner = Point2D(0.0f, 0.0f);
    Intersect(trapezoid.t[0], base, side1, "t0");
    Intersect(trapezoid.t[1], base, side2, "t1");
    Intersect(trapezoid.t[2], top, side2, "t2");
    Intersect(trapezoid.t[3], top, side1, "t3");
    return trapezoid;
}

gmtl::Matrix33f FitTrapezoid(float p, float h, const Line2D& base, const Line2D& top,
                             const Line2D& centre, const Point2D frustum[8]) {
    const Trapezoid t = BuildTrapezoid(p, h, base, top, centre, frustum);
    return ComputeTrapezoidToSquare(t.t[0], t.t[1], t.t[2], t.t[3]);
}

namespace {

// Projects the eye frustum and the focus region into the light's plane and
// lays the centre, base and top lines around them.
void LayOutLines(TrapezoidSearch& s, Point2D frustum[8], const Camera& eye, const Camera& light,
                 float fFocusDistance) {
    Camera focus = eye;
    focus.SetFrustum(eye.m_fLeft, eye.m_fRight, eye.m_fBottom, eye.m_fTop, eye.m_fNear,
                     fFocusDistance);
    const gmtl::Matrix44f L = light.m_matProjection * light.m_matView;

    Point2D focusPoints[8];
    for (int i = 0; i < 8; ++i) {
        frustum[i] = Project(L, eye.m_worldCorners[i]);
        focusPoints[i] = Project(L, focus.m_worldCorners[i]);
    }
    const gmtl::Vec4f* c = eye.m_worldCorners;
    s.centre = Line2D(Midpoint(L, c[0], c[2]), Midpoint(L, c[4], c[6]));
    s.frustumHull = ConvexHull2D(frustum, 8).m_points;
    s.focusHull = ConvexHull2D(focusPoints, 8).m_points;

    const Line2D perpendicular = s.centre.Perpendicular();
    s.base = perpendicular.ParallelThrough(perpendicular.FarthestPoint(s.frustumHull));
    s.top = s.base.ParallelThrough(s.base.FarthestPoint(s.frustumHull));
    s.focusReach = std::fabs(s.top.SignedDistance(s.top.FarthestPoint(s.focusHull)));
}

}  // namespace

TrapezoidSearch SearchTrapezoid(const Camera& eye, const Camera& light, float fFocusDistance,
                                float fFocusPercent, int iResolution) {
    TrapezoidSearch s;
    Point2D frustum[8];
    LayOutLines(s, frustum, eye, light, fFocusDistance);

    // Lower the focus percentage while the focus region's warped area grows.
    const float step = 100.0f / static_cast<float>(iResolution);
    float best = 0.0f;
    std::vector<Point2D> warped;
    warped.reserve(s.focusHull.size());
    for (float p = fFocusPercent; p >= 0.0f; p -= step) {
        s.trapezoid = BuildTrapezoid(p, s.focusReach, s.base, s.top, s.centre, frustum);
        const Trapezoid& t = s.trapezoid;
        s.n = ComputeTrapezoidToSquare(t.t[0], t.t[1], t.t[2], t.t[3]);
        s.percent = p;
        ++s.steps;
        warped.clear();
        for (const Point2D& v : s.focusHull) {
            const gmtl::Vec3f w = s.n * gmtl::Vec3f(v[0], v[1], 1.0f);
            warped.push_back(Point2D(w[0] / w[2], w[1] / w[2]));
        }
        const float area = PolygonArea(warped);
        if (area < best)
            break;
        best = area;
    }
    if (!IsFinite(s.n)) {
        s.n.setIdentity();
        s.degenerate = true;
    }
    return s;
}

void ComputeTrapezoidMatrix(gmtl::Matrix44f& out, const Camera& eye, const Camera& light,
                            float fFocusDistance, float fFocusPercent, int iResolution) {
    out = TrapezoidMatrix44(
        SearchTrapezoid(eye, light, fFocusDistance, fFocusPercent, iResolution).n);
}
