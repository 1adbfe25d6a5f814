#pragma once

#include <string>
#include <vector>

#include "view/frame_timings.h"

// Runs through the three shadow modes and reports, for each, the median frame
// after a warm-up, then the median of each stage from a separate run in which
// the GPU finishes every stage before its time is taken (that run is slower as
// a whole, but shows where the time goes).
class FrameBenchmark {
  public:
    static constexpr int WARM_UP_FRAMES = 20;
    static constexpr int MEASURED_FRAMES = 100;
    static constexpr int STAGE_FRAMES = 40;

    // Facts about the run printed above the table.
    struct RunFacts {
        std::string handOver;          // how the depth map reaches the scene pass
        double startUpSeconds = -1.0;  // process start to the first frame shown
        double residentMiB = -1.0;     // resident memory then
        int width = 0, height = 0;     // the view's client size
    };

    // The mode now measured ("kvx-hq", "kvx", "ssm"), or nullptr when done.
    const char* CurrentMode() const;
    // True while the frames are the stage-timing run of the current mode.
    bool TimingStages() const { return m_bStages; }
    // Records one frame. Returns true when this frame ended a run, so that the
    // mode (if any is left) and the stage timing are to be set for the next.
    bool AddFrame(double frameMs, const FrameTimings& timings);
    // The table, one line a mode, with the figures the targets are read from.
    std::string Report(const RunFacts& facts) const;

  private:
    struct Samples {
        std::vector<double> frame;
        std::vector<double> stageRunFrame;  // whole frames of the stage-timing run
        std::vector<FrameTimings> stages;
    };
    size_t m_mode = 0;
    int m_frame = 0;
    bool m_bStages = false;
    Samples m_samples[3];
};

// The median of the values (the mean of the middle two for an even count);
// 0 for none.
double Median(std::vector<double> values);
// The median of one stage over the frames.
double StageMedian(const std::vector<FrameTimings>& frames, double FrameTimings::*stage);
