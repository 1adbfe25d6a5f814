#pragma once

#include <string>
#include <vector>

#include "view/frame_timings.h"

// Measures the three shadow modes side by side: blocks of frames of each mode
// in turn, round after round, so that a change in the machine's load falls on
// all three alike. The first frames of each block are dropped (the first block's
// many more, as warm-up). After the ordinary rounds come stage-timing rounds,
// in which the GPU finishes every stage before its time is taken (slower as a
// whole, but it shows where the time goes). Last come rounds in KVX High
// Quality with each live view of the View menu on in turn, and none. The
// report gives per mode the median frame of the ordinary rounds and the
// median of each stage, and per live view its median, 99th percentile and
// worst frame.
class FrameBenchmark {
  public:
    static constexpr int WARM_UP_FRAMES = 20;     // dropped at the start of the run
    static constexpr int SWITCH_FRAMES = 2;       // dropped at the start of every other block
    static constexpr int BLOCK_FRAMES = 20;       // measured in each block of a mode
    static constexpr int ROUNDS = 5;              // ordinary blocks of each mode
    static constexpr int STAGE_ROUNDS = 2;        // stage-timing blocks of each mode
    static constexpr int LIVE_BLOCK_FRAMES = 60;  // measured in each block of a live view
    static constexpr int LIVE_ROUNDS = 5;         // blocks of each live view and of none
    // The live views in the View menu's order (the inset, the heat colours,
    // the readout), after none.
    static constexpr int NO_LIVE_VIEW = -1;
    static constexpr int LIVE_VIEWS = 3;

    // Facts about the run printed above the table.
    struct RunFacts {
        std::string handOver;          // how the depth map reaches the scene pass
        double startUpSeconds = -1.0;  // process start to the first frame shown
        double residentMiB = -1.0;     // resident memory then
        int width = 0, height = 0;     // the view's client size
    };

    FrameBenchmark();
    // The mode now measured ("kvx-hq", "kvx", "ssm"), or nullptr when done.
    const char* CurrentMode() const;
    // True while the frames are stage-timing frames.
    bool TimingStages() const;
    // The live view to show now (0 to LIVE_VIEWS - 1), or NO_LIVE_VIEW.
    int LiveView() const;
    // What the current block measures: its mode, then "stage times" or the
    // live view shown ("none", "inset", "heat", "readout") where it has one;
    // empty when done.
    std::string BlockName() const;
    // The frames recorded so far, and all the run records.
    size_t FramesDone() const { return m_framesDone; }
    size_t TotalFrames() const { return m_totalFrames; }
    // Records one frame. Returns true when this frame ended a block, so that
    // the mode (if any is left) and the stage timing are to be set for the next.
    bool AddFrame(double frameMs, const FrameTimings& timings);
    // The table, one line a mode, with the figures the targets are read from,
    // then the live views' frames.
    std::string Report(const RunFacts& facts) const;
    // The same figures as one JSON object, for scripts.
    std::string ReportJson(const RunFacts& facts) const;

  private:
    struct Block {
        size_t mode;
        bool stages;
        bool live;     // a block of the live views' rounds
        int liveView;  // shown in it
        int dropped;
        int frames;
    };
    struct Samples {
        std::vector<double> frame;
        std::vector<double> stageRunFrame;  // whole frames of the stage-timing blocks
        std::vector<FrameTimings> stages;
    };
    // The medians the reports print.
    struct ModeFigures {
        double frameMs;
        double stageMs[6];  // fit, depth, hand-over, scene, HUD, present
        double stageSumMs;
        double stageRunFrameMs;
    };
    struct LiveFigures {
        double frameMs;
        double maxFrameMs;
        double p99FrameMs;
    };
    ModeFigures Mode(size_t mode) const;
    // Live view v (NO_LIVE_VIEW for none).
    LiveFigures Live(int v) const;

    std::vector<Block> m_blocks;
    size_t m_block = 0;
    int m_frame = 0;
    size_t m_framesDone = 0;
    size_t m_totalFrames = 0;
    Samples m_samples[3];
    std::vector<double> m_liveFrames[LIVE_VIEWS + 1];  // none first
};

// The key of live view v (NO_LIVE_VIEW for none) in the reports: "none",
// "inset", "heat", "readout".
const char* LiveViewKey(int v);

// The median of the values (the mean of the middle two for an even count);
// 0 for none.
double Median(std::vector<double> values);
// The p-th percentile (0 to 100) of the values, interpolating linearly
// between neighbouring ranks; 0 for none.
double FramePercentile(std::vector<double> values, double p);
// The median of one stage over the frames.
double StageMedian(const std::vector<FrameTimings>& frames, double FrameTimings::*stage);
