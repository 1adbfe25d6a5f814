#include "warp/plane_geometry.h"

#include <gtest/gtest.h>

namespace {

const Line2D X_AXIS(Point2D(0, 0), Point2D(1, 0));

TEST(Line2D, SignedDistanceIsPositiveOnTheRight) {
    EXPECT_FLOAT_EQ(X_AXIS.SignedDistance(Point2D(0, -1)), 1.0f);
    EXPECT_FLOAT_EQ(X_AXIS.SignedDistance(Point2D(0, 1)), -1.0f);
    EXPECT_FLOAT_EQ(X_AXIS.SignedDistance(Point2D(7, 0)), 0.0f);
    // The distance is normalised by the direction's length.
    const Line2D diagonal(Point2D(0, 0), Point2D(3, 3));
    EXPECT_NEAR(diagonal.SignedDistance(Point2D(1, 0)), 0.70710678f, 1e-6f);
}

TEST(Line2D, PerpendicularAndParallel) {
    const Line2D perpendicular = X_AXIS.Perpendicular();
    EXPECT_EQ(perpendicular.P0(), Point2D(0, 0));
    EXPECT_EQ(perpendicular.P1(), Point2D(0, 1));
    const Line2D parallel = X_AXIS.ParallelThrough(Point2D(2, 3));
    EXPECT_EQ(parallel.P0(), Point2D(2, 3));
    EXPECT_EQ(parallel.P1(), Point2D(3, 3));
}

TEST(Line2D, FarthestPointPrefersTheEarliestOnTies) {
    EXPECT_EQ(X_AXIS.FarthestPoint({{0, 2}, {5, -2}}), Point2D(0, 2));
    EXPECT_EQ(X_AXIS.FarthestPoint({{0, 1}, {5, -3}, {1, 3}}), Point2D(5, -3));
    // All on the line: the first point.
    EXPECT_EQ(X_AXIS.FarthestPoint({{4, 0}, {-1, 0}}), Point2D(4, 0));
}

TEST(IntersectLines, CrossingAndParallelLines) {
    Point2D p(9, 9);
    EXPECT_TRUE(IntersectLines(p, Line2D({0, 0}, {1, 1}), Line2D({0, 1}, {1, 0})));
    EXPECT_FLOAT_EQ(p[0], 0.5f);
    EXPECT_FLOAT_EQ(p[1], 0.5f);

    Point2D untouched(9, 9);
    EXPECT_FALSE(IntersectLines(untouched, X_AXIS, Line2D({0, 1}, {1, 1})));
    EXPECT_FALSE(IntersectLines(untouched, X_AXIS, Line2D({2, 0}, {5, 0})));
    EXPECT_EQ(untouched, Point2D(9, 9));
}

TEST(Orientation, SignTellsTheSide) {
    EXPECT_FLOAT_EQ(Orientation({0, 0}, {1, 0}, {0, 1}), 1.0f);
    EXPECT_FLOAT_EQ(Orientation({0, 0}, {1, 0}, {0, -2}), -2.0f);
    EXPECT_FLOAT_EQ(Orientation({0, 0}, {1, 0}, {5, 0}), 0.0f);
}

TEST(PolygonArea, AreaOfAFanWhateverTheOrder) {
    EXPECT_FLOAT_EQ(PolygonArea({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), 1.0f);
    EXPECT_FLOAT_EQ(PolygonArea({{0, 1}, {1, 1}, {1, 0}, {0, 0}}), 1.0f);
    EXPECT_FLOAT_EQ(PolygonArea({{0, 0}, {4, 0}, {0, 3}}), 6.0f);
    EXPECT_EQ(PolygonArea({{0, 0}, {1, 1}}), 0.0f);
    EXPECT_EQ(PolygonArea({}), 0.0f);
}

}  // namespace
