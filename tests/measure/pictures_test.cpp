#include <gtest/gtest.h>

#include <limits>

#include "measure/colour_ramp.h"
#include "measure/map_picture.h"
#include "tests/support/start_up_cameras.h"
#include "warp/shadow_setup.h"

namespace {

bool Same(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

TEST(DensityColour, RunsFromRedThroughGreenToBlue) {
    struct Case {
        float density;
        Rgb colour;
    } cases[] = {
        {0.0f, {255, 0, 0}}, {0.05f, {255, 0, 0}},  {0.125f, {255, 0, 0}}, {0.5f, {255, 255, 0}},
        {1.0f, {0, 204, 0}}, {2.0f, {0, 255, 255}}, {8.0f, {0, 0, 255}},   {100.0f, {0, 0, 255}},
    };
    for (const Case& c : cases) {
        const Rgb got = DensityColour(c.density);
        EXPECT_TRUE(Same(got, c.colour))
            << c.density << ": " << int(got.r) << "," << int(got.g) << "," << int(got.b);
    }
    // Between stops the colour is blended: halfway from green to cyan.
    const Rgb mid = DensityColour(1.41421356f);
    EXPECT_EQ(mid.r, 0);
    EXPECT_NEAR(mid.b, 128, 1);
}

TEST(DensityHeatmap, PixelsWithoutAFigureAreGrey) {
    PixelGrid<float> d(2, 1, std::numeric_limits<float>::quiet_NaN());
    d.values[1] = 1.0f;
    const RgbImage image = DensityHeatmap(d);
    EXPECT_TRUE(Same(image.Get(0, 0), {40, 40, 40}));
    EXPECT_TRUE(Same(image.Get(1, 0), {0, 204, 0}));
}

TEST(DepthMapPicture, StretchesTheDrawnDepthsOverTheGreys) {
    const std::vector<float> depth = {1.0f, 0.9f, 0.95f, 0.8f};
    const RgbImage image = DepthMapPicture(depth, 2, 2);
    EXPECT_TRUE(Same(image.Get(0, 0), {0, 0, 0}));        // nothing drawn
    EXPECT_TRUE(Same(image.Get(1, 1), {255, 255, 255}));  // nearest
    EXPECT_TRUE(Same(image.Get(0, 1), {60, 60, 60}));     // farthest
    EXPECT_EQ(image.Get(1, 0).r, 125);                    // a third of the way
}

TEST(DrawMapOutline, DrawsTheEdgesInsideThePictureOnly) {
    RgbImage image(11, 11);
    const Rgb red = {255, 0, 0};
    // A square from map -0.5 to 0.5 (pixels 2.25 to 7.75) and one far
    // outside, whose edges cross the picture.
    DrawMapOutline(
        image,
        {Point2D(-0.5f, -0.5f), Point2D(0.5f, -0.5f), Point2D(0.5f, 0.5f), Point2D(-0.5f, 0.5f)},
        red, 1);
    EXPECT_TRUE(Same(image.Get(5, 2), red));
    EXPECT_TRUE(Same(image.Get(8, 5), red));
    EXPECT_TRUE(Same(image.Get(5, 5), {0, 0, 0}));
    DrawMapOutline(image, {Point2D(-1e6f, 0), Point2D(1e6f, 0), Point2D(1e6f, 1e6f)}, red, 1);
    for (int x = 0; x < 11; ++x)
        EXPECT_TRUE(Same(image.Get(x, 5), red)) << x;
}

}  // namespace

// The live inset's picture: every fifth texel of an empty 1500-texel map,
// with the cascades' quarters edged in red and their slices of the eye
// frustum in yellow inside them.
TEST(OutlinedMapPicture, EveryStepTexelWithTheCascadesOutlined) {
    Camera eye, light;
    PlaceStartUpCameras(eye, light);
    const std::vector<float> empty(1500 * 1500, 1.0f);
    const RgbImage image =
        OutlinedMapPicture(empty, 1500, 5, eye, light, CascadeSetup(eye, light), {});
    ASSERT_EQ(image.width, 300);
    ASSERT_EQ(image.height, 300);
    const Rgb red = {230, 40, 40};
    int redOnCentreLines = 0, yellow = 0;
    for (int i = 0; i < 300; ++i) {
        for (int x : {148, 149, 150, 151})
            redOnCentreLines += Same(image.Get(x, i), red) ? 1 : 0;
        for (int x = 0; x < 300; ++x)
            yellow += Same(image.Get(x, i), {255, 200, 0}) ? 1 : 0;
    }
    EXPECT_GT(redOnCentreLines, 250);                  // the edges between the left and right tiles
    EXPECT_GT(yellow, 4 * 300);                        // four slices, each across its tile
    EXPECT_TRUE(Same(image.Get(75, 100), {0, 0, 0}));  // nothing drawn in the map
}
