#include "app/frame_benchmark.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(Median, OddEvenAndEmpty) {
    EXPECT_EQ(Median({}), 0.0);
    EXPECT_EQ(Median({3.0, 1.0, 2.0}), 2.0);
    EXPECT_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
}

// Stage timings as the stage-timing frames of one mode report them.
FrameTimings Stages(int mode) {
    FrameTimings t;
    t.fitMs = 0.002;
    t.depthPassMs = 2.0;
    t.handOverMs = 0.25;
    t.scenePassMs = 6.0 * (mode + 1);
    t.hudMs = 0.5;
    t.presentMs = 1.0;
    return t;
}

// The modes take turns block by block, the ordinary rounds first, then the
// stage-timing rounds; each block's first frames (the run's first block's
// warm-up) are slow and must not count.
TEST(FrameBenchmark, ModesTakeTurnsInBlocks) {
    FrameBenchmark bench;
    const char* const names[3] = {"kvx-hq", "kvx", "ssm"};
    for (int round = 0; round < FrameBenchmark::ROUNDS + FrameBenchmark::STAGE_ROUNDS; ++round) {
        const bool stages = round >= FrameBenchmark::ROUNDS;
        for (int mode = 0; mode < 3; ++mode) {
            ASSERT_STREQ(bench.CurrentMode(), names[mode]);
            ASSERT_EQ(bench.TimingStages(), stages);
            const int dropped = round == 0 && mode == 0 ? FrameBenchmark::WARM_UP_FRAMES
                                                        : FrameBenchmark::SWITCH_FRAMES;
            const int frames = dropped + FrameBenchmark::BLOCK_FRAMES;
            for (int i = 0; i < frames; ++i) {
                const double ms = i < dropped ? 1000.0 : (stages ? 12.0 : 10.0) * (mode + 1);
                ASSERT_EQ(bench.AddFrame(ms, stages ? Stages(mode) : FrameTimings()),
                          i == frames - 1);
            }
        }
    }
    EXPECT_EQ(bench.CurrentMode(), nullptr);
    EXPECT_FALSE(bench.AddFrame(1.0, FrameTimings()));

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
