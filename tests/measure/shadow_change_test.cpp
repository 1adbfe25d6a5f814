#include "measure/shadow_change.h"

#include <gtest/gtest.h>

#include "math/camera.h"

namespace {

PixelGrid<float> Terms(std::vector<float> v) {
    PixelGrid<float> g(static_cast<int>(v.size()), 1);
    g.values = std::move(v);
    return g;
}

PixelGrid<uint8_t> Counted(std::vector<uint8_t> v) {
    PixelGrid<uint8_t> g(static_cast<int>(v.size()), 1);
    g.values = std::move(v);
    return g;
}

TEST(ShadowChange, PoolsTheCountedPixelsOfEveryPair) {
    ShadowChange change;
    // 4 counted pixels, changes 0, 0.2, 1, 0 (the uncounted one changes by 1).
    change.AddPair(Terms({0, 0.5f, 1, 0.3f, 0}), Terms({0, 0.7f, 0, 0.3f, 1}),
                   Counted({1, 1, 1, 1, 0}));
    // 2 counted pixels, changes 0.6 and 0.
    change.AddPair(Terms({0, 0.2f, 1, 1, 1}), Terms({1, 0.8f, 1, 0, 0}), Counted({0, 1, 1, 0, 0}));
    EXPECT_EQ(change.Pairs(), 2u);
    EXPECT_EQ(change.CountedPixels(), 6u);
    EXPECT_NEAR(change.MeanAbsoluteChange(), 1.8 / 6, 1e-6);
    EXPECT_NEAR(change.WorstPairMean(), 0.3, 1e-6);  // 1.2 / 4 against 0.6 / 2
    EXPECT_NEAR(change.FlipShare(), 2.0 / 6, 1e-6);  // 1 and 0.6 exceed a half
}

TEST(ShadowChange, NothingCountedIsNoChange) {
    ShadowChange change;
    EXPECT_EQ(change.MeanAbsoluteChange(), 0.0);
    change.AddPair(Terms({0, 1}), Terms({1, 0}), Counted({0, 0}));
    EXPECT_EQ(change.MeanAbsoluteChange(), 0.0);
    EXPECT_EQ(change.FlipShare(), 0.0);
    EXPECT_EQ(change.WorstPairMean(), 0.0);
}

TEST(InsideView, TheViewVolumeOfACamera) {
    Camera eye;
    eye.SetPerspective(60, 1, 1, 100);
    eye.SetView(90, 0, 50);  // straight down from 50 above the origin
    const gmtl::Matrix44f m = eye.m_matProjection * eye.m_matView;
    struct Case {
        gmtl::Vec3f p;
        bool inside;
    } cases[] = {
        {gmtl::Vec3f(0, 0, 0), true},      {gmtl::Vec3f(20, 0, 0), true},
        {gmtl::Vec3f(40, 0, 0), false},     // beyond the side planes (tan 30 * 50 = 28.9)
        {gmtl::Vec3f(0, 49.5f, 0), false},  // nearer than the near plane
        {gmtl::Vec3f(0, -60, 0), false},    // beyond the far plane
        {gmtl::Vec3f(0, 80, 0), false},     // behind the eye
    };
    for (const Case& c : cases)
        EXPECT_EQ(InsideView(m, c.p), c.inside) << c.p[0] << " " << c.p[1];
}

}  // namespace
