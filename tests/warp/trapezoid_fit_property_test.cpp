#include <gtest/gtest.h>

#include <random>

#include "warp/trapezoid_fit.h"

namespace {

Point2D Map(const gmtl::Matrix33f& n, const Point2D& p) {
    const gmtl::Vec3f q = n * gmtl::Vec3f(p[0], p[1], 1.0f);
    return Point2D(q[0] / q[2], q[1] / q[2]);
}

struct Placement {
    float eyeElevation, eyeAzimuth, eyeDistance;
    float lightElevation, lightAzimuth, lightDistance;
};

// Eye and light anywhere the navigation lets them go.
std::vector<Placement> RandomPlacements(int count) {
    std::mt19937 rng(2004);
    std::uniform_real_distribution<float> eyeElevation(5, 175), azimuth(-360, 360),
        eyeDistance(10, 200), lightElevation(25, 155), lightDistance(800, 2000);
    std::vector<Placement> placements;
    for (int i = 0; i < count; ++i) {
        placements.push_back({eyeElevation(rng), azimuth(rng), eyeDistance(rng),
                              lightElevation(rng), azimuth(rng), lightDistance(rng)});
    }
    return placements;
}

struct Fit {
    Camera eye, light;
    TrapezoidSearch search;
};

Fit FitFor(const Placement& p) {
    Fit f;
    f.eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    f.eye.SetView(p.eyeElevation, p.eyeAzimuth, p.eyeDistance);
    f.light.SetPerspective(60, 1, 500, 2000);
    f.light.SetView(p.lightElevation, p.lightAzimuth, p.lightDistance);
    f.search = SearchTrapezoid(f.eye, f.light, p.eyeDistance, 80, 1024);
    return f;
}

Point2D ProjectToLight(const Camera& light, const gmtl::Vec4f& p) {
    const gmtl::Vec4f q = light.m_matProjection * light.m_matView * p;
    return Point2D(q[0] / q[3], q[1] / q[3]);
}

std::string Describe(const Placement& p) {
    return "eye (" + std::to_string(p.eyeElevation) + ", " + std::to_string(p.eyeAzimuth) + ", " +
           std::to_string(p.eyeDistance) + ") light (" + std::to_string(p.lightElevation) + ", " +
           std::to_string(p.lightAzimuth) + ", " + std::to_string(p.lightDistance) + ")";
}

TEST(TrapezoidFitProperties, HoldForRandomPlacements) {
    int fitted = 0;
    for (const Placement& placement : RandomPlacements(1000)) {
        const Fit f = FitFor(placement);
        const TrapezoidSearch& s = f.search;
        SCOPED_TRACE(Describe(placement));
        for (float v : s.n.mData)
            ASSERT_TRUE(std::isfinite(v));
        if (s.degenerate)
            continue;
        ++fitted;

        // The trapezoid's corners go to the square's corners.
        const float square[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int i = 0; i < 4; ++i) {
            const Point2D c = Map(s.n, s.trapezoid.t[i]);
            EXPECT_NEAR(c[0], square[i][0], 1e-2f) << "corner " << i;
            EXPECT_NEAR(c[1], square[i][1], 1e-2f) << "corner " << i;
        }
        // The end of the focus region lands at the search's final percentage.
        const Point2D focus = Map(s.n, s.top.FarthestPoint(s.focusHull));
        EXPECT_NEAR(focus[1], 1.0f - s.percent / 50.0f, 1e-2f);

        // The near end of the eye frustum lands above the far end: its centre
        // above the far plane's centre, and so on average its corners. (A single
        // far corner can still reach the top line when the wide frustum turns
        // partly towards the light.)
        const gmtl::Vec4f* c = f.eye.m_worldCorners;
        auto y = [&](const gmtl::Vec4f& p) { return Map(s.n, ProjectToLight(f.light, p))[1]; };
        EXPECT_GT(y(c[0] + (c[2] - c[0]) * 0.5f), y(c[4] + (c[6] - c[4]) * 0.5f));
        EXPECT_GT(y(c[0]) + y(c[1]) + y(c[2]) + y(c[3]), y(c[4]) + y(c[5]) + y(c[6]) + y(c[7]));
    }
    EXPECT_GT(fitted, 900);
}

}  // namespace
