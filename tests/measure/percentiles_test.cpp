#include "measure/percentiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(Percentile, InterpolatesBetweenRanks) {
    const std::vector<float> v = {5, 1, 4, 2, 3};  // order does not matter
    struct Case {
        double p, expected;
    } cases[] = {{0, 1}, {10, 1.4}, {25, 2}, {50, 3}, {90, 4.6}, {100, 5}, {-5, 1}, {150, 5}};
    for (const Case& c : cases)
        EXPECT_NEAR(Percentile(v, c.p), c.expected, 1e-9) << c.p;
    EXPECT_EQ(Percentile({7}, 50), 7);
    EXPECT_TRUE(std::isnan(Percentile({}, 50)));
}

// Percentile puts only the two values around the rank in place: with ties and
// in any order they are those of the fully sorted values.
TEST(Percentile, AgreesWithTheSortedValues) {
    std::vector<float> v;
    for (int i = 0; i < 101; ++i)
        v.push_back(static_cast<float>((i * 37) % 23));
    std::vector<float> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    for (double p = 0.0; p <= 100.0; p += 7.5) {
        const double rank = p / 100.0 * 100.0;
        const size_t below = static_cast<size_t>(rank);
        const double expected =
            sorted[below] +
            (rank - below) * (sorted[std::min<size_t>(below + 1, 100)] - sorted[below]);
        EXPECT_EQ(Percentile(v, p), expected) << p;
    }
}

TEST(SummariseDensity, LeavesOutPixelsWithoutAFigure) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PixelGrid<float> g(4, 3, nan);
    for (int i = 0; i < 11; ++i)
        g.values[i] = static_cast<float>(i);  // 0 .. 10, and the last pixel NaN
    g.values[5] = inf;                        // not a figure either
    const DensitySummary s = SummariseDensity(g);
    EXPECT_EQ(s.pixels, 10u);
    EXPECT_NEAR(s.p50, 5.0, 1e-9);  // between 4 and 6: the median of 0..4, 6..10

    const DensitySummary none = SummariseDensity(PixelGrid<float>(3, 3, nan));
    EXPECT_EQ(none.pixels, 0u);
    EXPECT_TRUE(std::isnan(none.p50));
}

TEST(ShareWhereLess, CountsThePixelsWhereBothHaveAFigure) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    PixelGrid<float> a(5, 1), b(5, 1);
    a.values = {1, 2, 3, nan, 0.5f};
    b.values = {2, 2, 1, 0, nan};
    EXPECT_NEAR(ShareWhereLess(a, b), 1.0 / 3, 1e-12);  // 1 < 2; 2 = 2 and 3 > 1 are not
    EXPECT_NEAR(ShareWhereLess(b, a), 1.0 / 3, 1e-12);
    EXPECT_TRUE(std::isnan(ShareWhereLess(PixelGrid<float>(2, 1, nan), a)));
}

}  // namespace
