#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/command_line_parser.h"
#include "app/orbit_option.h"
#include "app/view_file.h"
#include "measure/sweep_grid.h"

// Options for automation and measurement. Without any, the program runs as
// an ordinary interactive demo.
struct RunOptions {
    int frames = 0;          // > 0: render this many frames, then exit 0
    std::string screenshot;  // PNG file for the last frame
    std::string mode;  // "kvx-hq", "kvx", "ssm", "lispsm", "csm" or "csm-stable"; empty keeps the
                       // start-up mode
    int width = 800;   // client size of the view
    int height = 600;
    bool batch = false;    // messages go to standard error instead of boxes
    bool bench = false;    // measure each mode and print the figures
    bool checkGl = false;  // glGetError after every frame; the first error ends the run
    std::string dataDir;   // folder of the containers; empty: ./data or the installed data
    OrbitOption eye;       // start-up placement of the eye
    OrbitOption light;     // start-up placement of the light
    std::string viewFile;  // a view file to open at start-up (--view, or named alone)
    // The view file's contents, read by the program before its window opens.
    std::optional<SavedView> view;
    // Measuring runs: after start-up, instead of the frame loop.
    bool measure = false;       // texels per pixel and map coverage, SSM and KVX
    int stability = 0;          // > 0: frames along the eye path for the shadow change
    bool json = false;          // the figures as JSON
    std::string dumpShadowMap;  // PNG of the depth map with the trapezoid drawn
    std::string heatmap;        // PNG of the eye view coloured by texels per pixel
    std::string sweep;          // CSV of the figures over a grid of views
    SweepGrid sweepGrid;        // the views of --sweep
    bool sweepGridSet = false;
    Shard shard;  // the part of the grid this process measures
    bool shardSet = false;

    // True when any measuring run is asked for.
    bool Measuring() const;
};

// Parses the arguments after the program name into options. The outcome
// says whether to run, to show the help or the version, or that the command
// line is refused (an unknown option, a missing or bad value, options that do
// not go together), with a one-line reason.
CommandLineOutcome ParseRunOptions(const std::vector<std::string>& args, RunOptions& options);
