#pragma once

#include <string>

#include "measure/measure_run.h"
#include "measure/sweep_grid.h"
#include "view/kvx_demo_view.h"

// A sweep: texels per pixel and coverage of every parametrisation over a
// grid of views, written as CSV.
struct SweepRequest {
    std::string file;  // the CSV written
    SweepGrid grid;
    Shard shard;              // which of the grid's views this process measures
    int stabilityFrames = 0;  // > 1: the flip shares along both eye paths too
};

// Measures the shard's views with the view's window context current. The
// eye stays where it is; the light keeps its distance, takes each elevation
// and the azimuth that sets gamma (see PlaceForGamma). The cameras are as
// before afterwards. While standard error is a terminal a progress line is kept
// there. False with a message when the capture cannot be made or the file
// cannot be written.
bool RunSweep(CKVX_DemoView& view, const SweepRequest& request, const CaptureHooks& hooks,
              std::string& error);
