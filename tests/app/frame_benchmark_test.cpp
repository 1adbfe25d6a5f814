#include "app/frame_benchmark.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(Median, OddEvenAndEmpty) {
    EXPECT_EQ(Median({}), 0.0);
    EXPECT_EQ(Median({3.0, 1.0, 2.0}), 2.0);
    EXPECT_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
}

// Each mode gets an ordinary run (warm-up dropped) and then a stage-timing run;
// the report gives the ordinary run's median frame and the stage run's medians.
TEST(FrameBenchmark, ModesInTurnEachWithAStageRun) {
    FrameBenchmark bench;
    const int ordinary = FrameBenchmark::WARM_UP_FRAMES + FrameBenchmark::MEASURED_FRAMES;
    std::vector<std::string> modes;
    for (int mode = 0; mode < 3; ++mode) {
        modes.push_back(bench.CurrentMode());
        for (int i = 0; i < ordinary; ++i) {
            EXPECT_FALSE(bench.TimingStages());
            // Warm-up frames are slow and must not count.
            const double ms = i < FrameBenchmark::WARM_UP_FRAMES ? 1000.0 : 10.0 * (mode + 1);
            EXPECT_EQ(bench.AddFrame(ms, FrameTimings()), i == ordinary - 1);
        }
        for (int i = 0; i < FrameBenchmark::STAGE_FRAMES; ++i) {
            EXPECT_TRUE(bench.TimingStages());
            FrameTimings t;
            t.fitMs = 0.002;
            t.depthPassMs = 2.0;
            t.handOverMs = 0.25;
            t.scenePassMs = 6.0 * (mode + 1);
            t.hudMs = 0.5;
            t.presentMs = 1.0;
            EXPECT_EQ(bench.AddFrame(12.0 * (mode + 1), t), i == FrameBenchmark::STAGE_FRAMES - 1);
        }
    }
    EXPECT_EQ(bench.CurrentMode(), nullptr);
    EXPECT_FALSE(bench.AddFrame(1.0, FrameTimings()));
    EXPECT_THAT(modes, testing::ElementsAre("kvx-hq", "kvx", "ssm"));

    FrameBenchmark::RunFacts facts;
    facts.handOver = "copied";
    facts.startUpSeconds = 0.5;
    facts.residentMiB = 100.0;
    facts.width = 800;
    facts.height = 600;
    const std::string report = bench.Report(facts);
    EXPECT_THAT(report, testing::HasSubstr("View 800x600; depth map hand-over: copied"));
    EXPECT_THAT(report, testing::HasSubstr("first frame 0.50 s; resident memory after start-up "
                                           "100.0 MiB"));
    EXPECT_THAT(report, testing::HasSubstr("KVX High Quality     10.000   100.0 |     0.002     "
                                           "2.000     0.250     6.000     0.500     1.000 |     "
                                           "9.752    12.000 (sum 81% of it, 98% of frame)"));
    EXPECT_THAT(report, testing::HasSubstr("SSM                  30.000"));
    EXPECT_THAT(report, testing::HasSubstr("Hand-over: 0.8% of the SSM frame, 1.2% of the KVX"));
    EXPECT_THAT(report, testing::HasSubstr("KVX frame / SSM frame: 0.667"));
    EXPECT_THAT(report, testing::HasSubstr("over KVX: -10.000 ms a frame, -2.500 ms per extra "
                                           "lookup (4)"));
}

TEST(FrameBenchmark, StageMedianPicksOneStage) {
    std::vector<FrameTimings> frames(3);
    frames[0].scenePassMs = 5.0;
    frames[1].scenePassMs = 1.0;
    frames[2].scenePassMs = 3.0;
    EXPECT_EQ(StageMedian(frames, &FrameTimings::scenePassMs), 3.0);
    EXPECT_EQ(StageMedian(frames, &FrameTimings::fitMs), 0.0);
}

}  // namespace
