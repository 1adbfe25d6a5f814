#include "warp/plane_geometry.h"

#include <cmath>

float Line2D::SignedDistance(const Point2D& p) const {
    const float x0 = m_p0[0], y0 = m_p0[1], x1 = m_p1[0], y1 = m_p1[1];
    return ((y0 - p[1]) * (x1 - x0) - (x0 - p[0]) * (y1 - y0)) / gmtl::length(Direction());
}

Line2D Line2D::Perpendicular() const {
    const Point2D d = Direction();
    return Line2D(m_p0, m_p0 + Point2D(-d[1], d[0]));
}

Line2D Line2D::ParallelThrough(const Point2D& p) const {
    return Line2D(p, p + Direction());
}

Point2D Line2D::FarthestPoint(const std::vector<Point2D>& points) const {
    Point2D best = points.front();
    float bestDistance = 0.0f;
    for (const Point2D& p : points) {
        const float distance = std::fabs(SignedDistance(p));
        if (distance > bestDistance) {
            bestDistance = distance;
            best = p;
        }
    }
    return best;
}

bool IntersectLines(Point2D& out, const Line2D& a, const Line2D& b) {
    const float ax0 = a.P0()[0], ay0 = a.P0()[1], ax1 = a.P1()[0], ay1 = a.P1()[1];
    const float bx0 = b.P0()[0], by0 = b.P0()[1], bx1 = b.P1()[0], by1 = b.P1()[1];
    const float det = (ax0 - ax1) * (by0 - by1) - (ay0 - ay1) * (bx0 - bx1);
    if (det == 0.0f)
        return false;
    const float ca = ax0 * ay1 - ay0 * ax1;
    const float cb = bx0 * by1 - by0 * bx1;
    out = Point2D((ca * (bx0 - bx1) - (ax0 - ax1) * cb) / det,
                  (ca * (by0 - by1) - (ay0 - ay1) * cb) / det);
    return true;
}

float Orientation(const Point2D& a, const Point2D& b, const Point2D& c) {
    return (c[1] - a[1]) * (b[0] - a[0]) - (b[1] - a[1]) * (c[0] - a[0]);
}

float PolygonArea(const std::vector<Point2D>& corners) {
    float area = 0.0f;
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        const Point2D u = corners[i] - corners[0];
        const Point2D v = corners[i + 1] - corners[0];
        area += std::fabs(u[0] * v[1] - u[1] * v[0]) * 0.5f;
    }
    return area;
}
