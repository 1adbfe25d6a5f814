#pragma once

#include <string>

#include "measure/measure_report.h"
#include "measure/sweep_grid.h"

// The rows of a sweep as CSV: one per view and parametrisation, with the
// flip shares of the two eye paths when the sweep measured them.

std::string SweepCsvHeader(bool flips);

// The rows of one view: every map of the report in its order, parametrisation
// by its JSON key. eyeElevation: the view direction's angle above the
// horizon. Figures that are not numbers, KVX's share of pixels with fewer
// texels than itself, and the flips of a view that shows no scene are left
// empty.
std::string SweepCsvRows(const SweepView& view, float eyeElevation, const MeasureReport& report);
