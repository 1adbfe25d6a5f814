#pragma once

#include <functional>
#include <string>
#include <vector>

#include "measure/measure_report.h"
#include "measure/rgb_image.h"
#include "view/kvx_demo_view.h"
#include "warp/plane_geometry.h"

// What a measuring run is asked to do; all of it at the view's current
// placements.
struct MeasureRequest {
    bool density = false;       // texels per pixel and coverage, every parametrisation
    int stabilityFrames = 0;    // > 1: frames along each eye path, each mode
    bool json = false;          // the report as JSON instead of a table
    std::string dumpShadowMap;  // PNG of the depth map the view shows
    std::string heatmap;        // PNG of the eye view coloured by texels per pixel
};

// What the program does around the frames a measuring run captures.
struct CaptureHooks {
    // When set, called before every captured frame (the program holds the figures'
    // animation there, so that only the map changes between frames).
    std::function<void()> beforeRender;
    // When set, given a picture of what each frame of the figures measured,
    // the window's size: its texels per pixel coloured as --heatmap colours
    // them, or its shadow term in greys.
    std::function<void(const RgbImage&)> show;
};

// The red outline of the view's depth-map picture when it is not the map's
// edge: in the standard map, the trapezoid KVX would fit for the cameras as
// they are; empty otherwise.
std::vector<Point2D> StandardMapTrapezoid(CKVX_DemoView& view);

// Why a run that reads the eye's pixels measured nothing: the eye is under the
// terrain, or no pixel of its view shows the scene.
constexpr const char* NO_SCENE_SEEN =
    "Nothing to measure: the eye sees no part of the scene from where it is (under the terrain, "
    "or looking away from it).";

// The figures of the request's density and stability runs (no pictures),
// as RunMeasurements finds them.
bool MeasureFigures(CKVX_DemoView& view, const MeasureRequest& request, const CaptureHooks& hooks,
                    MeasureReport& figures, std::string& error);

// Runs the request with the view's window context current, with the hooks
// around every captured frame. While standard error is a terminal a progress
// line of the figures' frames is kept there. On success
// the report is in `report` (empty when only pictures were asked for); on
// failure `error` says why: NO_SCENE_SEEN when the figures, the heatmap or
// the stability run would read pixels of which none shows the scene (the
// shadow-map picture alone is still written). The view's cameras and mode are
// as before.
bool RunMeasurements(CKVX_DemoView& view, const MeasureRequest& request, const CaptureHooks& hooks,
                     std::string& report, std::string& error);
