#pragma once

#include <string>
#include <vector>

// An orbit placement given on the command line: elevation and azimuth in
// degrees, distance from the origin.
struct OrbitOption {
    bool set = false;
    float elevation = 0.0f;
    float azimuth = 0.0f;
    float distance = 0.0f;
};

// Options for automation and measurement. Without any, the program runs as
// an ordinary interactive demo.
struct RunOptions {
    int frames = 0;          // > 0: render this many frames, then exit 0
    std::string screenshot;  // PNG file for the last frame
    std::string mode;  // "kvx-hq", "kvx", "ssm", "lispsm" or "csm"; empty keeps the start-up mode
    int width = 800;   // client size of the view
    int height = 600;
    bool batch = false;  // messages go to standard error instead of boxes
    bool bench = false;  // measure each mode and print the figures
    bool help = false;
    bool checkGl = false;  // glGetError after every frame; the first error ends the run
    std::string dataDir;   // the folder of the scene data; empty: ./data, else the installed one
    OrbitOption eye;       // start-up placement of the eye
    OrbitOption light;     // start-up placement of the light
    // Measuring runs: after start-up, instead of the frame loop.
    bool measure = false;       // texels per pixel and map coverage, SSM and KVX
    int stability = 0;          // > 0: frames along the eye path for the shadow change
    bool json = false;          // the figures as JSON
    std::string dumpShadowMap;  // PNG of the depth map with the trapezoid drawn
    std::string heatmap;        // PNG of the eye view coloured by texels per pixel

    // True when any measuring run is asked for.
    bool Measuring() const;
};

// Parses the arguments after the program name. Returns false with a
// one-line message for an unknown option, a missing value or a bad value.
bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options, std::string& error);

extern const char* const RUN_USAGE;
