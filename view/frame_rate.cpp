#include "view/frame_rate.h"

bool FrameRate::Measure(uint32_t elapsedMs, unsigned& figure) {
    if (elapsedMs != 0) {
        m_uLastFps = 1000u / elapsedMs;
        figure = m_uLastFps;
        return true;
    }
    figure = m_uLastFps;
    return m_uLastFps != 0;
}
