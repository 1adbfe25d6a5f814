#pragma once

#include <chrono>

// Where the time of the last frame went, for the benchmark mode.
struct FrameTimings {
    double fitMs = 0.0;        // the trapezoid fit
    double depthCopyMs = 0.0;  // handing the depth map to the scene pass
};

// Milliseconds since construction.
class Stopwatch {
  public:
    double ElapsedMs() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

  private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
