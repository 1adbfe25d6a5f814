// The capture through the real view and passes, on the fixture scene's flat
// ground: the lookups are those the CPU computes for the same cameras, and
// the overhead case gives the closed-form texels per pixel.

#include "measure/view_capture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "measure/eye_paths.h"
#include "measure/measure_run.h"
#include "measure/percentiles.h"
#include "measure/plain_pixels.h"
#include "measure/shadow_change.h"
#include "measure/texel_density.h"
#include "tests/measure/plane_lookups.h"
#include "tests/view/view_test_window.h"

namespace {

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;

struct ViewCaptureTest : SharedViewWindowTest<WIDTH, HEIGHT> {
    void SetUp() override {
        window->make_current();
        Place(20, -135, 160, 90, -135, 1200);
        window->view.OnShadowKVXHighQuality();
    }
    static void Place(float eyeElevation, float eyeAzimuth, float eyeDistance, float lightElevation,
                      float lightAzimuth, float lightDistance) {
        CKVX_DemoView& v = window->view;
        v.m_fEyeElevation = eyeElevation;
        v.m_fEyeAzimuth = eyeAzimuth;
        v.m_fEyeDistance = -eyeDistance;
        v.m_eyeCamera.SetView(eyeElevation, eyeAzimuth, eyeDistance);
        v.m_fLightElevation = lightElevation;
        v.m_fLightAzimuth = lightAzimuth;
        v.m_fLightDistance = -lightDistance;
        v.m_lightCamera.SetView(lightElevation, lightAzimuth, lightDistance);
    }
};

// Pixels showing the ground plane, well inside its edges.
PixelGrid<uint8_t> Ground(const PixelGrid<SurfacePoint>& points) {
    PixelGrid<uint8_t> ground(points.width, points.height, 0);
    for (size_t i = 0; i < points.values.size(); ++i) {
        const SurfacePoint& p = points.values[i];
        ground.values[i] = p.visible && std::fabs(p.position[1]) < 0.01f &&
                           std::fabs(p.position[0]) < 140 && std::fabs(p.position[2]) < 140;
    }
    return ground;
}

// A capture of the view and the surface points its pixels show.
struct GroundCapture {
    explicit GroundCapture(CKVX_DemoView& view) : capture(view) {
        created = capture.Create(error);
        if (created) {
            points = capture.SurfacePoints(gmtl::Matrix44f());
            ground = Ground(points);
        }
    }
    ViewCapture capture;
    std::string error;
    bool created = false;
    PixelGrid<SurfacePoint> points;
    PixelGrid<uint8_t> ground;
};

// The part of a setup whose eye depths hold the point; -1 within `margin`
// of a split between two parts, where rounding may pick either.
int PartAt(const ShadowSetup& setup, const Camera& eye, const gmtl::Vec3f& point, float margin) {
    gmtl::Vec3f forward = eye.m_position * -1.0f;
    gmtl::normalize(forward);
    const float depth = gmtl::dot(forward, point - eye.m_position);
    const size_t n = setup.parts.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        if (std::fabs(depth - setup.parts[i].zFar) < margin)
            return -1;
    }
    size_t i = 0;
    while (i + 1 < n && depth >= setup.parts[i].zFar)
        ++i;
    return static_cast<int>(i);
}

// The lookups read back from the scene pass agree with the CPU's on every
// ground pixel: through the one warp of a whole-map parametrisation, or
// through the warp of the cascade that the pixel's eye depth picks.
TEST_F(ViewCaptureTest, LookupsAreThoseOfTheScenePass) {
    CKVX_DemoView& v = window->view;
    GroundCapture c(v);
    ASSERT_TRUE(c.created) << c.error;
    ViewCapture& capture = c.capture;
    const PixelGrid<SurfacePoint>& points = c.points;
    const PixelGrid<uint8_t>& ground = c.ground;
    for (Parametrisation mode : {PARAM_SSM, PARAM_KVX, PARAM_LISPSM, PARAM_CSM, PARAM_CSM_STABLE}) {
        const ShadowSetup setup = v.FrameSetup(mode);
        const PixelGrid<TexelLookup> gpu = capture.Lookups(setup);
        std::vector<PixelGrid<TexelLookup>> cpu;
        for (const MapPart& part : setup.parts) {
            cpu.push_back(PlaneLookups(v.m_eyeCamera, v.m_lightCamera, part.nt, WIDTH, HEIGHT,
                                       v.m_iShadowMapWidth));
        }
        std::vector<int> compared(setup.parts.size(), 0);
        float worst = 0.0f;
        for (size_t i = 0; i < ground.values.size(); ++i) {
            const int part = PartAt(setup, v.m_eyeCamera, points.values[i].position, 0.5f);
            if (!ground.values[i] || part < 0)
                continue;
            ASSERT_TRUE(gpu.values[i].visible);
            ++compared[part];
            const TexelLookup& expected = cpu[part].values[i];
            worst = std::max({worst, std::fabs(gpu.values[i].s - expected.s),
                              std::fabs(gpu.values[i].t - expected.t)});
        }
        // The ground begins some 70 deep in the start-up view: past the first
        // cascade, in the other three.
        const int total = std::accumulate(compared.begin(), compared.end(), 0);
        const auto used =
            std::count_if(compared.begin(), compared.end(), [](int n) { return n > 100; });
        EXPECT_GT(total, WIDTH * HEIGHT / 4) << mode;
        EXPECT_EQ(used, setup.cascaded ? 3 : 1) << mode;
        EXPECT_LT(worst, 0.5f) << mode;
    }
}

// The live readout's lookups, drawn in one frame, read back in the next and
// taken in the one after, are those read back at once, bit for bit, through
// one warp or picking the cascade; drawing them leaves the depth map the
// frame drew as it was.
TEST_F(ViewCaptureTest, LookupsReadOverFramesAreThoseReadAtOnce) {
    CKVX_DemoView& v = window->view;
    ViewCapture capture(v);
    std::string error;
    ASSERT_TRUE(capture.Create(error)) << error;
    ASSERT_TRUE(PixelReadback::Available());
    for (Parametrisation mode : {PARAM_SSM, PARAM_KVX, PARAM_LISPSM, PARAM_CSM, PARAM_CSM_STABLE}) {
        const ShadowSetup setup = v.FrameSetup(mode);
        const PixelGrid<TexelLookup> once = capture.Lookups(setup);
        const std::vector<float> map = capture.DepthMap();
        PixelGrid<TexelLookup> later;
        EXPECT_FALSE(capture.ContinueLookups(later));
        capture.StartLookups(setup);
        EXPECT_FALSE(capture.ContinueLookups(later));
        EXPECT_TRUE(capture.LookupsPending());
        ASSERT_TRUE(capture.ContinueLookups(later)) << mode;
        EXPECT_FALSE(capture.LookupsPending());
        ASSERT_EQ(later.values.size(), once.values.size());
        int visible = 0, differing = 0;
        for (size_t i = 0; i < once.values.size(); ++i) {
            const TexelLookup& a = once.values[i];
            const TexelLookup& b = later.values[i];
            visible += a.visible;
            differing += a.visible != b.visible || (a.visible && (a.s != b.s || a.t != b.t));
        }
        EXPECT_GT(visible, WIDTH * HEIGHT / 4) << mode;
        EXPECT_EQ(differing, 0) << mode;
        EXPECT_TRUE(capture.DepthMap() == map) << mode;
    }
}

// A stability frame fits the cascades for an eye 40 nearer the scene while
// the pixels still show the start view: each ground pixel must read the
// cascade that the nearer eye's depth picks, inside that cascade's tile, as
// a real frame at that eye would.
TEST_F(ViewCaptureTest, AFrameReadsTheCascadeItsOwnEyeDepthPicks) {
    CKVX_DemoView& v = window->view;
    GroundCapture c(v);
    ASSERT_TRUE(c.created) << c.error;
    const PixelGrid<SurfacePoint>& points = c.points;
    const PixelGrid<uint8_t>& ground = c.ground;
    const Camera start = v.m_eyeCamera;
    const Camera nearer = EyeOnPath(start, {"move", EYE_MOVE, 40.0f}, 1);
    for (Parametrisation mode : {PARAM_CSM, PARAM_CSM_STABLE}) {
        v.m_eyeCamera = nearer;
        const ShadowSetup setup = v.FrameSetup(mode);
        v.m_eyeCamera = start;
        const PixelGrid<TexelLookup> lookups = c.capture.Lookups(setup);
        int checked = 0, elsewhere = 0;
        for (size_t i = 0; i < ground.values.size(); ++i) {
            const int part = PartAt(setup, nearer, points.values[i].position, 0.5f);
            if (!ground.values[i] || part < 0 ||
                !InsideView(nearer.m_matProjection * nearer.m_matView, points.values[i].position))
                continue;
            const MapPart& p = setup.parts[part];
            const float x = 2.0f * lookups.values[i].s / v.m_iShadowMapWidth - 1.0f;
            const float y = 2.0f * lookups.values[i].t / v.m_iShadowMapHeight - 1.0f;
            ++checked;
            elsewhere += x < p.left || x > p.right || y < p.bottom || y > p.top;
        }
        EXPECT_GT(checked, WIDTH * HEIGHT / 8) << mode;
        EXPECT_EQ(elsewhere, 0) << mode;
    }
}

// Texels per pixel over the ground pixels of a setup.
DensitySummary GroundDensity(ViewCapture& capture, const ShadowSetup& setup) {
    const PixelGrid<uint8_t> ground = Ground(capture.SurfacePoints(gmtl::Matrix44f()));
    const PixelGrid<float> density = TexelsPerPixel(capture.Lookups(setup));
    PixelGrid<float> onGround(WIDTH, HEIGHT, std::nanf(""));
    for (size_t i = 0; i < ground.values.size(); ++i) {
        if (ground.values[i])
            onGround.values[i] = density.values[i];
    }
    return SummariseDensity(onGround);
}

// Eye and light straight above the ground, turned alike. The standard map
// has the closed form of OverheadTexelsPerPixel. Every ground pixel lies
// 160 deep in the eye's view, in the cascade that ends at depth z3; that
// cascade's rectangle is set by its far corners, z3 * tan(30) * (aspect, 1)
// off the axis at the light's depth d3 = 1200 - 160 + z3, and spreads over a
// quarter of the map's side. Against the standard map it gives
// (1 / 2) * d3 / z3 times the texels down the screen and that over the
// aspect ratio across it: the geometric mean divides by sqrt(aspect).
TEST_F(ViewCaptureTest, OverheadGroundHasTheClosedFormTexelsPerPixel) {
    Place(90, -135, 160, 90, -135, 1200);
    CKVX_DemoView& v = window->view;
    ViewCapture capture(v);
    std::string error;
    ASSERT_TRUE(capture.Create(error)) << error;
    const double standard = OverheadTexelsPerPixel(160, 1200, HEIGHT, v.m_iShadowMapWidth);
    const ShadowSetup cascades = v.FrameSetup(PARAM_CSM);
    const MapPart& part = cascades.parts[2];
    ASSERT_LT(part.zNear, 160.0f);
    ASSERT_GT(part.zFar, 160.0f);
    const double d3 = 1200.0 - 160.0 + part.zFar;
    const double cascaded = standard * 0.5 * d3 / part.zFar / std::sqrt(double(WIDTH) / HEIGHT);
    const struct {
        ShadowSetup setup;
        double expected;
    } cases[] = {{SingleMapSetup(gmtl::Matrix44f(), v.m_eyeCamera), standard},
                 {cascades, cascaded}};
    for (const auto& c : cases) {
        const DensitySummary s = GroundDensity(capture, c.setup);
        EXPECT_GT(s.pixels, static_cast<size_t>(WIDTH * HEIGHT / 2));
        EXPECT_NEAR(s.p10, c.expected, c.expected * 0.01);
        EXPECT_NEAR(s.p90, c.expected, c.expected * 0.01);
    }
}

// Along the eye paths the standard map does not change at all, so neither
// does the shadow term of a still scene; the warped map follows the eye.
TEST_F(ViewCaptureTest, OnlyTheWarpedMapChangesAlongTheEyePath) {
    MeasureRequest request;
    request.density = true;
    request.stabilityFrames = 4;
    request.json = true;
    std::string report, error;
    ASSERT_TRUE(RunMeasurements(window->view, request, {}, report, error)) << error;
    EXPECT_THAT(report,
                testing::HasSubstr("\"ssm\": {\"mean_change\": 0, \"worst_frame_mean\": 0, "
                                   "\"flip_share\": 0, \"pairs\": 3, \"outside_tile\": 0}"));
    for (const char* mode : {"kvx-hq", "lispsm", "csm", "csm_stable"})
        EXPECT_THAT(report,
                    testing::HasSubstr("\"" + std::string(mode) + "\": {\"mean_change\": "));
    // The view is left as it was.
    EXPECT_EQ(window->view.m_iShadowMode, SHADOW_KVX);
    EXPECT_EQ(window->view.m_uCurrentFragmentProgram, window->view.m_uSceneFragmentProgramHQ);
    Camera expected;
    expected.SetPerspective(60, static_cast<float>(WIDTH) / HEIGHT, 1, 380);
    expected.SetView(20, -135, 160);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(window->view.m_eyeCamera.m_matView[i], expected.m_matView[i]);
}

// Every frame of the figures is shown as it is measured, a picture the
// window's size, drawn into the window; the figures are the same as without.
TEST_F(ViewCaptureTest, ShowingTheMeasuredFramesChangesNoFigure) {
    MeasureRequest request;
    request.density = true;
    request.stabilityFrames = 3;
    request.json = true;
    std::string quiet, shown, error;
    ASSERT_TRUE(RunMeasurements(window->view, request, {}, quiet, error)) << error;
    int pictures = 0, misfits = 0;
    CaptureHooks hooks;
    hooks.show = [&](const RgbImage& picture) {
        ++pictures;
        misfits += picture.width != WIDTH || picture.height != HEIGHT;
        PlainPixels().Draw(picture, 0, 0);
    };
    ASSERT_TRUE(RunMeasurements(window->view, request, hooks, shown, error)) << error;
    EXPECT_EQ(shown, quiet);
    EXPECT_EQ(pictures, 5 + 2 * 6 * 3);  // five maps, six modes along two paths
    EXPECT_EQ(misfits, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
