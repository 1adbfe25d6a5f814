#include "warp/trapezoid_fit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "warp/trapezoid_to_square.h"

namespace {

Point2D Map(const gmtl::Matrix33f& n, const Point2D& p) {
    const gmtl::Vec3f q = n * gmtl::Vec3f(p[0], p[1], 1.0f);
    return Point2D(q[0] / q[2], q[1] / q[2]);
}

Point2D ProjectToLight(const Camera& light, const gmtl::Vec4f& p) {
    const gmtl::Vec4f q = light.m_matProjection * light.m_matView * p;
    return Point2D(q[0] / q[3], q[1] / q[3]);
}

struct StartUpView : testing::Test {
    StartUpView() {
        eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
        eye.SetView(20, -135, 160);
        light.SetPerspective(60, 1, 500, 2000);
        light.SetView(90, -135, 1200);
    }
    Camera eye;
    Camera light;
};

TEST_F(StartUpView, TwoSearchStepsEndJustBelowEightyPercent) {
    const TrapezoidSearch s = SearchTrapezoid(eye, light, 160, 80, 1024);
    EXPECT_EQ(s.frustumHull.size(), 6u);
    EXPECT_EQ(s.focusHull.size(), 6u);
    EXPECT_EQ(s.steps, 2);
    EXPECT_EQ(s.percent, 79.90234375f);
    EXPECT_FALSE(s.degenerate);

    // The near corners land at the top edge, the far ones in the lowest eighth.
    for (int i = 0; i < 8; ++i) {
        const Point2D p = Map(s.n, ProjectToLight(light, eye.m_worldCorners[i]));
        EXPECT_GE(p[0], -1.0f - 1e-4f);
        EXPECT_LE(p[0], 1.0f + 1e-4f);
        if (i < 4) {
            EXPECT_GT(p[1], 0.99f) << "corner " << i;
        } else {
            EXPECT_LT(p[1], -0.75f) << "corner " << i;
        }
    }
}

TEST_F(StartUpView, MatrixIsTheFourByFourFormOfTheSearch) {
    gmtl::Matrix44f out;
    ComputeTrapezoidMatrix(out, eye, light, 160, 80, 1024);
    const gmtl::Matrix44f expected =
        TrapezoidMatrix44(SearchTrapezoid(eye, light, 160, 80, 1024).n);
    EXPECT_THAT(out.mData, testing::ElementsAreArray(expected.mData));
    // The depth row passes z through.
    EXPECT_EQ(out(2, 2), 1.0f);
    EXPECT_EQ(out(2, 0), 0.0f);
    EXPECT_EQ(out(0, 2), 0.0f);
}

TEST_F(StartUpView, FocusPointLandsAtTheChosenPercentage) {
    const TrapezoidSearch s = SearchTrapezoid(eye, light, 160, 80, 1024);
    const Point2D p3 = s.top.FarthestPoint(s.focusHull);
    for (float p : {80.0f, 70.0f, 50.0f, 90.0f}) {
        Point2D frustum[8];
        for (int i = 0; i < 8; ++i)
            frustum[i] = ProjectToLight(light, eye.m_worldCorners[i]);
        const gmtl::Matrix33f n = FitTrapezoid(p, s.focusReach, s.base, s.top, s.centre, frustum);
        EXPECT_NEAR(Map(n, p3)[1], 1.0f - p / 50.0f, 1e-4f) << p << " percent";
    }
}

TEST_F(StartUpView, NegativeFocusPercentGivesTheIdentity) {
    gmtl::Matrix44f out;
    out(0, 1) = 5.0f;
    ComputeTrapezoidMatrix(out, eye, light, 160, -1, 1024);
    EXPECT_THAT(out.mData, testing::ElementsAreArray(gmtl::Matrix44f().mData));
}

TEST(TrapezoidFit, LightAlongTheViewDirectionGivesAFiniteMatrix) {
    // Light and eye at the same place: the frustum collapses to a point's
    // neighbourhood around the projected centre line.
    for (float elevation : {20.0f, 45.0f, 89.0f}) {
        Camera eye;
        eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
        eye.SetView(elevation, -135, 160);
        Camera light;
        light.SetPerspective(60, 1, 500, 2000);
        light.SetView(elevation, -135, 1200);
        gmtl::Matrix44f out;
        ComputeTrapezoidMatrix(out, eye, light, 160, 80, 1024);
        for (float v : out.mData)
            EXPECT_TRUE(std::isfinite(v)) << elevation;
    }
}

// Fixture lines: top y = 1, base y = -1, centre line straight down the y
// axis. At p = 50 and h = 0.5 the apex sits at (0, 2).
struct HandMadeLines : testing::Test {
    const Line2D top{{0, 1}, {1, 1}};
    const Line2D base{{0, -1}, {1, -1}};
    const Line2D centre{{0, 1}, {0, -1}};
};

TEST_F(HandMadeLines, SideWithoutFarCornerRunsThroughTheFirstNearPoint) {
    // Every far point lies right of the centre line (negative x here).
    const Point2D frustum[8] = {{0.5f, 0.9f}, {0, 0},   {0, 0},      {0, 0},
                                {-1, -1},     {-2, -1}, {-0.5f, -1}, {-1.5f, -1}};
    const Trapezoid t = BuildTrapezoid(50, 0.5f, base, top, centre, frustum);
    // Right side through the outermost far point (-2, -1) seen from (0, 2).
    EXPECT_NEAR(t.t[1][0], -2.0f, 1e-5f);
    EXPECT_NEAR(t.t[2][0], -2.0f / 3.0f, 1e-5f);
    // Left side through a(0) = (0.5, 0.9): from (0, 2) it reaches y = -1 at x = 1.5/1.1.
    EXPECT_NEAR(t.t[0][0], 0.5f * 3.0f / 1.1f, 1e-5f);
    EXPECT_NEAR(t.t[0][1], -1.0f, 1e-6f);
    EXPECT_NEAR(t.t[3][0], 0.5f / 1.1f, 1e-5f);
}

TEST_F(HandMadeLines, FailedCornersAreReportedAndStayAtTheOrigin) {
    // a(0) on the apex: the left side line has no direction.
    const Point2D frustum[8] = {{0, 2},   {0, 0},   {0, 0},   {0, 0},
                                {-1, -1}, {-2, -1}, {-1, -1}, {-1, -1}};
    testing::internal::CaptureStderr();
    const Trapezoid t = BuildTrapezoid(50, 0.5f, base, top, centre, frustum);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "couldn't calc t0\ncouldn't calc t3\n");
    EXPECT_EQ(t.t[0], Point2D(0, 0));
    EXPECT_EQ(t.t[3], Point2D(0, 0));
}

}  // namespace
