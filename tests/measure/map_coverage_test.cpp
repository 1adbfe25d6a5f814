#include "measure/map_coverage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "warp/trapezoid_fit.h"
#include "warp/trapezoid_to_square.h"

namespace {

struct Cameras {
    Camera eye, light;
    Cameras(float eyeElevation, float eyeHeight, float lightHeight) {
        eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
        eye.SetView(eyeElevation, -135, eyeHeight);
        light.SetPerspective(60, 1, 500, 2000);
        light.SetView(90, -135, lightHeight);
    }
};

std::vector<MapPoint> Square(float half, float w = 1.0f) {
    return {MapPoint(-half * w, -half * w, w), MapPoint(half * w, -half * w, w),
            MapPoint(half * w, half * w, w), MapPoint(-half * w, half * w, w)};
}

TEST(ClipToMap, KeepsWhatLiesOnTheMap) {
    struct Case {
        const char* name;
        std::vector<MapPoint> polygon;
        float area;
    } cases[] = {
        {"inside", Square(0.5f), 1.0f},
        {"inside, scaled homogeneous form", Square(0.5f, 3.0f), 1.0f},
        {"larger than the map", Square(4.0f), 4.0f},
        {"half off the right edge",
         {MapPoint(0, -0.5f, 1), MapPoint(2, -0.5f, 1), MapPoint(2, 0.5f, 1), MapPoint(0, 0.5f, 1)},
         1.0f},
        {"off the map", {MapPoint(2, 2, 1), MapPoint(3, 2, 1), MapPoint(3, 3, 1)}, 0.0f},
        {"nothing", {}, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(PolygonArea(ClipToMap(c.polygon)), c.area, 1e-5f) << c.name;
}

// A polygon whose image under a projective map crosses w = 0 is cut where
// it leaves the map, not folded back through infinity. The square
// -0.5 .. 0.5 carried by (x, y) -> (x, y, 1 - 3y) crosses w = 0 at y = 1/3;
// a map point (u, v) comes from (u, v) / (1 + 3v), which lies in front
// (w > 0) when 1 + 3v > 0. Counting map points on a fine grid whose origin
// lies in the square gives the area the clip must have.
TEST(ClipToMap, CutsPolygonsThatCrossTheLineAtInfinity) {
    std::vector<MapPoint> crossing;
    for (const MapPoint& p : Square(0.5f))
        crossing.push_back(MapPoint(p[0], p[1], 1.0f - 3.0f * p[1]));
    const int n = 800;
    int inside = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const float u = (i + 0.5f) / n * 2 - 1, v = (j + 0.5f) / n * 2 - 1;
            const float d = 1 + 3 * v;
            inside += d > 0 && std::fabs(u / d) <= 0.5f && std::fabs(v / d) <= 0.5f;
        }
    }
    const float expected = 4.0f * inside / (n * n);
    EXPECT_NEAR(PolygonArea(ClipToMap(crossing)), expected, 0.01f);
    EXPECT_GT(expected, 1.0f);  // the case does reach far across the map
}

// Eye straight down at height h, light straight above at 1200: from the
// light the frustum is its far rectangle, 380 below the eye, whose half
// sides are 380 tan 30 (times the aspect) at distance 1200 - (h - 380).
TEST(MapCoverage, OverheadStandardMapMatchesTheClosedForm) {
    for (float h : {60.0f, 160.0f, 200.0f}) {
        const Cameras c(90, h, 1200);
        const float d = 1200.0f - (h - 380.0f);
        const float expected = 380.0f * 380.0f * (4.0f / 3.0f) / (d * d);
        EXPECT_NEAR(MapCoverage(c.eye, c.light, gmtl::Matrix44f()), expected, expected * 1e-3f)
            << h;
    }
}

TEST(MapCoverage, TheWarpedMapSpendsMostOfItselfOnTheFrustum) {
    const Cameras c(20, 160, 1200);
    gmtl::Matrix44f nt;
    ComputeTrapezoidMatrix(nt, c.eye, c.light, 160, 80, 1024);
    const float ssm = MapCoverage(c.eye, c.light, gmtl::Matrix44f());
    const float kvx = MapCoverage(c.eye, c.light, nt);
    EXPECT_GT(ssm, 0.0f);
    EXPECT_GT(kvx, 0.5f);
    EXPECT_LE(kvx, 1.0f + 1e-5f);
    EXPECT_GT(kvx, 3.0f * ssm);
    // The fitted trapezoid encloses the frustum: nothing is cut off.
    for (const MapPoint& p : FrustumOutlineInMap(c.eye, c.light, nt)) {
        EXPECT_LE(std::fabs(p[0] / p[2]), 1.0f + 1e-3f);
        EXPECT_LE(std::fabs(p[1] / p[2]), 1.0f + 1e-3f);
    }
}

TEST(WarpedSquare, CarriesTheMapCornersBackToTheTrapezoid) {
    const Point2D t[4] = {Point2D(-3, -2), Point2D(3, -2), Point2D(1, 1), Point2D(-1, 1)};
    const gmtl::Matrix44f nt = TrapezoidMatrix44(ComputeTrapezoidToSquare(t[0], t[1], t[2], t[3]));
    const std::vector<Point2D> back = WarpedSquare(nt);
    ASSERT_EQ(back.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(back[i][0], t[i][0], 1e-4f) << i;
        EXPECT_NEAR(back[i][1], t[i][1], 1e-4f) << i;
    }
    const std::vector<Point2D> identity = WarpedSquare(gmtl::Matrix44f());
    ASSERT_EQ(identity.size(), 4u);
    EXPECT_NEAR(identity[2][0], 1.0f, 1e-6f);
    EXPECT_NEAR(identity[2][1], 1.0f, 1e-6f);
}

}  // namespace
