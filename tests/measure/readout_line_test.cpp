#include "measure/readout_line.h"

#include <gtest/gtest.h>

namespace {

// A picture of w x h pixels that looks the map up `scale` texels a pixel each
// way; the pixels of the left `hidden` columns show no scene.
PixelGrid<TexelLookup> ScaledLookups(int w, int h, float scale, int hidden) {
    PixelGrid<TexelLookup> g(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = hidden; x < w; ++x)
            g.at(x, y) = {scale * static_cast<float>(x), scale * static_cast<float>(y), true};
    }
    return g;
}

// The line names the mode, the median texels per pixel of the reduced
// picture scaled back to the window's pixels, and the coverage in percent;
// pixels without scene do not count.
TEST(ReadoutLine, MedianOfTheWindowsPixelsAndCoverageInPercent) {
    const struct {
        const char* label;
        float scale;
        int reduction, hidden;
        double coverage;
        const char* expected;
    } cases[] = {
        {"KVX", 2.0f, 4, 0, 0.125, "KVX: texels per pixel p50 0.50, map coverage 12.5%"},
        {"SSM", 3.0f, 1, 0, 1.0, "SSM: texels per pixel p50 3.00, map coverage 100.0%"},
        {"CSM", 6.0f, 4, 3, 0.0004, "CSM: texels per pixel p50 1.50, map coverage 0.0%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            ReadoutLine(c.label, ScaledLookups(8, 6, c.scale, c.hidden), c.reduction, c.coverage),
            c.expected);
    }
}

}  // namespace
