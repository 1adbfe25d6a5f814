#include "warp/lispsm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/start_up_cameras.h"
#include "warp/light_plane.h"

namespace {

Point2D Map(const gmtl::Matrix33f& n, const Point2D& p) {
    const gmtl::Vec3f q = n * gmtl::Vec3f(p[0], p[1], 1.0f);
    return Point2D(q[0] / q[2], q[1] / q[2]);
}

// The eye frustum's corners in the map.
void MappedCorners(const LispsmFit& fit, const Camera& eye, const Camera& light, Point2D out[8]) {
    Point2D corners[8];
    ASSERT_TRUE(ProjectCorners(LightMatrix(light), eye, corners));
    for (int i = 0; i < 8; ++i)
        out[i] = Map(fit.n, corners[i]);
}

// The corners fill the square: inside it, touching all four edges.
void ExpectFillsTheSquare(const Point2D p[8]) {
    float low[2] = {1e9f, 1e9f}, high[2] = {-1e9f, -1e9f};
    for (int i = 0; i < 8; ++i) {
        for (unsigned k = 0; k < 2; ++k) {
            low[k] = std::min(low[k], p[i][k]);
            high[k] = std::max(high[k], p[i][k]);
        }
    }
    for (unsigned k = 0; k < 2; ++k) {
        EXPECT_NEAR(low[k], -1.0f, 1e-3f) << "axis " << k;
        EXPECT_NEAR(high[k], 1.0f, 1e-3f) << "axis " << k;
    }
}

TEST(LispsmNearDistance, TheFormulaOfThePaper) {
    const struct {
        float zNear, zFar, sinGamma, expected;
    } cases[] = {
        {1, 100, 1, 11},                                  // z_n + sqrt(z_n z_f)
        {4, 100, 0.5f, 48},                               // divided by sin(gamma)
        {1, 380, 1, 1 + std::sqrt(380.0f)},               // the demo's eye
        {1, 380, 1e-3f, (1 + std::sqrt(380.0f)) * 1e3f},  // nearly along the light
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(LispsmNearDistance(c.zNear, c.zFar, c.sinGamma), c.expected);
}

TEST(Lispsm, StartUpViewPutsTheNearPlaneAtTheTopAndFillsTheMap) {
    Camera eye, light;
    PlaceStartUpCameras(eye, light);
    const LispsmFit fit = FitLispsm(eye, light);
    ASSERT_TRUE(fit.warped);
    // The eye looks 20 degrees down, the light's rays at the eye are about
    // 7 degrees from the vertical: gamma is about 77 degrees.
    EXPECT_NEAR(fit.sinGamma, 0.976f, 1e-3f);
    Point2D p[8];
    MappedCorners(fit, eye, light, p);
    ExpectFillsTheSquare(p);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(p[i][1], 0.95f) << "near corner " << i;
        EXPECT_LT(p[i + 4][1], 0.0f) << "far corner " << i;
    }
}

// An eye looking horizontally under a light so far and narrow that its
// plane is the ground seen from above: gamma is 90 degrees, the frustum's
// depth along the warp's axis is z_f - z_n, and the perspective's centre lies
// n_opt before the near plane. A point at eye depth z then maps to
// y = (2 n f / t - (f + n)) / (f - n), with t = z - z_n + n, f = n + z_f - z_n.
TEST(Lispsm, HorizontalEyeUnderAFarLightFollowsTheClosedForm) {
    const float zn = 1.0f, zf = 380.0f;
    Camera eye, light;
    eye.SetPerspective(60, 4.0f / 3.0f, zn, zf);
    eye.SetView(0, -135, 160);
    light.SetPerspective(1, 1, 90000, 110000);
    light.SetView(90, -135, 100000);
    const LispsmFit fit = FitLispsm(eye, light);
    ASSERT_TRUE(fit.warped);
    EXPECT_NEAR(fit.sinGamma, 1.0f, 1e-5f);
    const float n = zn + std::sqrt(zn * zf);
    EXPECT_NEAR(fit.nearWorld, n, 1e-3f);
    const float f = n + zf - zn;

    gmtl::Vec3f forward = eye.m_position * -1.0f;
    gmtl::normalize(forward);
    for (float z : {1.0f, 5.0f, 20.0f, 100.0f, 380.0f}) {
        const gmtl::Vec3f w = eye.m_position + forward * z;
        const gmtl::Vec4f q = LightMatrix(light) * gmtl::Vec4f(w[0], w[1], w[2], 1.0f);
        const Point2D m = Map(fit.n, Point2D(q[0] / q[3], q[1] / q[3]));
        const float t = z - zn + n;
        EXPECT_NEAR(m[1], (2.0f * n * f / t - (f + n)) / (f - n), 2e-3f) << "depth " << z;
        EXPECT_NEAR(m[0], 0.0f, 2e-3f) << "depth " << z;
    }
}

// Degenerate views: the light shining along the view direction leaves the
// warp without an axis, and a frustum reaching behind the light cannot be
// projected at all. Neither fails; the first fits a rectangle around the
// frustum, the second keeps the identity.
TEST(Lispsm, DegenerateViews) {
    Camera eye, light;
    eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    eye.SetView(30, -135, 160);
    light.SetPerspective(60, 1, 500, 2000);
    light.SetView(30, -135, 1200);
    const LispsmFit along = FitLispsm(eye, light);
    EXPECT_FALSE(along.warped);
    EXPECT_FALSE(along.degenerate);
    Point2D p[8];
    MappedCorners(along, eye, light, p);
    ExpectFillsTheSquare(p);

    light.SetPerspective(60, 1, 1, 100);
    light.SetView(30, 45, 50);
    const LispsmFit behind = FitLispsm(eye, light);
    EXPECT_TRUE(behind.degenerate);
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_EQ(behind.n[i], gmtl::Matrix33f()[i]);
}

}  // namespace
