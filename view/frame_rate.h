#pragma once

#include <cstdint>

// The frame-rate figure shown under the mode line: 1000 divided by the whole
// milliseconds the two render passes of a frame took. A frame measured at
// 0 ms shows the previous figure, or nothing while that is still 0.
class FrameRate {
  public:
    // Records a frame that took elapsedMs milliseconds. Returns whether a
    // figure is shown for it, and the figure.
    bool Measure(uint32_t elapsedMs, unsigned& figure);

  private:
    unsigned m_uLastFps = 0;
};
