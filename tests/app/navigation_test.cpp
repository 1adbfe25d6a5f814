// The view's navigation driven by synthetic FLTK events through the same
// dispatch the program's GL window uses.

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <cmath>

#include "app/view_input.h"
#include "tests/view/view_test_window.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

struct Navigation : SharedViewWindowTest<WIDTH, HEIGHT> {
    void SetUp() override {
        // Back to the start-up placements.
        CKVX_DemoView& v = window->view;
        v.m_fEyeElevation = 20.0f;
        v.m_fEyeAzimuth = -135.0f;
        v.m_fEyeDistance = -160.0f;
        v.m_fLightElevation = 90.0f;
        v.m_fLightAzimuth = -135.0f;
        v.m_fLightDistance = -1200.0f;
        v.m_eyeCamera.SetView(20.0f, -135.0f, 160.0f);
        v.m_lightCamera.SetView(90.0f, -135.0f, 1200.0f);
        v.OnNavigationEye();
    }

    // Sends one FLTK event with the cursor at (x, y) and the given state.
    static int Send(int event, int x, int y, int state, int button = FL_LEFT_MOUSE) {
        Fl::e_x = x;
        Fl::e_y = y;
        Fl::e_state = state;
        Fl::e_keysym = FL_Button + button;
        return DispatchInputEvent(window->view, event);
    }
    // Presses the left button at `from` and drags to `to` with the modifiers held.
    static void Drag(int modifiers, int fromX, int fromY, int toX, int toY) {
        Send(FL_PUSH, fromX, fromY, FL_BUTTON1 | modifiers);
        Send(FL_DRAG, toX, toY, FL_BUTTON1 | modifiers);
    }
};

TEST_F(Navigation, ControlDragRotatesTheEye) {
    CKVX_DemoView& v = window->view;
    Drag(FL_CTRL, 100, 100, 200, 100);  // 100 of 800 pixels right
    EXPECT_FLOAT_EQ(v.m_fEyeAzimuth, -135.0f + 45.0f);
    EXPECT_FLOAT_EQ(v.m_fEyeElevation, 20.0f);
    Drag(FL_CTRL, 200, 100, 200, 130);  // 30 of 600 pixels down
    EXPECT_FLOAT_EQ(v.m_fEyeElevation, 20.0f + 18.0f);
    // The camera follows: its position is where the orbit parameters put it.
    const float e = v.m_fEyeElevation * 0.017453292f, a = v.m_fEyeAzimuth * 0.017453292f;
    EXPECT_NEAR(v.m_eyeCamera.m_position[0], -160.0f * std::sin(a) * std::cos(e), 1e-3f);
    EXPECT_NEAR(v.m_eyeCamera.m_position[1], 160.0f * std::sin(e), 1e-3f);
}

TEST_F(Navigation, RotationAndZoomStopAtTheirLimits) {
    CKVX_DemoView& v = window->view;
    struct Case {
        bool light;
        int modifier;
        int dy;
        float CKVX_DemoView::*member;
        float limit;
    } cases[] = {
        {false, FL_CTRL, 5000, &CKVX_DemoView::m_fEyeElevation, 175.0f},
        {false, FL_CTRL, -5000, &CKVX_DemoView::m_fEyeElevation, 5.0f},
        {true, FL_CTRL, 5000, &CKVX_DemoView::m_fLightElevation, 155.0f},
        {true, FL_CTRL, -5000, &CKVX_DemoView::m_fLightElevation, 25.0f},
        {false, FL_SHIFT, 5000, &CKVX_DemoView::m_fEyeDistance, -200.0f},
        {false, FL_SHIFT, -5000, &CKVX_DemoView::m_fEyeDistance, -10.0f},
        {true, FL_SHIFT, 5000, &CKVX_DemoView::m_fLightDistance, -2000.0f},
        {true, FL_SHIFT, -5000, &CKVX_DemoView::m_fLightDistance, -800.0f},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.light)
            v.OnNavigationLight();
        Drag(c.modifier, 300, 300, 300, 300 + c.dy);
        EXPECT_FLOAT_EQ(v.*(c.member), c.limit) << "dy " << c.dy;
    }
}

TEST_F(Navigation, ShiftDragZoomsHalfAUnitAPixel) {
    CKVX_DemoView& v = window->view;
    Drag(FL_SHIFT, 300, 300, 350, 320);  // 20 pixels down; sideways is ignored
    EXPECT_FLOAT_EQ(v.m_fEyeDistance, -170.0f);
    EXPECT_FLOAT_EQ(v.m_fEyeAzimuth, -135.0f);
    EXPECT_NEAR(gmtl::length(v.m_eyeCamera.m_position), 170.0f, 1e-3f);
}

TEST_F(Navigation, ControlWinsOverShift) {
    CKVX_DemoView& v = window->view;
    Drag(FL_CTRL | FL_SHIFT, 100, 100, 180, 120);
    EXPECT_FLOAT_EQ(v.m_fEyeAzimuth, -135.0f + 36.0f);
    EXPECT_FLOAT_EQ(v.m_fEyeDistance, -160.0f);
}

TEST_F(Navigation, OtherInputMovesNothingButRepaints) {
    CKVX_DemoView& v = window->view;
    const gmtl::Vec3f eye = v.m_eyeCamera.m_position;
    const gmtl::Vec3f light = v.m_lightCamera.m_position;
    const struct {
        const char* name;
        int event, state, button;
    } inputs[] = {
        {"left button drag alone", FL_DRAG, FL_BUTTON1, FL_LEFT_MOUSE},
        {"right button drag", FL_DRAG, FL_BUTTON3 | FL_CTRL, FL_RIGHT_MOUSE},
        {"key down", FL_KEYDOWN, FL_CTRL, 0},
        {"key up", FL_KEYUP, 0, 0},
    };
    int x = 100;
    for (const auto& input : inputs) {
        const int before = window->invalidations;
        x += 37;
        Send(input.event, x, x, input.state, input.button);
        EXPECT_GT(window->invalidations, before) << input.name;
        EXPECT_EQ(v.m_eyeCamera.m_position, eye) << input.name;
        EXPECT_EQ(v.m_lightCamera.m_position, light) << input.name;
    }
}

// A notch of the wheel moves the chosen camera by 5% of its distance range, a
// notch towards the user farther; however many notches, it stops at the
// limits Shift + drag stops at. The other camera stays.
TEST_F(Navigation, WheelNotchesMoveNearerOrFartherWithinTheLimits) {
    CKVX_DemoView& v = window->view;
    const struct {
        bool light;
        int notches;
        float distance;
    } cases[] = {
        {false, 1, 169.5f},   {false, -2, 141.0f},  {false, 100, 200.0f},
        {false, -100, 10.0f}, {true, 1, 1260.0f},   {true, -3, 1020.0f},
        {true, 100, 2000.0f}, {true, -100, 800.0f}, {false, 0, 160.0f},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.light)
            v.OnNavigationLight();
        const Camera& moved = c.light ? v.m_lightCamera : v.m_eyeCamera;
        const gmtl::Vec3f still = (c.light ? v.m_eyeCamera : v.m_lightCamera).m_position;
        const int before = window->invalidations;
        Fl::e_dy = c.notches;
        Send(FL_MOUSEWHEEL, 300, 300, 0);
        Fl::e_dy = 0;
        const OrbitPlace& place = c.light ? v.Placement().light : v.Placement().eye;
        EXPECT_FLOAT_EQ(place.distance, c.distance) << c.light << " " << c.notches;
        EXPECT_NEAR(gmtl::length(moved.m_position), c.distance, 1e-3f * c.distance);
        EXPECT_EQ((c.light ? v.m_eyeCamera : v.m_lightCamera).m_position, still);
        EXPECT_GT(window->invalidations, before);
    }
}

// Home puts both cameras back where the start-up put them, wherever the
// mouse took them, and leaves the modes as they are.
TEST_F(Navigation, StartUpViewPutsBothCamerasBackAndKeepsTheModes) {
    CKVX_DemoView& v = window->view;
    Camera eye = v.m_eyeCamera, light = v.m_lightCamera;
    eye.SetView(20.0f, -135.0f, 160.0f);
    light.SetView(90.0f, -135.0f, 1200.0f);
    v.OnShadowSSM();
    Drag(FL_CTRL, 100, 100, 300, 150);
    v.OnNavigationLight();
    Drag(FL_CTRL, 100, 100, 900, 160);
    Fl::e_dy = 2;
    Send(FL_MOUSEWHEEL, 300, 300, 0);
    Fl::e_dy = 0;
    ASSERT_FALSE(v.m_eyeCamera.m_position == eye.m_position);
    ASSERT_FALSE(v.m_lightCamera.m_position == light.m_position);

    v.OnStartUpView();
    const CameraPlacement p = v.Placement();
    EXPECT_EQ(p.eye.elevation, 20.0f);
    EXPECT_EQ(p.eye.azimuth, -135.0f);
    EXPECT_EQ(p.eye.distance, 160.0f);
    EXPECT_EQ(p.light.elevation, 90.0f);
    EXPECT_EQ(p.light.azimuth, -135.0f);
    EXPECT_EQ(p.light.distance, 1200.0f);
    EXPECT_EQ(v.m_eyeCamera.m_position, eye.m_position);
    EXPECT_EQ(v.m_lightCamera.m_position, light.m_position);
    EXPECT_EQ(v.m_iNavigationMode, NAV_LIGHT);
    EXPECT_EQ(v.m_iShadowMode, SHADOW_SSM);
    v.OnShadowKVXHighQuality();
}

TEST_F(Navigation, MoveWithoutButtonsSetsTheDragStart) {
    CKVX_DemoView& v = window->view;
    Send(FL_MOVE, 300, 300, 0);
    Send(FL_DRAG, 310, 300, FL_BUTTON1 | FL_CTRL);  // no press in between
    EXPECT_FLOAT_EQ(v.m_fEyeAzimuth, -135.0f + 4.5f);
}

TEST_F(Navigation, LightNavigationLeavesTheEye) {
    CKVX_DemoView& v = window->view;
    v.OnNavigationLight();
    const gmtl::Vec3f eye = v.m_eyeCamera.m_position;
    Drag(FL_CTRL, 100, 100, 100, 160);  // 60 of 600 pixels down: 36 degrees
    EXPECT_EQ(v.m_eyeCamera.m_position, eye);
    EXPECT_FLOAT_EQ(v.m_fLightElevation, 126.0f);
    const float e = 126.0f * 0.017453292f, a = -135.0f * 0.017453292f;
    const gmtl::Vec3f& light = v.m_lightCamera.m_position;
    EXPECT_NEAR(light[0], -1200.0f * std::sin(a) * std::cos(e), 1e-2f);
    EXPECT_NEAR(light[1], 1200.0f * std::sin(e), 1e-2f);
    EXPECT_NEAR(light[2], 1200.0f * std::cos(e) * std::cos(a), 1e-2f);
}

}  // namespace
