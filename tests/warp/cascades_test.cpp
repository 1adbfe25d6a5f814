#include "warp/cascades.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/start_up_cameras.h"
#include "warp/light_plane.h"
#include "warp/shadow_setup.h"
#include "warp/trapezoid_to_square.h"

namespace {

struct CascadesAtStartUp : testing::Test {
    CascadesAtStartUp() { PlaceStartUpCameras(eye, light); }
    Camera eye;
    Camera light;
};

TEST(PracticalSplits, BlendOfLogarithmicAndUniform) {
    const struct {
        float lambda;
        std::vector<float> expected;
    } cases[] = {
        {0.0f, {1, 95.75f, 190.5f, 285.25f, 380}},  // uniform
        {1.0f, {1, std::pow(380.0f, 0.25f), std::sqrt(380.0f), std::pow(380.0f, 0.75f), 380}},
        {0.5f,
         {1, 0.5f * (std::pow(380.0f, 0.25f) + 95.75f), 0.5f * (std::sqrt(380.0f) + 190.5f),
          0.5f * (std::pow(380.0f, 0.75f) + 285.25f), 380}},
    };
    for (const auto& c : cases) {
        const std::vector<float> splits = PracticalSplits(1, 380, 4, c.lambda);
        ASSERT_EQ(splits.size(), c.expected.size());
        for (size_t i = 0; i < splits.size(); ++i)
            EXPECT_NEAR(splits[i], c.expected[i], 1e-3f) << "lambda " << c.lambda << ", " << i;
    }
}

// Each cascade's slice of the frustum fills its own quarter of the map, and
// the slices follow each other without gap from the near to the far plane.
TEST_F(CascadesAtStartUp, EachSliceFillsItsTile) {
    const ShadowSetup setup = CascadeSetup(eye, light);
    ASSERT_TRUE(setup.cascaded);
    ASSERT_EQ(setup.parts.size(), 4u);
    EXPECT_EQ(setup.parts.front().zNear, 1.0f);
    EXPECT_EQ(setup.parts.back().zFar, 380.0f);
    float area = 0.0f;
    for (size_t i = 0; i < setup.parts.size(); ++i) {
        const MapPart& part = setup.parts[i];
        if (i > 0) {
            EXPECT_EQ(part.zNear, setup.parts[i - 1].zFar);
        }
        area += (part.right - part.left) * (part.top - part.bottom);
        Point2D corners[8];
        ASSERT_TRUE(
            ProjectCorners(LightMatrix(light), EyeSlice(eye, part.zNear, part.zFar), corners));
        float low[2] = {1e9f, 1e9f}, high[2] = {-1e9f, -1e9f};
        for (const Point2D& c : corners) {
            const gmtl::Vec4f m = part.nt * gmtl::Vec4f(c[0], c[1], 0.0f, 1.0f);
            for (unsigned k = 0; k < 2; ++k) {
                low[k] = std::min(low[k], m[k] / m[3]);
                high[k] = std::max(high[k], m[k] / m[3]);
            }
        }
        EXPECT_NEAR(low[0], part.left, 1e-4f) << i;
        EXPECT_NEAR(high[0], part.right, 1e-4f) << i;
        EXPECT_NEAR(low[1], part.bottom, 1e-4f) << i;
        EXPECT_NEAR(high[1], part.top, 1e-4f) << i;
    }
    EXPECT_FLOAT_EQ(area, 4.0f);
}

// The cascaded lookup turns the texel coordinates of the unwarped map into
// those of the cascade: the same as the depth pass's warp followed by the
// clip-to-texel scale.
TEST_F(CascadesAtStartUp, CascadeTexelScaleAgreesWithTheWarp) {
    const ShadowSetup setup = CascadeSetup(eye, light);
    const float h = 750.0f;
    const gmtl::Vec4f clip(0.3f, -0.2f, 0.5f, 2.0f);
    for (const MapPart& part : setup.parts) {
        const gmtl::Vec4f k = CascadeTexelScale(part.nt, 1500);
        const gmtl::Vec4f warped = part.nt * clip;
        const float s = h * clip[0] + h * clip[3];
        const float t = h * clip[1] + h * clip[3];
        EXPECT_NEAR(k[0] * s + k[2] * clip[3], h * warped[0] + h * warped[3], 1e-2f);
        EXPECT_NEAR(k[1] * t + k[3] * clip[3], h * warped[1] + h * warped[3], 1e-2f);
    }
}

// The light vector of a world point gives back its depth along the view.
TEST_F(CascadesAtStartUp, EyeDepthFromTheLightVector) {
    const gmtl::Vec4f plane = EyeDepthPlane(eye, light.m_position);
    gmtl::Vec3f forward = eye.m_position * -1.0f;
    gmtl::normalize(forward);
    const gmtl::Vec3f side(forward[2], 0.0f, -forward[0]);
    for (float depth : {1.0f, 105.0f, 379.0f}) {
        const gmtl::Vec3f point = eye.m_position + forward * depth + side * 30.0f;
        const gmtl::Vec3f v = light.m_position - point;
        EXPECT_NEAR(plane[0] * v[0] + plane[1] * v[1] + plane[2] * v[2] + plane[3], depth, 1e-2f);
    }
}

// A slice reaching behind the light cannot be fitted: its tile then holds
// the light's whole view, as an unwarped map would.
TEST_F(CascadesAtStartUp, SliceBehindTheLightKeepsTheUnwarpedView) {
    light.SetPerspective(60, 1, 1, 100);
    light.SetView(30, 45, 50);
    const gmtl::Matrix33f crop = SliceCrop(EyeSlice(eye, 100, 380), light);
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_EQ(crop[i], gmtl::Matrix33f()[i]);
}

}  // namespace
