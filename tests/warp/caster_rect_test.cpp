#include "warp/caster_rect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tests/warp/box_of.h"

namespace {

constexpr int SIZE = 100;

// A GL-style perspective seen down -z: w = -z.
gmtl::Matrix44f Perspective() {
    gmtl::Matrix44f m;
    m(2, 2) = -1.01f;
    m(2, 3) = -0.2f;
    m(3, 2) = -1.0f;
    m(3, 3) = 0.0f;
    m.setState(gmtl::Matrix44f::FULL);
    return m;
}

TEST(MapRectOfBox, Cases) {
    gmtl::Matrix44f notFinite;
    notFinite(0, 0) = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        gmtl::Matrix44f toClip;
        gmtl::AABoxf box;
        TexelRect rect;
    } cases[] = {
        // (x + 1) / 2 * 100 with four texels either side.
        {"inside", gmtl::Matrix44f(), Box(-0.5f, -0.2f, 0, 0.5f, 0.2f, 1), {21, 36, 79, 64}},
        {"partly outside", gmtl::Matrix44f(), Box(0.5f, -3, 0, 5, 0.5f, 1), {71, 0, 100, 79}},
        {"outside", gmtl::Matrix44f(), Box(2, -0.5f, 0, 3, 0.5f, 1), {}},
        {"empty box", gmtl::Matrix44f(), gmtl::AABoxf(), {}},
        {"in front of the eye", Perspective(), Box(-1, -1, -4, 1, 1, -2), {21, 21, 79, 79}},
        {"reaching behind the eye", Perspective(), Box(-1, -1, -4, 1, 1, 1), WholeMap(SIZE, SIZE)},
        {"not finite", notFinite, Box(-0.5f, -0.5f, 0, 0.5f, 0.5f, 1), WholeMap(SIZE, SIZE)},
    };
    for (const auto& c : cases) {
        const TexelRect r = MapRectOfBox(c.toClip, c.box, SIZE, SIZE);
        EXPECT_TRUE(r == c.rect || (r.IsEmpty() && c.rect.IsEmpty()))
            << c.name << ": " << r.x0 << " " << r.y0 << " " << r.x1 << " " << r.y1;
    }
}

// Every point of a box in front of a projective map lands in the rectangle:
// the box's image is no wider than its corners' images.
TEST(MapRectOfBox, HoldsEveryPointOfTheBox) {
    gmtl::Matrix44f warp = Perspective();
    warp(0, 1) = 0.3f;
    warp(1, 0) = -0.2f;
    warp(3, 0) = 0.05f;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int b = 0; b < 50; ++b) {
        const float x = unit(random) * 4 - 2, y = unit(random) * 4 - 2, z = -2 - unit(random) * 6;
        const gmtl::AABoxf box = Box(x, y, z, x + unit(random), y + unit(random), z + 1);
        const TexelRect r = MapRectOfBox(warp, box, SIZE, SIZE);
        for (int p = 0; p < 200; ++p) {
            const gmtl::Vec4f point(x + unit(random) * (box.getMax()[0] - x),
                                    y + unit(random) * (box.getMax()[1] - y), z + unit(random), 1);
            const gmtl::Vec4f clip = warp * point;
            const int tx = static_cast<int>(std::floor((clip[0] / clip[3] + 1) * SIZE / 2));
            const int ty = static_cast<int>(std::floor((clip[1] / clip[3] + 1) * SIZE / 2));
            if (tx < 0 || tx >= SIZE || ty < 0 || ty >= SIZE)
                continue;
            EXPECT_TRUE(tx >= r.x0 && tx < r.x1 && ty >= r.y0 && ty < r.y1)
                << "box " << b << " point at texel " << tx << ", " << ty;
        }
    }
}

}  // namespace
