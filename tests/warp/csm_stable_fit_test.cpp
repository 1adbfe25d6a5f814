#include "warp/csm_stable_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/start_up_cameras.h"
#include "warp/cascades.h"
#include "warp/light_plane.h"
#include "warp/shadow_setup.h"

namespace {

constexpr int TILE = 750;

// The eye turned in place about its own up axis, or moved along its view.
Camera Turned(const Camera& eye, float degrees) {
    gmtl::Matrix44f r;
    gmtl::setRot(r, gmtl::AxisAnglef(degrees * gmtl::Math::DEG_TO_RAD, 0.0f, 1.0f, 0.0f));
    Camera c = eye;
    c.SetViewMatrix(r * eye.m_matView);
    return c;
}

Camera Moved(const Camera& eye, float distance) {
    gmtl::Matrix44f t;
    gmtl::setTrans(t, gmtl::Vec3f(0.0f, 0.0f, distance));
    Camera c = eye;
    c.SetViewMatrix(t * eye.m_matView);
    return c;
}

struct StableFit : testing::Test {
    StableFit() {
        PlaceStartUpCameras(eye, light);
        splits = PracticalSplits(eye.m_fNear, eye.m_fFar, CSM_CASCADES, CSM_SPLIT_WEIGHT);
    }
    Camera eye;
    Camera light;
    std::vector<float> splits;
};

// The centre sits on the view axis at min(zFar, (zNear + zFar)(1 + k^2) / 2)
// and every corner of the slice lies in the sphere, the farthest on it.
TEST_F(StableFit, SphereIsTheClosedFormAroundTheSlice) {
    const float k2 =
        (4.0f / 3.0f) * (4.0f / 3.0f) / 3.0f + 1.0f / 3.0f;  // tan(30)^2 (aspect^2 + 1)
    for (size_t i = 0; i + 1 < splits.size(); ++i) {
        const float zn = splits[i], zf = splits[i + 1];
        const SliceSphere s = SliceBoundingSphere(eye, zn, zf);
        const float depth = std::min(zf, 0.5f * (zn + zf) * (1.0f + k2));
        gmtl::Vec3f forward = eye.m_position * -1.0f;  // the eye looks at the origin
        gmtl::normalize(forward);
        const gmtl::Vec3f expected = eye.m_position + forward * depth;
        for (unsigned a = 0; a < 3; ++a)
            EXPECT_NEAR(s.centre[a], expected[a], 1e-3f) << "slice " << i;
        const Camera slice = EyeSlice(eye, zn, zf);
        float farthest = 0.0f;
        for (const gmtl::Vec4f& c : slice.m_worldCorners) {
            const gmtl::Vec3f corner(c[0], c[1], c[2]);
            farthest = std::max(farthest, gmtl::length(gmtl::Vec3f(corner - s.centre)));
        }
        EXPECT_NEAR(farthest, s.radius, 1e-3f * s.radius) << "slice " << i;
    }
}

// The texel of a tile and where its origin lies, in texels of that tile.
struct Tile {
    float halfWidth;
    float originTexels[2];
};

Tile TileOf(const gmtl::Matrix33f& m) {
    const float h = 1.0f / m(0, 0);
    const float texel = 2.0f * h / TILE;
    return {h, {-m(0, 2) * h / texel, -m(1, 2) * h / texel}};
}

// Turning in place leaves every tile's width as it was; turning or moving,
// its origin steps by whole texels, and the slice stays inside its tile.
TEST_F(StableFit, TileKeepsItsWidthAndMovesInWholeTexels) {
    const struct {
        const char* path;
        Camera (*place)(const Camera&, float);
        float step;
        bool sameWidth;
    } paths[] = {{"turn", Turned, 0.1f, true}, {"move", Moved, 0.25f, false}};
    for (const auto& path : paths) {
        for (size_t i = 0; i + 1 < splits.size(); ++i) {
            const Tile start = TileOf(StableSliceCrop(eye, splits[i], splits[i + 1], light, TILE));
            for (int k = 1; k <= 40; ++k) {
                const Camera moved = path.place(eye, path.step * static_cast<float>(k));
                const gmtl::Matrix33f crop =
                    StableSliceCrop(moved, splits[i], splits[i + 1], light, TILE);
                const Tile tile = TileOf(crop);
                const std::string where = std::string(path.path) + " " + std::to_string(k) +
                                          ", slice " + std::to_string(i);
                if (path.sameWidth) {
                    EXPECT_EQ(tile.halfWidth, start.halfWidth) << where;
                }
                for (float origin : tile.originTexels)
                    EXPECT_NEAR(origin, std::round(origin), 1e-2f) << where;
                Point2D corners[8];
                ASSERT_TRUE(ProjectCorners(LightMatrix(light),
                                           EyeSlice(moved, splits[i], splits[i + 1]), corners));
                for (const Point2D& c : corners) {
                    const gmtl::Vec3f q = crop * gmtl::Vec3f(c[0], c[1], 1.0f);
                    EXPECT_LE(std::fabs(q[0] / q[2]), 1.0f) << where;
                    EXPECT_LE(std::fabs(q[1] / q[2]), 1.0f) << where;
                }
            }
        }
    }
}

// A sphere reaching past the light has no outline in its plane: the tight
// fit stands in.
TEST_F(StableFit, SphereReachingTheLightFallsBackToTheTightFit) {
    light.SetView(20, -135, 100);  // between the eye and the far slice
    const gmtl::Matrix33f stable = StableSliceCrop(eye, splits[3], splits[4], light, TILE);
    const gmtl::Matrix33f tight = SliceCrop(EyeSlice(eye, splits[3], splits[4]), light);
    for (int a = 0; a < 9; ++a)
        EXPECT_EQ(stable[a], tight[a]);
}

}  // namespace
