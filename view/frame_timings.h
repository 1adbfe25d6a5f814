#pragma once

#include <chrono>

// Where the time of the last frame went, stage by stage, for the benchmark
// mode. Each stage runs from the end of the one before.
struct FrameTimings {
    double fitMs = 0.0;        // the window's context made current, the trapezoid fit
    double depthPassMs = 0.0;  // the light's depth pass, in the target's context
    double handOverMs = 0.0;   // back to the window's context, the depth map bound
    double scenePassMs = 0.0;  // the eye's scene pass
    double hudMs = 0.0;        // the mode line and the frame rate
    double presentMs = 0.0;    // the buffer swap

    double Sum() const {
        return fitMs + depthPassMs + handOverMs + scenePassMs + hudMs + presentMs;
    }
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
