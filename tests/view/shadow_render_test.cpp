// Renders the fixture scene through the real view and checks the picture
// against a ray test on the CPU: which ground pixels the boxes shadow, and
// the colour of lit and shadowed ground.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/pixel_ray.h"
#include "tests/view/fixture_scene.h"
#include "tests/view/view_test_window.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

struct Ray {
    gmtl::Vec3f origin, direction;
};

// The eye ray through the centre of window pixel (px, py), py from the bottom.
Ray EyeRay(const Camera& eye, int px, int py) {
    const PixelRay ray = RayThroughPixel(InverseViewProjection(eye), px, py, WIDTH, HEIGHT);
    return {ray.nearPoint, ray.farPoint - ray.nearPoint};
}

// Entry parameter of the ray into the box, or a negative value for a miss.
float HitBox(const Ray& ray, const FixtureBox& box) {
    const float lo[3] = {box.x - box.size / 2, box.bottom, box.z - box.size / 2};
    const float hi[3] = {box.x + box.size / 2, box.bottom + box.height, box.z + box.size / 2};
    float enter = -1e30f, leave = 1e30f;
    for (int a = 0; a < 3; ++a) {
        if (std::fabs(ray.direction[a]) < 1e-12f) {
            if (ray.origin[a] < lo[a] || ray.origin[a] > hi[a])
                return -1.0f;
            continue;
        }
        float t0 = (lo[a] - ray.origin[a]) / ray.direction[a];
        float t1 = (hi[a] - ray.origin[a]) / ray.direction[a];
        if (t0 > t1)
            std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
    }
    return enter <= leave && leave > 0.0f ? std::max(enter, 0.0f) : -1.0f;
}

enum class Seen { Box, Sky, LitGround, ShadowedGround };

Seen Classify(const Camera& eye, const gmtl::Vec3f& light, int px, int py) {
    const Ray ray = EyeRay(eye, px, py);
    int count = 0;
    const FixtureBox* boxes = FixtureBoxes(count);
    float nearest = 1e30f;
    for (int i = 0; i < count; ++i) {
        const float t = HitBox(ray, boxes[i]);
        if (t >= 0.0f)
            nearest = std::min(nearest, t);
    }
    const float ground = ray.direction[1] < 0.0f ? -ray.origin[1] / ray.direction[1] : -1.0f;
    if (ground < 0.0f || ground > 1.0f)
        return nearest < 1e30f ? Seen::Box : Seen::Sky;
    if (nearest < ground)
        return Seen::Box;
    const gmtl::Vec3f g = ray.origin + ray.direction * ground;
    if (std::fabs(g[0]) > FIXTURE_GROUND_HALF_SIZE || std::fabs(g[2]) > FIXTURE_GROUND_HALF_SIZE) {
        return Seen::Sky;
    }
    const Ray toLight{g, light - g};
    for (int i = 0; i < count; ++i) {
        const float t = HitBox(toLight, boxes[i]);
        if (t > 1e-4f && t < 1.0f)
            return Seen::ShadowedGround;
    }
    return Seen::LitGround;
}

// Expected ground colour: the checker's two colours (and any blend of them,
// since the texture is filtered) times the light colour, times the shadow
// floor where shadowed.
bool MatchesGround(const unsigned char* rgb, bool shadowed, float lightFactor) {
    const float ambient[3] = {0.8f, 0.78f, 0.78f};
    const float diffuse[3] = {0.45f, 0.45f, 0.4f};
    const float grass[3] = {120, 160, 90}, moss[3] = {100, 140, 80};
    float lo[3], hi[3];
    for (int c = 0; c < 3; ++c) {
        const float light =
            (diffuse[c] * lightFactor + ambient[c]) * (shadowed ? diffuse[c] : 1.0f);
        lo[c] = std::min(255.0f, moss[c] * light);
        hi[c] = std::min(255.0f, grass[c] * light);
    }
    // Where along the blend the green channel lies decides red and blue.
    const float a = std::clamp((rgb[1] - lo[1]) / (hi[1] - lo[1]), 0.0f, 1.0f);
    for (int c = 0; c < 3; ++c) {
        if (std::fabs(rgb[c] - (lo[c] + a * (hi[c] - lo[c]))) > 5.0f)
            return false;
    }
    return true;
}

using ShadowRender = SharedViewWindowTest<WIDTH, HEIGHT>;

// A command of the Options menu that picks a shadow mode.
using Command = void (CKVX_DemoView::*)();

// A pixel is checked only when every pixel within MARGIN sees the same, so
// that the map's resolution and filtering at edges do not count.
constexpr int MARGIN = 4;

struct GroundCheck {
    int lit = 0, shadowed = 0, litWrong = 0, shadowedWrong = 0;
};

GroundCheck CheckGround(const std::vector<unsigned char>& pixels, const CKVX_DemoView& view) {
    const Camera& eye = view.m_eyeCamera;
    const gmtl::Vec3f& light = view.m_lightCamera.m_position;
    std::vector<Seen> seen(WIDTH * HEIGHT);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x)
            seen[y * WIDTH + x] = Classify(eye, light, x, y);
    }
    GroundCheck check;
    for (int y = MARGIN + 40; y < HEIGHT - MARGIN; ++y) {  // rows above 40 hold the HUD
        for (int x = MARGIN; x < WIDTH - MARGIN; ++x) {
            const Seen s = seen[y * WIDTH + x];
            if (s != Seen::LitGround && s != Seen::ShadowedGround)
                continue;
            bool uniform = true;
            for (int dy = -MARGIN; dy <= MARGIN && uniform; ++dy) {
                for (int dx = -MARGIN; dx <= MARGIN; ++dx) {
                    if (seen[(y + dy) * WIDTH + x + dx] != s)
                        uniform = false;
                }
            }
            if (!uniform)
                continue;
            // The light is nearly straight above the small ground area seen.
            const bool shadowed = s == Seen::ShadowedGround;
            const bool ok = MatchesGround(&pixels[(y * WIDTH + x) * 3], shadowed, 0.99f);
            (shadowed ? check.shadowed : check.lit)++;
            if (!ok)
                (shadowed ? check.shadowedWrong : check.litWrong)++;
        }
    }
    return check;
}

TEST_F(ShadowRender, ShadowsFallWhereTheRayTestSaysInEveryMode) {
    const struct {
        const char* name;
        Command command;
    } modes[] = {{"KVX High Quality", &CKVX_DemoView::OnShadowKVXHighQuality},
                 {"KVX", &CKVX_DemoView::OnShadowKVX},
                 {"SSM", &CKVX_DemoView::OnShadowSSM}};
    for (const auto& mode : modes) {
        (window->view.*mode.command)();
        const GroundCheck c = CheckGround(window->RenderAndRead(), window->view);
        SCOPED_TRACE(mode.name);
        EXPECT_GT(c.shadowed, 100);
        EXPECT_GT(c.lit, 1000);
        // A handful of pixels may sit on a map texel straddling an edge.
        EXPECT_LE(c.shadowedWrong, c.shadowed / 100) << "of " << c.shadowed;
        EXPECT_LE(c.litWrong, c.lit / 100) << "of " << c.lit;
    }
}

// Ground pixels next to a shadow edge whose colour lies strictly between the
// shadowed and the lit level: the filtered test blends the edge.
int BlendedEdgePixels(const std::vector<unsigned char>& pixels, const CKVX_DemoView& view) {
    const Camera& eye = view.m_eyeCamera;
    const gmtl::Vec3f& light = view.m_lightCamera.m_position;
    int blended = 0;
    for (int y = 41; y < HEIGHT - 1; ++y) {
        for (int x = 1; x < WIDTH - 1; ++x) {
            const Seen s = Classify(eye, light, x, y);
            if (s != Seen::LitGround && s != Seen::ShadowedGround)
                continue;
            const Seen right = Classify(eye, light, x + 1, y);
            const Seen up = Classify(eye, light, x, y + 1);
            const bool edge = (right == Seen::LitGround || right == Seen::ShadowedGround) &&
                              (up == Seen::LitGround || up == Seen::ShadowedGround) &&
                              (right != s || up != s);
            if (!edge)
                continue;
            const unsigned char* rgb = &pixels[(y * WIDTH + x) * 3];
            if (!MatchesGround(rgb, true, 0.99f) && !MatchesGround(rgb, false, 0.99f))
                ++blended;
        }
    }
    return blended;
}

TEST_F(ShadowRender, FiveTapFilterBlendsTheEdges) {
    window->view.OnShadowKVX();
    const int single = BlendedEdgePixels(window->RenderAndRead(), window->view);
    window->view.OnShadowKVXHighQuality();
    const int filtered = BlendedEdgePixels(window->RenderAndRead(), window->view);
    EXPECT_GT(filtered, 20);
    EXPECT_GT(filtered, single);
}

// Texels of the depth map that hold geometry (the boxes; the ground casts
// no shadow and is not drawn there).
int CoveredTexels(const std::vector<float>& depth) {
    return static_cast<int>(
        std::count_if(depth.begin(), depth.end(), [](float d) { return d < 1.0f; }));
}

TEST_F(ShadowRender, WarpedMapGivesTheViewedRegionMoreTexels) {
    window->view.OnShadowSSM();
    window->RenderAndRead();
    const std::vector<float> standard = window->ReadDepthMap();
    window->view.OnShadowKVXHighQuality();
    window->RenderAndRead();
    const std::vector<float> warped = window->ReadDepthMap();

    EXPECT_NE(standard, warped);
    const int ssm = CoveredTexels(standard);
    const int kvx = CoveredTexels(warped);
    RecordProperty("ssm_texels", ssm);
    RecordProperty("kvx_texels", kvx);
    EXPECT_GT(ssm, 1000);
    EXPECT_GT(kvx, 4 * ssm);
}

// Texels where two depth maps differ.
int DifferingTexels(const std::vector<float>& a, const std::vector<float>& b) {
    int differing = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        differing += a[i] != b[i];
    return differing;
}

// The depth pass hands over only the texels its casters can reach, clearing
// only where the frame before drew. Through frames that move the casters
// across the map (the eye around the scene, the light lower, the modes in
// turn), each frame's map must equal the same frame handed over whole, which
// is what follows a capture that names no area.
TEST_F(ShadowRender, EachFramesDepthMapIsCompleteWhateverCameBefore) {
    const struct {
        const char* name;
        Command mode;
        float eye[3];    // elevation, azimuth, distance
        float light[3];  // likewise
    } frames[] = {
        {"KVX at start-up", &CKVX_DemoView::OnShadowKVX, {20, -135, 160}, {90, -135, 1200}},
        {"KVX from the other side", &CKVX_DemoView::OnShadowKVX, {20, 45, 160}, {90, -135, 1200}},
        {"SSM", &CKVX_DemoView::OnShadowSSM, {20, 45, 160}, {90, -135, 1200}},
        {"KVX, light low", &CKVX_DemoView::OnShadowKVX, {35, -60, 90}, {40, 30, 1000}},
        {"KVX High Quality, eye close",
         &CKVX_DemoView::OnShadowKVXHighQuality,
         {60, 150, 40},
         {40, 30, 1000}},
        {"KVX back at start-up", &CKVX_DemoView::OnShadowKVX, {20, -135, 160}, {90, -135, 1200}},
    };
    CKVX_DemoView& view = window->view;
    // A view's first frame reaches the texture by a copy from the pbuffer,
    // which rounds depth values; the frames after it render into a texture.
    window->RenderAndRead();
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.name);
        (view.*frame.mode)();
        view.m_fEyeElevation = frame.eye[0];
        view.m_fEyeAzimuth = frame.eye[1];
        view.m_fEyeDistance = -frame.eye[2];
        view.m_eyeCamera.SetView(frame.eye[0], frame.eye[1], frame.eye[2]);
        view.m_lightCamera.SetView(frame.light[0], frame.light[1], frame.light[2]);
        window->RenderAndRead();
        const std::vector<float> handedOver = window->ReadDepthMap();

        view.m_pDepthTarget->BeginCapture(nullptr);
        view.m_pDepthTarget->EndCapture();
        window->RenderAndRead();
        const std::vector<float> whole = window->ReadDepthMap();
        EXPECT_GT(CoveredTexels(whole), 100);
        EXPECT_EQ(DifferingTexels(handedOver, whole), 0);
    }
}

// A main window smaller than its menu bar leaves the view no height, or less than none: the
// frames raise no OpenGL error then, and the eye keeps the projection it had, so the picture is
// right again once the window grows.
TEST_F(ShadowRender, AViewWithoutAreaDrawsWithoutErrors) {
    CKVX_DemoView& view = window->view;
    window->make_current();
    while (glGetError() != GL_NO_ERROR) {
    }
    const auto projection = [&view] {
        const float* m = view.m_eyeCamera.m_matProjection.mData;
        return std::vector<float>(m, m + 16);
    };
    const std::vector<float> before = projection();
    const int sizes[][2] = {{WIDTH, 0}, {0, HEIGHT}, {WIDTH, -24}, {-1, -24}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        view.OnSize(size[0], size[1]);
        view.OnPaint();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(projection(), before);
    }
    view.OnSize(WIDTH, HEIGHT);
}

}  // namespace
