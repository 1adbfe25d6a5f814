#include "math/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectNear(const gmtl::Vec4f& v, float x, float y, float z, float tolerance) {
    EXPECT_NEAR(v[0], x, tolerance);
    EXPECT_NEAR(v[1], y, tolerance);
    EXPECT_NEAR(v[2], z, tolerance);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
}

TEST(Camera, ConstructedCameraHasNoProjection) {
    Camera c;
    EXPECT_FALSE(c.m_bProjectionSet);
    EXPECT_EQ(c.m_matView.getState(), gmtl::Matrix44f::IDENTITY);
    EXPECT_EQ(c.m_position, gmtl::Vec3f(0, 0, 0));
    EXPECT_EQ(c.m_direction, gmtl::Vec3f(0, 0, -1));
    EXPECT_EQ(c.m_up, gmtl::Vec3f(0, 1, 0));
}

TEST(Camera, ViewWithoutProjectionEndsTheProcess) {
    EXPECT_EXIT(
        {
            Camera c;
            c.SetView(20, -135, 160);
        },
        testing::ExitedWithCode(255), "Camera error: The projection has to be specified first.\n");
}

TEST(Camera, PerspectiveExtentsAndCorners) {
    // The light: 60 degrees over a square from 500 to 2000.
    Camera light;
    light.SetPerspective(60, 1, 500, 2000);
    EXPECT_NEAR(light.m_fTop, 288.675f, 1e-3f);
    EXPECT_NEAR(light.m_fFovY, 60.0f, 1e-4f);
    const float n = 288.675f, f = 1154.70f;
    const float corners[8][3] = {{-n, -n, -500},  {n, -n, -500},  {n, n, -500},  {-n, n, -500},
                                 {-f, -f, -2000}, {f, -f, -2000}, {f, f, -2000}, {-f, f, -2000}};
    for (int i = 0; i < 8; ++i) {
        ExpectNear(light.m_eyeCorners[i], corners[i][0], corners[i][1], corners[i][2], 0.01f);
        // No view yet: world corners are the camera-space corners.
        ExpectNear(light.m_worldCorners[i], corners[i][0], corners[i][1], corners[i][2], 0.01f);
    }

    // The eye at start-up, in a 4:3 window.
    Camera eye;
    eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    EXPECT_NEAR(eye.m_fTop, 0.577350f, 1e-6f);
    EXPECT_NEAR(eye.m_fBottom, -0.577350f, 1e-6f);
    EXPECT_NEAR(eye.m_fRight, 0.769800f, 1e-6f);
    EXPECT_NEAR(eye.m_fLeft, -0.769800f, 1e-6f);
}

TEST(Camera, ProjectionIsTheOpenGLFrustum) {
    Camera c;
    c.SetFrustum(-2, 4, -1, 3, 2, 10);
    const gmtl::Matrix44f& p = c.m_matProjection;
    EXPECT_EQ(p.getState(), gmtl::Matrix44f::FULL);
    const float expected[16] = {4.0f / 6, 0,    0,     0,  0, 1, 0,  0,
                                2.0f / 6, 0.5f, -1.5f, -1, 0, 0, -5, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(p[i], expected[i]) << "element " << i;
}

TEST(Camera, ViewPlacesTheCameraOnItsOrbit) {
    struct Case {
        float elevation, azimuth, distance;
        float x, y, z;
    } cases[] = {
        {20, -135, 160, 106.314f, 54.723f, -106.314f},
        {90, -135, 1200, 0, 1200, 0},
        {0, 0, 10, 0, 0, 10},
        {0, 90, 10, -10, 0, 0},
    };
    for (const Case& c : cases) {
        Camera cam;
        cam.SetPerspective(60, 1, 1, 100);
        cam.SetView(c.elevation, c.azimuth, c.distance);
        EXPECT_NEAR(cam.m_position[0], c.x, 1e-3f);
        EXPECT_NEAR(cam.m_position[1], c.y, 1e-3f);
        EXPECT_NEAR(cam.m_position[2], c.z, 1e-3f);
        EXPECT_EQ(cam.m_matView.getState(), gmtl::Matrix44f::AFFINE);
        // The view matrix takes the camera's position to the origin.
        const gmtl::Vec4f origin =
            cam.m_matView * gmtl::Vec4f(cam.m_position[0], cam.m_position[1], cam.m_position[2], 1);
        ExpectNear(origin, 0, 0, 0, 2e-3f);
    }
}

// Each world corner is the position plus the camera-space corner turned back
// by the view's rotation.
void ExpectCornersFollowTheView(const Camera& cam) {
    const gmtl::Matrix44f& v = cam.m_matView;
    for (int i = 0; i < 8; ++i) {
        const gmtl::Vec4f& e = cam.m_eyeCorners[i];
        float world[3];
        for (unsigned r = 0; r < 3; ++r) {
            world[r] = cam.m_position[r] + v(0, r) * e[0] + v(1, r) * e[1] + v(2, r) * e[2];
        }
        ExpectNear(cam.m_worldCorners[i], world[0], world[1], world[2], 2e-3f);
    }
}

TEST(Camera, WorldCornersFollowViewAndProjection) {
    Camera cam;
    cam.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    cam.SetView(20, -135, 160);
    ExpectCornersFollowTheView(cam);

    // A new projection keeps the view and moves the corners to the new frustum.
    const gmtl::Matrix44f view = cam.m_matView;
    const gmtl::Vec3f position = cam.m_position;
    cam.SetPerspective(45, 2.0f, 1, 200);
    EXPECT_EQ(cam.m_position, position);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(cam.m_matView[i], view[i]);
    EXPECT_NEAR(cam.m_eyeCorners[4][2], -200.0f, 1e-4f);
    ExpectCornersFollowTheView(cam);
}

TEST(Camera, CopyWithNewFarKeepsTheRays) {
    Camera eye;
    eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    eye.SetView(35, 70, 120);
    Camera focus = eye;
    focus.SetFrustum(eye.m_fLeft, eye.m_fRight, eye.m_fBottom, eye.m_fTop, eye.m_fNear, 120);
    for (int i = 0; i < 4; ++i) {
        ExpectNear(focus.m_worldCorners[i], eye.m_worldCorners[i][0], eye.m_worldCorners[i][1],
                   eye.m_worldCorners[i][2], 1e-4f);
    }
    for (int i = 4; i < 8; ++i) {
        // The far corner moves along its ray from the camera: 120/380 of the way.
        const float t = 120.0f / 380.0f;
        float expected[3];
        for (unsigned r = 0; r < 3; ++r) {
            expected[r] = eye.m_position[r] + (eye.m_worldCorners[i][r] - eye.m_position[r]) * t;
        }
        ExpectNear(focus.m_worldCorners[i], expected[0], expected[1], expected[2], 2e-3f);
    }
}

}  // namespace
