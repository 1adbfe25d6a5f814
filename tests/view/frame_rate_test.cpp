#include "view/frame_rate.h"

#include <gtest/gtest.h>

namespace {

// Each row: the frame's milliseconds, whether a figure shows, which.
TEST(FrameRate, FigureAfterEachFrame) {
    struct Step {
        uint32_t elapsedMs;
        bool shown;
        unsigned figure;
    };
    const std::vector<std::vector<Step>> sequences = {
        {{0, false, 0}, {0, false, 0}},                       // nothing measured yet
        {{3, true, 333}, {0, true, 333}, {0, true, 333}},     // 0 ms keeps the figure
        {{1000, true, 1}, {1001, true, 0}, {1999, true, 0}},  // whole frames a second
        {{2000, true, 0}, {0, false, 0}},                     // a measured 0 shows, then nothing
        {{5000, true, 0}, {10, true, 100}},
        {{1, true, 1000}},
    };
    for (const auto& sequence : sequences) {
        FrameRate rate;
        for (const Step& step : sequence) {
            unsigned figure = 12345;
            EXPECT_EQ(rate.Measure(step.elapsedMs, figure), step.shown) << step.elapsedMs;
            if (step.shown) {
                EXPECT_EQ(figure, step.figure) << step.elapsedMs;
            }
        }
    }
}

}  // namespace
