#pragma once

#include <string>
#include <vector>

#include "view/frame_timings.h"

// Runs through the three shadow modes, a fixed number of frames each after a
// warm-up, and reports the median figures of each.
class FrameBenchmark {
  public:
    static constexpr int WARM_UP_FRAMES = 20;
    static constexpr int MEASURED_FRAMES = 100;

    // The mode now measured ("kvx-hq", "kvx", "ssm"), or nullptr when done.
    const char* CurrentMode() const;
    // Records one frame of the current mode. Returns true when this frame
    // finished the mode, so the next one (if any) is to be switched on.
    bool AddFrame(double frameMs, const FrameTimings& timings);
    // One line a mode: median frame time, frame rate, fit and copy time.
    std::string Report() const;

  private:
    struct Samples {
        std::vector<double> frame, fit, copy;
    };
    size_t m_mode = 0;
    int m_frame = 0;
    Samples m_samples[3];
};

// The median of the values (the mean of the middle two for an even count);
// 0 for none.
double Median(std::vector<double> values);
