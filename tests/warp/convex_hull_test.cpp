#include "warp/convex_hull.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<Point2D> Hull(const std::vector<Point2D>& points) {
    const ConvexHull2D hull(points.data(), static_cast<unsigned>(points.size()));
    EXPECT_EQ(hull.m_iCount, static_cast<int>(hull.m_points.size()));
    return hull.m_points;
}

TEST(ConvexHull2D, ExactVerticesAndOrder) {
    struct Case {
        const char* name;
        std::vector<Point2D> in;
        std::vector<Point2D> hull;
    } cases[] = {
        {"interior and edge points dropped",
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.5f, 0.5f}, {0.5f, 0}, {2, 2}},
         {{2, 2}, {0, 1}, {0, 0}, {1, 0}}},
        {"triangle", {{0, 0}, {2, 0}, {1, 1}}, {{2, 0}, {1, 1}, {0, 0}}},
        {"two points, larger first", {{0, 0}, {1, 0}}, {{1, 0}, {0, 0}}},
        {"duplicates appear once",
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {0, 1}},
         {{1, 1}, {0, 1}, {0, 0}, {1, 0}}},
        {"collinear points give the extremes", {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {{3, 3}, {0, 0}}},
        {"equal x sorted by y", {{0, 0}, {0, 1}, {-1, 0.5f}}, {{0, 1}, {-1, 0.5f}, {0, 0}}},
        {"near-collinear within tolerance",
         {{0, 0}, {1, 1e-8f}, {2, 0}, {1, 1}},
         {{2, 0}, {1, 1}, {0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_THAT(Hull(c.in), testing::ElementsAreArray(c.hull)) << c.name;
    }
}

TEST(ConvexHull2D, SingleAndNoPoint) {
    EXPECT_THAT(Hull({{3, 4}}), testing::ElementsAre(Point2D(3, 4)));
    EXPECT_TRUE(Hull({}).empty());
}

// Every input point lies inside or on the hull, and the hull runs
// counter-clockwise with strictly convex corners.
TEST(ConvexHull2D, RandomSetsGiveConvexCounterClockwiseHulls) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> coord(-1.0f, 1.0f);
    for (int n = 0; n < 1000; ++n) {
        std::vector<Point2D> points(8);
        for (Point2D& p : points)
            p = Point2D(coord(rng), coord(rng));
        const std::vector<Point2D> hull = Hull(points);
        ASSERT_GE(hull.size(), 3u);
        for (size_t i = 0; i < hull.size(); ++i) {
            const Point2D& a = hull[i];
            const Point2D& b = hull[(i + 1) % hull.size()];
            EXPECT_GT(Orientation(a, b, hull[(i + 2) % hull.size()]), 0.0f);
            for (const Point2D& p : points)
                EXPECT_GE(Orientation(a, b, p), -1e-6f);
        }
    }
}

}  // namespace
