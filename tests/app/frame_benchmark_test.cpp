#include "app/frame_benchmark.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(Median, OddEvenAndEmpty) {
    EXPECT_EQ(Median({}), 0.0);
    EXPECT_EQ(Median({3.0, 1.0, 2.0}), 2.0);
    EXPECT_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
}

// The benchmark walks through the three modes, drops the warm-up frames and
// reports the medians of the measured ones.
TEST(FrameBenchmark, ModesInTurnWithWarmUpDropped) {
    FrameBenchmark bench;
    const int perMode = FrameBenchmark::WARM_UP_FRAMES + FrameBenchmark::MEASURED_FRAMES;
    std::vector<std::string> modes;
    for (int mode = 0; mode < 3; ++mode) {
        modes.push_back(bench.CurrentMode());
        for (int i = 0; i < perMode; ++i) {
            // Warm-up frames are slow and must not count.
            const double ms = i < FrameBenchmark::WARM_UP_FRAMES ? 1000.0 : 10.0 * (mode + 1);
            FrameTimings t;
            t.fitMs = 0.002;
            t.depthCopyMs = 1.5;
            EXPECT_EQ(bench.AddFrame(ms, t), i == perMode - 1);
        }
    }
    EXPECT_EQ(bench.CurrentMode(), nullptr);
    EXPECT_THAT(modes, testing::ElementsAre("kvx-hq", "kvx", "ssm"));
    const std::string report = bench.Report();
    EXPECT_THAT(report,
                testing::HasSubstr("KVX High Quality  median frame   10.000 ms ( 100.0 fps)"));
    EXPECT_THAT(report, testing::HasSubstr("KVX               median frame   20.000 ms"));
    EXPECT_THAT(report, testing::HasSubstr("SSM               median frame   30.000 ms"));
    EXPECT_THAT(report,
                testing::HasSubstr("trapezoid fit  0.0020 ms, depth copy   1.500 ms, 100 frames"));
}

}  // namespace
