// The keys of the live views' pictures as a user sees them in the real
// window, driven from outside: the heat colours' ramp at the right edge, and
// the inset's legend naming its mode and the colours of its outlines.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/live_view_keys.h"
#include "measure/map_picture.h"
#include "tests/app/shown_window_test.h"

namespace {

constexpr int MENU_HEIGHT = 25;
constexpr int MAP_SIZE = 1500;

uint32_t Pixel(Rgb c) {
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
}

// The window's row of the view's pixel row y (counted from the view's foot, as OpenGL does).
int WindowRow(const Picture& picture, int y) {
    return picture.height - 1 - y;
}

int ViewHeight(const Picture& picture) {
    return picture.height - MENU_HEIGHT;
}

// The share of the key's bar, where the view places it, that shows the ramp's colours.
double BarShown(const Picture& picture, const HeatKeyLayout& key) {
    if (key.bar.width <= 0 || picture.pixels.empty())
        return 0.0;
    const RgbImage bar = HeatKeyBar(key.bar.width, key.bar.height);
    int same = 0;
    for (int y = 0; y < bar.height; ++y) {
        for (int x = 0; x < bar.width; ++x)
            same += picture.At(key.bar.x + x, WindowRow(picture, key.bar.y + y)) ==
                    Pixel(bar.Get(x, y));
    }
    return double(same) / (bar.width * bar.height);
}

// The share of the legend's swatches that show their outline's colour.
double SwatchesShown(const Picture& picture, const InsetLayout& inset) {
    int same = 0, all = 0;
    for (const KeySwatch& s : inset.swatches) {
        for (int y = s.place.y; y < s.place.y + s.place.height; ++y) {
            for (int x = s.place.x; x < s.place.x + s.place.width; ++x) {
                same += picture.At(x, WindowRow(picture, y)) == Pixel(s.colour);
                ++all;
            }
        }
    }
    return all == 0 ? 0.0 : double(same) / all;
}

// The text tesseract reads in a rectangle of the view, enlarged four times, as
// sparse text (which reads a short word alone on its line best).
std::string Read(const Picture& picture, const WindowRect& area) {
    constexpr int SCALE = 4;
    const std::string image = testing::TempDir() + "kvx-legend.ppm";
    {
        std::ofstream ppm(image, std::ios::binary);
        ppm << "P6\n" << area.width * SCALE << " " << area.height * SCALE << "\n255\n";
        for (int row = area.height * SCALE - 1; row >= 0; --row) {
            for (int column = 0; column < area.width * SCALE; ++column) {
                const uint32_t p =
                    picture.At(area.x + column / SCALE, WindowRow(picture, area.y + row / SCALE));
                ppm.put(char(p >> 16)).put(char(p >> 8)).put(char(p));
            }
        }
    }
    const ProgramRun ocr = RunProgram("/usr/bin/tesseract", {image, "stdout", "--psm", "11"}, ".");
    std::remove(image.c_str());
    return ocr.out;
}

class PictureKeys : public ShownWindowTest {
  protected:
    void Key(const char* key) { Xdotool({"key", "--window", std::to_string(m_window), key}); }
};

// H shows the ramp at the right edge and M the legend above the inset, the
// key then moving up to leave them room; the legend names the mode and each
// outline's colour; each goes again with its key.
TEST_F(PictureKeys, HeatColoursKeyAndInsetLegendComeAndGoWithTheirViews) {
    StartedProgram demo(KVX_DEMO, {"--batch"}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    // The sky is bright once the first frame is drawn.
    ASSERT_TRUE(WaitUntil([&] { return Brightness(Shot().At(400, MENU_HEIGHT + 60)) > 600; }, 60));
    const Picture first = Shot();
    const int w = first.width, h = ViewHeight(first);
    const HeatKeyLayout alone = PlaceHeatKey(w, h, 0);
    ASSERT_GT(alone.panel.width, 0);
    EXPECT_LT(BarShown(first, alone), 0.05);

    Key("h");
    EXPECT_TRUE(WaitUntil([&] { return BarShown(Shot(), alone) > 0.95; }, 30))
        << "no colour key at the right edge";

    const auto legend = [](Parametrisation shown) { return MapPictureLegend(shown, false); };
    const InsetLayout hq = PlaceInset(w, h, MAP_SIZE, "KVX High Quality", legend(PARAM_KVX));
    const HeatKeyLayout above = PlaceHeatKey(w, h, AboveInset(hq));
    Key("m");
    Picture both;
    EXPECT_TRUE(WaitUntil(
        [&] {
            both = Shot();
            return SwatchesShown(both, hq) > 0.95 && BarShown(both, above) > 0.95;
        },
        30))
        << "no legend above the inset, or the key not above it";
    const std::string read = Read(both, hq.panel);
    EXPECT_NE(read.find("KVX High Quality"), std::string::npos) << read;
    EXPECT_NE(read.find("eye frustum"), std::string::npos) << read;

    // The cascades: their own name and tiles.
    Key("c");
    const InsetLayout csm =
        PlaceInset(w, h, MAP_SIZE, ParametrisationLabel(PARAM_CSM), legend(PARAM_CSM));
    Picture cascades;
    EXPECT_TRUE(WaitUntil(
        [&] {
            cascades = Shot();
            return SwatchesShown(cascades, csm) > 0.95 && BarShown(cascades, above) > 0.95;
        },
        30));
    const std::string tiles = Read(cascades, csm.panel);
    EXPECT_NE(tiles.find("CSM"), std::string::npos) << tiles;
    EXPECT_NE(tiles.find("tiles"), std::string::npos) << tiles;

    Key("h");
    Key("m");
    EXPECT_TRUE(WaitUntil(
        [&] {
            const Picture off = Shot();
            return BarShown(off, above) < 0.05 && SwatchesShown(off, csm) < 0.05;
        },
        30))
        << "the key or the legend stayed";
    demo.Signal(SIGTERM);
    demo.Wait(20);
}

}  // namespace
