#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "measure/colour_ramp.h"
#include "measure/map_picture.h"
#include "measure/shadow_term_picture.h"
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

// Shadowed to lit as black to white where the frame shows a surface, the
// sky's grey elsewhere; terms beyond 0 to 1 (a filter's rounding) clamped.
TEST(ShadowTermPicture, GreysWhereShownAndTheSkyElsewhere) {
    PixelGrid<float> term(5, 1);
    term.values = {0.0f, 0.5f, 1.0f, 1.2f, 0.7f};
    PixelGrid<uint8_t> shown(5, 1, 1);
    shown.values[4] = 0;
    const RgbImage image = ShadowTermPicture(term, shown);
    const Rgb expected[] = {
        {0, 0, 0}, {128, 128, 128}, {255, 255, 255}, {255, 255, 255}, {40, 40, 40}};
    for (int x = 0; x < 5; ++x)
        EXPECT_TRUE(Same(image.Get(x, 0), expected[x])) << x;
}

}  // namespace

// The inset's legend names every colour its outlines are drawn in, and no
// other, for every parametrisation, the standard map's trapezoid included.
TEST(MapPictureLegend, NamesEveryColourOfTheOutlines) {
    Camera eye, light;
    PlaceStartUpCameras(eye, light);
    const ShadowSetup single = SingleMapSetup(gmtl::Matrix44f(), eye);
    const std::vector<Point2D> trapezoid = {Point2D(-0.5f, -1), Point2D(0.5f, -1), Point2D(1, 1),
                                            Point2D(-1, 1)};
    const struct {
        Parametrisation shown;
        ShadowSetup setup;
        std::vector<Point2D> trapezoid;
    } cases[] = {
        {PARAM_SSM, single, trapezoid},
        {PARAM_KVX, single, {}},
        {PARAM_LISPSM, single, {}},
        {PARAM_CSM, CascadeSetup(eye, light), {}},
        {PARAM_CSM_STABLE, StableCascadeSetup(eye, light, 1500), {}},
    };
    const auto key = [](Rgb c) { return (c.r << 16) | (c.g << 8) | c.b; };
    for (const auto& c : cases) {
        std::set<int> drawn, named;
        for (const MapOutline& o : MapPictureOutlines(300, 5, eye, light, c.setup, c.trapezoid))
            drawn.insert(key(o.colour));
        const std::vector<OutlineKey> legend = MapPictureLegend(c.shown, !c.trapezoid.empty());
        for (const OutlineKey& k : legend) {
            named.insert(key(k.colour));
            EXPECT_FALSE(k.what.empty());
        }
        EXPECT_EQ(named, drawn) << ParametrisationLabel(c.shown);
        EXPECT_EQ(named.size(), legend.size()) << ParametrisationLabel(c.shown);
    }
    EXPECT_EQ(MapPictureLegend(PARAM_SSM, true)[1].what, "KVX's trapezoid");
    EXPECT_EQ(MapPictureLegend(PARAM_CSM, false)[1].what, "the cascades' tiles");
}

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
