#include "warp/trapezoid_to_square.h"

#include <gtest/gtest.h>

#include <random>

namespace {

Point2D Map(const gmtl::Matrix33f& n, const Point2D& p) {
    const gmtl::Vec3f q = n * gmtl::Vec3f(p[0], p[1], 1.0f);
    return Point2D(q[0] / q[2], q[1] / q[2]);
}

void ExpectPoint(const Point2D& p, float x, float y, float tolerance) {
    EXPECT_NEAR(p[0], x, tolerance);
    EXPECT_NEAR(p[1], y, tolerance);
}

TEST(TrapezoidToSquare, ExampleRows) {
    struct Case {
        const char* name;
        Point2D t[4];
        float rows[3][3];
    } cases[] = {
        {"upright",
         {{-3, -2}, {3, -2}, {1, 1}, {-1, 1}},
         {{1, 0, 0}, {0, 4.0f / 3, -1.0f / 3}, {0, -2.0f / 3, 5.0f / 3}}},
        {"mirrored",
         {{3, -2}, {-3, -2}, {-1, 1}, {1, 1}},
         {{-1, 0, 0}, {0, 4.0f / 3, -1.0f / 3}, {0, -2.0f / 3, 5.0f / 3}}},
        {"top below the base",
         {{-0.5f, 0.5f}, {0.5f, 0.5f}, {0.2f, -0.4f}, {-0.2f, -0.4f}},
         {{5, 0, 0}, {0, -3.888889f, -0.555556f}, {0, 1.666667f, 1.666667f}}},
    };
    for (const Case& c : cases) {
        const gmtl::Matrix33f n = ComputeTrapezoidToSquare(c.t[0], c.t[1], c.t[2], c.t[3]);
        for (unsigned i = 0; i < 3; ++i) {
            for (unsigned j = 0; j < 3; ++j) {
                EXPECT_NEAR(n(i, j), c.rows[i][j], 2e-5f) << c.name << " row " << i << " col " << j;
            }
        }
        ExpectPoint(Map(n, c.t[0]), -1, -1, 1e-5f);
        ExpectPoint(Map(n, c.t[1]), 1, -1, 1e-5f);
        ExpectPoint(Map(n, c.t[2]), 1, 1, 1e-5f);
        ExpectPoint(Map(n, c.t[3]), -1, 1, 1e-5f);
    }
}

TEST(TrapezoidToSquare, WeightGrowsFromTopToBase) {
    const gmtl::Matrix33f n = ComputeTrapezoidToSquare({-3, -2}, {3, -2}, {1, 1}, {-1, 1});
    auto w = [&](float x, float y) { return (n * gmtl::Vec3f(x, y, 1))[2]; };
    EXPECT_FLOAT_EQ(w(-3, -2), 3.0f);
    EXPECT_FLOAT_EQ(w(3, -2), 3.0f);
    EXPECT_FLOAT_EQ(w(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(w(-1, 1), 1.0f);
    ExpectPoint(Map(n, {0, 0}), 0, -0.2f, 1e-6f);
    ExpectPoint(Map(n, {0, -0.5f}), 0, -0.5f, 1e-6f);
}

TEST(TrapezoidToSquare, FourByFourFormWarpsXYWAndKeepsZ) {
    const gmtl::Matrix44f m =
        TrapezoidMatrix44(ComputeTrapezoidToSquare({-3, -2}, {3, -2}, {1, 1}, {-1, 1}));
    const float rows[4][4] = {
        {1, 0, 0, 0}, {0, 4.0f / 3, 0, -1.0f / 3}, {0, 0, 1, 0}, {0, -2.0f / 3, 0, 5.0f / 3}};
    for (unsigned i = 0; i < 4; ++i) {
        for (unsigned j = 0; j < 4; ++j)
            EXPECT_NEAR(m(i, j), rows[i][j], 1e-6f);
    }
    const gmtl::Vec4f p = m * gmtl::Vec4f(0.5f, -1.0f, 0.37f, 2.0f);
    EXPECT_FLOAT_EQ(p[2], 0.37f);
}

// Random trapezoids in any position, orientation and handedness.
TEST(TrapezoidToSquare, RandomTrapezoidsMapOntoTheSquare) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> width(0.2f, 1.0f);
    int checked = 0;
    while (checked < 1000) {
        const float angle = unit(rng) * 3.14159f;
        const Point2D along(std::cos(angle), std::sin(angle));
        const Point2D across(-along[1], along[0]);
        const Point2D centre(unit(rng), unit(rng));
        const float height = width(rng);
        const float top = width(rng);
        const float base = width(rng);
        if (std::fabs(top - base) < 0.05f)
            continue;  // nearly parallel sides
        const Point2D shift = along * (0.3f * unit(rng));
        Point2D t[4] = {centre - along * base, centre + along * base,
                        centre + across * height + along * top + shift,
                        centre + across * height - along * top + shift};
        if (unit(rng) < 0.0f) {
            std::swap(t[0], t[1]);
            std::swap(t[2], t[3]);
        }
        const gmtl::Matrix33f n = ComputeTrapezoidToSquare(t[0], t[1], t[2], t[3]);
        ExpectPoint(Map(n, t[0]), -1, -1, 2e-3f);
        ExpectPoint(Map(n, t[1]), 1, -1, 2e-3f);
        ExpectPoint(Map(n, t[2]), 1, 1, 2e-3f);
        ExpectPoint(Map(n, t[3]), -1, 1, 2e-3f);
        ++checked;
    }
}

}  // namespace
