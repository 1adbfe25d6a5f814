#include "app/frame_benchmark.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

// Feeds one block: its dropped frames slow, then `frames` frames of ms each
// but the one at hitch (if any), which takes hitchMs. Only the last frame
// ends the block.
void FeedBlock(FrameBenchmark& bench, int dropped, int frames, double ms,
               const FrameTimings& timings, int hitch = -1, double hitchMs = 0.0) {
    for (int i = 0; i < dropped + frames; ++i) {
        const double frame = i < dropped ? 1000.0 : i - dropped == hitch ? hitchMs : ms;
        ASSERT_EQ(bench.AddFrame(frame, timings), i == dropped + frames - 1) << "frame " << i;
    }
}

// The modes take turns block by block, the ordinary rounds first, then the
// stage-timing rounds, then KVX High Quality with each live view in turn;
// each block's first frames (the run's first block's warm-up) are slow and
// must not count.
class FrameBenchmarkRun : public testing::Test {
  protected:
    void SetUp() override {
        const char* const names[3] = {"kvx-hq", "kvx", "ssm"};
        for (int round = 0; round < FrameBenchmark::ROUNDS + FrameBenchmark::STAGE_ROUNDS;
             ++round) {
            const bool stages = round >= FrameBenchmark::ROUNDS;
            for (int mode = 0; mode < 3; ++mode) {
                ASSERT_STREQ(bench.CurrentMode(), names[mode]);
                ASSERT_EQ(bench.TimingStages(), stages);
                ASSERT_EQ(bench.LiveView(), FrameBenchmark::NO_LIVE_VIEW);
                const int dropped = round == 0 && mode == 0 ? FrameBenchmark::WARM_UP_FRAMES
                                                            : FrameBenchmark::SWITCH_FRAMES;
                ASSERT_NO_FATAL_FAILURE(FeedBlock(bench, dropped, FrameBenchmark::BLOCK_FRAMES,
                                                  (stages ? 12.0 : 10.0) * (mode + 1),
                                                  stages ? Stages(mode) : FrameTimings()));
            }
        }
        // None 10 ms, the inset 12, the heat colours 14, the readout 16 with
        // one frame of 30 ms in its third round.
        for (int round = 0; round < FrameBenchmark::LIVE_ROUNDS; ++round) {
            for (int view = FrameBenchmark::NO_LIVE_VIEW; view < FrameBenchmark::LIVE_VIEWS;
                 ++view) {
                ASSERT_STREQ(bench.CurrentMode(), "kvx-hq");
                ASSERT_FALSE(bench.TimingStages());
                ASSERT_EQ(bench.LiveView(), view);
                const bool hitch = view == 2 && round == 2;
                ASSERT_NO_FATAL_FAILURE(FeedBlock(
                    bench, FrameBenchmark::SWITCH_FRAMES, FrameBenchmark::LIVE_BLOCK_FRAMES,
                    10.0 + 2.0 * (view + 1), FrameTimings(), hitch ? 7 : -1, 30.0));
            }
        }
        EXPECT_EQ(bench.CurrentMode(), nullptr);
        EXPECT_EQ(bench.LiveView(), FrameBenchmark::NO_LIVE_VIEW);
        EXPECT_FALSE(bench.AddFrame(1.0, FrameTimings()));
        facts.handOver = "copied";
        facts.startUpSeconds = 0.5;
        facts.residentMiB = 100.0;
        facts.width = 800;
        facts.height = 600;
    }

    FrameBenchmark bench;
    FrameBenchmark::RunFacts facts;
};

TEST_F(FrameBenchmarkRun, TableGivesEachModeAndLiveView) {
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
    EXPECT_THAT(report, testing::HasSubstr("  none        10.000   100.0 fps   1.00x  worst    "
                                           "10.000 (1.00x)  p99    10.000 (1.00x)\n"));
    EXPECT_THAT(report, testing::HasSubstr("  heat        14.000    71.4 fps   1.40x"));
    // One hitch in 300 frames is the worst frame but not the 99th percentile.
    EXPECT_THAT(report, testing::HasSubstr("  readout     16.000    62.5 fps   1.60x  worst    "
                                           "30.000 (1.88x)  p99    16.000 (1.00x)\n"));
}

// Scripts read the same figures by name: the modes by the mode line's labels,
// the live views by key.
TEST_F(FrameBenchmarkRun, JsonNamesEveryFigure) {
    const std::string json = bench.ReportJson(facts);
    EXPECT_THAT(json, testing::StartsWith("{\"view\": {\"width\": 800, \"height\": 600}, "
                                          "\"hand_over\": \"copied\", \"start_up_s\": 0.5, "
                                          "\"resident_mib\": 100, \"modes\": {"));
    EXPECT_THAT(json, testing::HasSubstr("\"KVX High Quality\": {\"frame_ms\": 10, \"stages\": "
                                         "{\"fit_ms\": 0.002, \"depth_ms\": 2, "
                                         "\"hand_over_ms\": 0.25, \"scene_ms\": 6, "
                                         "\"hud_ms\": 0.5, \"present_ms\": 1}, "
                                         "\"stage_run_frame_ms\": 12}"));
    EXPECT_THAT(json, testing::HasSubstr("\"KVX\": {\"frame_ms\": 20,"));
    EXPECT_THAT(json, testing::HasSubstr("\"SSM\": {\"frame_ms\": 30,"));
    EXPECT_THAT(json, testing::HasSubstr(
                          "\"live_views\": {\"none\": {\"frame_ms\": 10, \"max_frame_ms\": 10, "
                          "\"p99_frame_ms\": 10}, \"inset\": {\"frame_ms\": 12, "
                          "\"max_frame_ms\": 12, \"p99_frame_ms\": 12}, \"heat\": "
                          "{\"frame_ms\": 14, \"max_frame_ms\": 14, \"p99_frame_ms\": 14}, "
                          "\"readout\": {\"frame_ms\": 16, \"max_frame_ms\": 30, "
                          "\"p99_frame_ms\": 16}}}\n"));
}

// Linear between neighbouring ranks: the 99th percentile of 300 frames passes
// over the two slowest, takes a hundredth of the third, and is the fourth.
TEST(FramePercentile, RanksOfSortedValues) {
    EXPECT_EQ(FramePercentile({}, 99.0), 0.0);
    EXPECT_EQ(FramePercentile({7.0}, 99.0), 7.0);
    EXPECT_EQ(FramePercentile({4.0, 1.0, 3.0, 2.0}, 50.0), 2.5);
    EXPECT_EQ(FramePercentile({4.0, 1.0, 3.0, 2.0}, 0.0), 1.0);
    EXPECT_EQ(FramePercentile({4.0, 1.0, 3.0, 2.0}, 100.0), 4.0);
    std::vector<double> frames(300, 10.0);
    const double slowest[3] = {10.0, 10.4, 50.0};
    for (int slow = 2; slow <= 4; ++slow) {
        std::fill(frames.begin(), frames.begin() + slow, 50.0);
        EXPECT_NEAR(FramePercentile(frames, 99.0), slowest[slow - 2], 1e-9) << slow << " slow";
    }
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
