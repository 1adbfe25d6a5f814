#include "measure/progress_line.h"

#include <gtest/gtest.h>

namespace {

// The time left comes from the pace so far, and is left out while there is no pace to go by.
TEST(ProgressText, ReckonsTheTimeLeftFromThePaceSoFar) {
    const struct {
        std::size_t done, total;
        double elapsed;
        const char* text;
    } cases[] = {
        {0, 12, 0.0, "sweep: 0 views done, 12 left"},
        {0, 12, 5.0, "sweep: 0 views done, 12 left"},
        {3, 12, 0.0, "sweep: 3 views done, 9 left"},
        {3, 12, 6.0, "sweep: 3 views done, 9 left, about 18 s left"},
        {1, 3, 0.4, "sweep: 1 views done, 2 left, about 1 s left"},
        {12, 12, 30.0, "sweep: 12 views done, 0 left, about 0 s left"},
        {12, 12, 0.0, "sweep: 12 views done, 0 left, about 0 s left"},
        {0, 0, 0.0, "sweep: 0 views done, 0 left, about 0 s left"},
        {200, 1, 2.0, "sweep: 200 views done, 0 left, about 0 s left"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgressText("sweep", "views", c.done, c.total, c.elapsed), c.text)
            << c.done << " of " << c.total << " in " << c.elapsed << " s";
}

}  // namespace
