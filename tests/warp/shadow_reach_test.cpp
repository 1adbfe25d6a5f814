#include "warp/shadow_reach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/warp/box_of.h"

namespace {

constexpr int SIZE = 200;

// A light looking down -z: w = -z, depth -1 at z = -1 and 1 at z = -100.
gmtl::Matrix44f LightPerspective() {
    gmtl::Matrix44f m;
    const float n = 1.0f, f = 100.0f;
    m(2, 2) = -(f + n) / (f - n);
    m(2, 3) = -2.0f * f * n / (f - n);
    m(3, 2) = -1.0f;
    m(3, 3) = 0.0f;
    m.setState(gmtl::Matrix44f::FULL);
    return m;
}

// A warp of the light's clip coordinates in the plane of the map, as N_T is.
gmtl::Matrix44f Warp() {
    gmtl::Matrix44f m;
    m(0, 1) = 0.3f;
    m(1, 0) = -0.2f;
    m(3, 0) = 0.05f;
    m.setState(gmtl::Matrix44f::FULL);
    return m;
}

bool Kept(const gmtl::AABoxf& box, const std::vector<TexelRect>& casters) {
    const gmtl::Matrix44f light = LightPerspective();
    return BoxesInShadowReach(light, light, {box}, casters, SIZE, SIZE).front();
}

// One caster in the middle of the map, texels 90 to 109 each way. At z = -10
// a unit of x or y is 10 texels.
TEST(BoxesInShadowReach, Cases) {
    const std::vector<TexelRect> middle = {{90, 90, 110, 110}};
    const struct {
        const char* name;
        gmtl::AABoxf box;
        std::vector<TexelRect> casters;
        bool kept;
    } cases[] = {
        {"under the caster", Box(-0.5f, -0.5f, -10, 0.5f, 0.5f, -9), middle, true},
        {"far from it", Box(6, 6, -10, 8, 8, -9), middle, false},
        {"no casters", Box(-0.5f, -0.5f, -10, 0.5f, 0.5f, -9), {}, false},
        {"an empty caster", Box(-0.5f, -0.5f, -10, 0.5f, 0.5f, -9), {{5, 5, 5, 9}}, false},
        // Texels 115 to 124 plus the rounding margin of 4: 111 and up, within
        // the caster's two texels of filter reach.
        {"beside it, within the filter's reach", Box(1.5f, -0.5f, -10, 2.5f, 0.5f, -9), middle,
         true},
        {"beside it, out of reach", Box(2.0f, -0.5f, -10, 3.0f, 0.5f, -9), middle, false},
        {"behind the light", Box(6, 6, -10, 8, 8, 1), middle, true},
        {"beyond the far plane", Box(60, 60, -120, 70, 70, -90), middle, true},
        {"off the map", Box(20, 20, -10, 30, 30, -9), middle, true},
        {"empty", gmtl::AABoxf(), middle, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Kept(c.box, c.casters), c.kept) << c.name;
}

// A point's texel in the map, the way the scene pass's lookup finds it.
bool TexelOf(const gmtl::Matrix44f& mapClip, const gmtl::Vec3f& p, float& x, float& y) {
    const gmtl::Vec4f clip = mapClip * gmtl::Vec4f(p[0], p[1], p[2], 1.0f);
    if (!(clip[3] > 0.0f))
        return false;
    x = (clip[0] / clip[3] + 1.0f) * 0.5f * SIZE;
    y = (clip[1] / clip[3] + 1.0f) * 0.5f * SIZE;
    return true;
}

// Random casters and receivers under a warped light: whenever a point of a
// receiver that lies on the map looks up a texel a caster's rectangle holds
// (or one the filter and the five lookups' offsets reach from it, 1.75
// texels), the receiver keeps its lookup. Receivers are also dropped often
// enough that the test sees both answers.
TEST(BoxesInShadowReach, KeepsEveryReceiverACasterCanShade) {
    const gmtl::Matrix44f light = LightPerspective();
    const gmtl::Matrix44f mapClip = Warp() * light;
    std::mt19937 random(11);
    std::uniform_real_distribution<float> across(-12.0f, 12.0f), deep(-60.0f, -5.0f),
        size(0.2f, 4.0f), unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> texel(0, SIZE - 1), extent(1, 30);
    int dropped = 0, kept = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<TexelRect> casters;
        for (int i = 0; i < 3; ++i) {
            const int x = texel(random), y = texel(random);
            casters.push_back({x, y, x + extent(random), y + extent(random)});
        }
        const gmtl::Vec3f low(across(random), across(random), deep(random));
        const gmtl::AABoxf box(low, low + gmtl::Vec3f(size(random), size(random), size(random)));
        const bool inReach = BoxesInShadowReach(mapClip, light, {box}, casters, SIZE, SIZE)[0];
        (inReach ? kept : dropped) += 1;
        if (inReach)
            continue;
        for (int sample = 0; sample < 200; ++sample) {
            const gmtl::Vec3f p =
                box.getMin() + gmtl::Vec3f(unit(random) * (box.getMax()[0] - low[0]),
                                           unit(random) * (box.getMax()[1] - low[1]),
                                           unit(random) * (box.getMax()[2] - low[2]));
            float x = 0.0f, y = 0.0f;
            ASSERT_TRUE(TexelOf(mapClip, p, x, y));
            for (const TexelRect& c : casters) {
                const bool reached =
                    x > c.x0 - 1.75f && x < c.x1 + 1.75f && y > c.y0 - 1.75f && y < c.y1 + 1.75f;
                ASSERT_FALSE(reached) << "trial " << trial << ": texel " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(dropped, 100);
    EXPECT_GT(kept, 100);
}

}  // namespace
