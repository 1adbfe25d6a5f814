#include "app/live_view_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "measure/colour_ramp.h"

namespace {

constexpr int MAP_SIZE = 1500;
constexpr int TEXT_ROWS = 16;  // a line of the keys' text

const std::vector<OutlineKey> LEGEND = {{{255, 200, 0}, "the eye frustum"},
                                        {{230, 40, 40}, "the trapezoid (map's edge)"}};

bool Inside(const WindowRect& r, int w, int h) {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 && r.x + r.width <= w &&
           r.y + r.height <= h;
}

bool Overlap(const WindowRect& a, const WindowRect& b) {
    return a.width > 0 && b.width > 0 && a.x < b.x + b.width && b.x < a.x + a.width &&
           a.y < b.y + b.height && b.y < a.y + a.height;
}

std::vector<std::string> Texts(const std::vector<KeyText>& texts) {
    std::vector<std::string> all;
    for (const KeyText& t : texts)
        all.push_back(t.text);
    return all;
}

// The top of the line showing text, counted from the window's top; -1 when it is not shown.
int TopOf(const std::vector<KeyText>& texts, const std::string& text) {
    for (const KeyText& t : texts) {
        if (t.text == text)
            return t.top;
    }
    return -1;
}

// At the default size the key shows every octave's value at the right edge, above the inset
// and its legend, 1/8 at the foot and 8 at the head; the legend sits on the inset.
TEST(LiveViewKeys, TheDefaultViewShowsTheWholeKeyAboveTheInset) {
    const InsetLayout inset = PlaceInset(800, 600, MAP_SIZE, "KVX High Quality", LEGEND);
    EXPECT_EQ(inset.picture.width, 214);
    EXPECT_EQ(inset.panel.y, inset.picture.y + inset.picture.height);
    EXPECT_EQ(inset.panel.x + inset.panel.width, 790);
    EXPECT_EQ(Texts(inset.texts), (std::vector<std::string>{"KVX High Quality", "the eye frustum",
                                                            "the trapezoid (map's edge)"}));
    ASSERT_EQ(inset.swatches.size(), 2u);
    EXPECT_EQ(inset.swatches[0].colour.g, 200);

    const HeatKeyLayout key = PlaceHeatKey(800, 600, AboveInset(inset));
    ASSERT_GT(key.panel.width, 0);
    EXPECT_EQ(key.panel.x + key.panel.width, 790);
    EXPECT_GE(key.panel.y, AboveInset(inset));
    EXPECT_GE(key.bar.height, 200);
    for (const char* value : {"1/8", "1/4", "1/2", "1", "2", "4", "8"})
        EXPECT_GE(TopOf(key.texts, value), 0) << value;
    EXPECT_GT(TopOf(key.texts, "1/8"), TopOf(key.texts, "1"));
    EXPECT_GT(TopOf(key.texts, "1"), TopOf(key.texts, "8"));
    EXPECT_LT(TopOf(key.texts, "texels"), TopOf(key.texts, "8"));
}

// Whatever the view's size, the keys stay inside it, clear of each other, and are left out
// where they have no room; a shorter key keeps its ends' values and spaces the others.
TEST(LiveViewKeys, EverySizeKeepsTheKeysInsideTheViewAndApart) {
    const struct {
        int w, h;
        bool key, legend;  // shown with the inset on
    } cases[] = {
        {1600, 1000, true, true}, {800, 600, true, true},  {400, 300, true, true},
        {320, 240, false, true},  {800, 200, false, true}, {160, 120, false, false},
        {40, 30, false, false},   {3, 3, false, false},    {1, 1, false, false},
    };
    for (const auto& c : cases) {
        const std::string size = std::to_string(c.w) + "x" + std::to_string(c.h);
        const InsetLayout inset = PlaceInset(c.w, c.h, MAP_SIZE, "CSM stable", LEGEND);
        EXPECT_EQ(inset.panel.width > 0, c.legend) << size;
        for (bool insetShown : {false, true}) {
            const HeatKeyLayout key = PlaceHeatKey(c.w, c.h, insetShown ? AboveInset(inset) : 0);
            if (insetShown) {
                EXPECT_EQ(key.panel.width > 0, c.key) << size;
                EXPECT_FALSE(Overlap(key.panel, inset.panel)) << size;
                EXPECT_FALSE(Overlap(key.panel, inset.picture)) << size;
            }
            if (key.panel.width == 0) {
                EXPECT_TRUE(key.texts.empty()) << size;
                continue;
            }
            EXPECT_TRUE(Inside(key.panel, c.w, c.h)) << size;
            EXPECT_TRUE(Inside(key.bar, c.w, c.h)) << size;
            EXPECT_GE(TopOf(key.texts, "1/8"), 0) << size;
            EXPECT_GE(TopOf(key.texts, "8"), 0) << size;
            std::vector<int> tops;
            for (const KeyText& t : key.texts) {
                EXPECT_GE(t.top, 0) << size << " " << t.text;
                EXPECT_LE(t.top + TEXT_ROWS, c.h) << size << " " << t.text;
                if (t.text.find_first_of("0123456789") == 0)
                    tops.push_back(t.top);
            }
            std::sort(tops.begin(), tops.end());
            for (std::size_t i = 1; i < tops.size(); ++i)
                EXPECT_GE(tops[i] - tops[i - 1], 13) << size;
        }
        if (inset.panel.width > 0) {
            EXPECT_TRUE(Inside(inset.panel, c.w, c.h)) << size;
            for (const KeySwatch& s : inset.swatches)
                EXPECT_TRUE(Inside(s.place, c.w, c.h)) << size;
        }
    }
}

// With the inset off, a window too short for the key beside the inset still shows it.
TEST(LiveViewKeys, WithoutTheInsetTheKeyHasTheWholeEdge) {
    const HeatKeyLayout key = PlaceHeatKey(320, 240, 0);
    ASSERT_GT(key.panel.width, 0);
    EXPECT_GE(key.bar.height, 100);
    EXPECT_EQ(key.texts.size(), 2u + 7u);  // the caption and every octave
}

// The bar is the ramp: red at its foot (1/8 texels per pixel), green at one texel per pixel
// halfway up, blue at its head.
TEST(LiveViewKeys, TheBarIsTheHeatColoursRamp) {
    const RgbImage bar = HeatKeyBar(3, 61);
    const auto same = [](Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    EXPECT_TRUE(same(bar.Get(0, 0), DensityColour(0.125f)));
    EXPECT_TRUE(same(bar.Get(2, 30), DensityColour(1.0f)));
    EXPECT_TRUE(same(bar.Get(1, 60), DensityColour(8.0f)));
    EXPECT_TRUE(same(bar.Get(1, 50), DensityColour(4.0f)));
}

}  // namespace
