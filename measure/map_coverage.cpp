#include "measure/map_coverage.h"

#include "warp/cascades.h"
#include "warp/convex_hull.h"

namespace {

constexpr float MIN_W = 1e-6f;

// A clip plane a*x + b*y + c*w >= 0.
struct ClipPlane {
    float a, b, c;
    float Distance(const MapPoint& p) const { return a * p[0] + b * p[1] + c * p[2]; }
};

// One pass of polygon clipping against one plane.
std::vector<MapPoint> ClipAgainst(const std::vector<MapPoint>& polygon, const ClipPlane& plane) {
    std::vector<MapPoint> kept;
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
        const MapPoint& p = polygon[i];
        const MapPoint& q = polygon[(i + 1) % n];
        const float dp = plane.Distance(p);
        const float dq = plane.Distance(q);
        if (dp >= 0.0f)
            kept.push_back(p);
        if ((dp >= 0.0f) != (dq >= 0.0f)) {
            const float t = dp / (dp - dq);
            kept.push_back(p + (q - p) * t);
        }
    }
    return kept;
}

}  // namespace

gmtl::Matrix33f PlaneWarp(const gmtl::Matrix44f& nt) {
    const unsigned index[3] = {0, 1, 3};
    gmtl::Matrix33f plane;
    for (unsigned r = 0; r < 3; ++r) {
        for (unsigned c = 0; c < 3; ++c)
            plane(r, c) = nt(index[r], index[c]);
    }
    plane.setState(gmtl::Matrix33f::FULL);
    return plane;
}

MapPoint WarpMapPoint(const gmtl::Matrix44f& nt, const Point2D& p) {
    return PlaneWarp(nt) * MapPoint(p[0], p[1], 1.0f);
}

std::vector<Point2D> WarpedSquare(const gmtl::Matrix44f& nt) {
    gmtl::Matrix33f inverse;
    gmtl::invertFull(inverse, PlaneWarp(nt));
    if (inverse.isError())
        return {};
    std::vector<Point2D> corners;
    for (const Point2D& c : {Point2D(-1, -1), Point2D(1, -1), Point2D(1, 1), Point2D(-1, 1)}) {
        const MapPoint p = inverse * MapPoint(c[0], c[1], 1.0f);
        corners.push_back(Point2D(p[0] / p[2], p[1] / p[2]));
    }
    return corners;
}

std::vector<MapPoint> FrustumOutlineInMap(const Camera& eye, const Camera& light,
                                          const gmtl::Matrix44f& nt) {
    const gmtl::Matrix44f l = light.m_matProjection * light.m_matView;
    Point2D projected[8];
    for (int i = 0; i < 8; ++i) {
        const gmtl::Vec4f c = l * eye.m_worldCorners[i];
        if (!(c[3] > MIN_W))
            return {};
        projected[i] = Point2D(c[0] / c[3], c[1] / c[3]);
    }
    const ConvexHull2D hull(projected, 8);
    std::vector<MapPoint> outline;
    for (const Point2D& p : hull.m_points)
        outline.push_back(WarpMapPoint(nt, p));
    return outline;
}

std::vector<Point2D> ClipToMap(const std::vector<MapPoint>& polygon) {
    const ClipPlane planes[] = {
        {0, 0, 1}, {-1, 0, 1}, {1, 0, 1}, {0, -1, 1}, {0, 1, 1},
    };
    std::vector<MapPoint> clipped = polygon;
    for (const ClipPlane& plane : planes) {
        if (clipped.empty())
            break;
        clipped = ClipAgainst(clipped, plane);
    }
    std::vector<Point2D> points;
    for (const MapPoint& p : clipped) {
        if (p[2] > 0.0f)
            points.push_back(Point2D(p[0] / p[2], p[1] / p[2]));
    }
    return points;
}

float MapCoverage(const Camera& eye, const Camera& light, const gmtl::Matrix44f& nt) {
    return PolygonArea(ClipToMap(FrustumOutlineInMap(eye, light, nt))) / 4.0f;
}

std::vector<std::vector<Point2D>> SetupFrustumOutlines(const Camera& eye, const Camera& light,
                                                       const ShadowSetup& setup) {
    std::vector<std::vector<Point2D>> outlines;
    for (const MapPart& part : setup.parts) {
        const Camera slice = EyeSlice(eye, part.zNear, part.zFar);
        outlines.push_back(ClipToMap(FrustumOutlineInMap(slice, light, part.nt)));
    }
    return outlines;
}

float SetupCoverage(const Camera& eye, const Camera& light, const ShadowSetup& setup) {
    float covered = 0.0f;
    for (const std::vector<Point2D>& outline : SetupFrustumOutlines(eye, light, setup))
        covered += PolygonArea(outline) / 4.0f;
    return covered;
}
