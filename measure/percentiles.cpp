#include "measure/percentiles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

// Only the two values at the ranks around p are put in place, not the whole
// sorted order: the live readout takes a median a few times a second.
double Percentile(std::vector<float> values, double p) {
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    const double rank = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(values.size() - 1);
    const size_t below = static_cast<size_t>(std::floor(rank));
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(below);
    std::nth_element(values.begin(), at, values.end());
    const float next = at + 1 == values.end() ? *at : *std::min_element(at + 1, values.end());
    const double f = rank - static_cast<double>(below);
    return *at + f * (static_cast<double>(next) - *at);
}

DensitySummary SummariseDensity(const PixelGrid<float>& density) {
    std::vector<float> finite;
    finite.reserve(density.values.size());
    for (float v : density.values) {
        if (std::isfinite(v))
            finite.push_back(v);
    }
    DensitySummary s;
    s.pixels = finite.size();
    s.p10 = Percentile(finite, 10.0);
    s.p50 = Percentile(finite, 50.0);
    s.p90 = Percentile(finite, 90.0);
    return s;
}

double ShareWhereLess(const PixelGrid<float>& a, const PixelGrid<float>& b) {
    size_t both = 0, less = 0;
    for (size_t i = 0; i < a.values.size(); ++i) {
        if (!std::isfinite(a.values[i]) || !std::isfinite(b.values[i]))
            continue;
        ++both;
        less += a.values[i] < b.values[i];
    }
    return both > 0 ? static_cast<double>(less) / static_cast<double>(both)
                    : std::numeric_limits<double>::quiet_NaN();
}
