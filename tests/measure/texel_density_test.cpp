#include "measure/texel_density.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "measure/percentiles.h"
#include "tests/measure/plane_lookups.h"
#include "tests/support/start_up_cameras.h"
#include "warp/trapezoid_fit.h"

namespace {

// A grid whose every pixel is visible and looks up map(x, y).
PixelGrid<TexelLookup> Grid(int w, int h,
                            const std::function<void(float, float, float&, float&)>& map) {
    PixelGrid<TexelLookup> g(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            TexelLookup& l = g.at(x, y);
            map(static_cast<float>(x), static_cast<float>(y), l.s, l.t);
            l.visible = true;
        }
    }
    return g;
}

TEST(TexelsPerPixel, LinearMapsGiveTheRootOfTheirDeterminant) {
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    struct Case {
        const char* name;
        std::function<void(float, float, float&, float&)> map;
        float expected;
    } cases[] = {
        {"identity", [](float x, float y, float& u, float& v) { u = x, v = y; }, 1.0f},
        {"uniform scale 3", [](float x, float y, float& u, float& v) { u = 3 * x, v = 3 * y; },
         3.0f},
        {"shrink to a quarter",
         [](float x, float y, float& u, float& v) { u = x / 4 + 7, v = y / 4 - 2; }, 0.25f},
        {"anisotropic 2 by 8", [](float x, float y, float& u, float& v) { u = 2 * x, v = 8 * y; },
         4.0f},
        {"rotated and scaled by 2",
         [&](float x, float y, float& u, float& v) {
             u = 2 * (c * x - s * y), v = 2 * (s * x + c * y);
         },
         2.0f},
        {"mirrored", [](float x, float y, float& u, float& v) { u = -x, v = y; }, 1.0f},
        {"sheared", [](float x, float y, float& u, float& v) { u = x + 5 * y, v = y; }, 1.0f},
    };
    for (const Case& k : cases) {
        const PixelGrid<float> d = TexelsPerPixel(Grid(6, 5, k.map));
        for (float v : d.values)
            EXPECT_NEAR(v, k.expected, 1e-4f) << k.name;
    }
}

// Where a pixel's neighbour on one side shows another surface (a jump in
// the lookups), the difference is taken to the other side.
TEST(TexelsPerPixel, SilhouettesDoNotCountAsJumps) {
    PixelGrid<TexelLookup> g = Grid(8, 4, [](float x, float y, float& u, float& v) {
        u = 2 * x + (x >= 4 ? 500.0f : 0.0f);
        v = 2 * y;
    });
    const PixelGrid<float> d = TexelsPerPixel(g);
    for (float v : d.values)
        EXPECT_NEAR(v, 2.0f, 1e-4f);
}

TEST(TexelsPerPixel, PixelsWithoutTheSceneOrANeighbourHaveNoFigure) {
    PixelGrid<TexelLookup> g =
        Grid(5, 5, [](float x, float y, float& u, float& v) { u = x, v = y; });
    for (TexelLookup& l : g.values)
        l.visible = false;
    g.at(2, 2).visible = true;  // alone: no neighbour on either axis
    g.at(0, 0).visible = true;  // with a neighbour along x only
    g.at(1, 0).visible = true;
    const PixelGrid<float> d = TexelsPerPixel(g);
    for (float v : d.values)
        EXPECT_TRUE(std::isnan(v));

    g.at(0, 1).visible = true;  // now (0, 0) has both
    EXPECT_NEAR(TexelsPerPixel(g).at(0, 0), 1.0f, 1e-6f);
}

// The synthetic scene with a known answer: the ground seen straight down
// from the eye, the light straight above, the standard map.
TEST(TexelsPerPixel, OverheadGroundMatchesTheClosedForm) {
    struct Case {
        float eyeHeight, lightHeight;
        int width, height;
    } cases[] = {{160, 1200, 320, 240}, {60, 1200, 400, 300}, {200, 800, 160, 160}};
    for (const Case& k : cases) {
        Camera eye, light;
        eye.SetPerspective(60, static_cast<float>(k.width) / k.height, 1, 380);
        eye.SetView(90, -135, k.eyeHeight);
        light.SetPerspective(60, 1, 500, 2000);
        light.SetView(90, -135, k.lightHeight);
        const PixelGrid<float> d =
            TexelsPerPixel(PlaneLookups(eye, light, gmtl::Matrix44f(), k.width, k.height, 1500));
        const DensitySummary s = SummariseDensity(d);
        const double expected = OverheadTexelsPerPixel(k.eyeHeight, k.lightHeight, k.height, 1500);
        EXPECT_EQ(s.pixels, static_cast<size_t>(k.width) * k.height);
        EXPECT_NEAR(s.p10, expected, expected * 2e-3);
        EXPECT_NEAR(s.p90, expected, expected * 2e-3);
    }
}

// A slanted view over the ground from the start-up placements: the warped
// map gives the pixels near the eye more texels than the standard one.
TEST(TexelsPerPixel, TheWarpedMapGivesTheNearGroundMoreTexels) {
    Camera eye, light;
    PlaceStartUpCameras(eye, light);
    gmtl::Matrix44f nt;
    ComputeTrapezoidMatrix(nt, eye, light, 160, 80, 1024);
    const DensitySummary ssm = SummariseDensity(
        TexelsPerPixel(PlaneLookups(eye, light, gmtl::Matrix44f(), 320, 240, 1500)));
    const DensitySummary kvx =
        SummariseDensity(TexelsPerPixel(PlaneLookups(eye, light, nt, 320, 240, 1500)));
    EXPECT_EQ(ssm.pixels, kvx.pixels);
    EXPECT_GT(kvx.p50, 2.0 * ssm.p50);
    EXPECT_GT(kvx.p10, ssm.p10);
}

}  // namespace
