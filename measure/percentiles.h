#pragma once

#include <cstddef>
#include <vector>

#include "measure/pixel_grid.h"

// The p-th percentile (0 to 100) of the values, interpolating linearly between
// neighbouring ranks; NaN for no values.
double Percentile(std::vector<float> values, double p);

// Texels per pixel over the pixels that have a figure.
struct DensitySummary {
    double p10 = 0.0;
    double p50 = 0.0;
    double p90 = 0.0;
    size_t pixels = 0;  // finite values counted
};

// Summarises the finite values of a density grid; NaN pixels are left out.
DensitySummary SummariseDensity(const PixelGrid<float>& density);

// Of the pixels where both grids of the same size have a finite value, the
// share where a's is smaller than b's; NaN when there are none.
double ShareWhereLess(const PixelGrid<float>& a, const PixelGrid<float>& b);
