#pragma once

#include <string>
#include <vector>

#include "measure/percentiles.h"

// An orbit placement: elevation and azimuth in degrees, distance from the
// origin.
struct OrbitPlacement {
    float elevation = 0.0f;
    float azimuth = 0.0f;
    float distance = 0.0f;
};

// Texels per pixel and map coverage of one shadow-map parametrisation.
struct MapFigures {
    std::string key;    // JSON member name: "ssm", "kvx", "lispsm", "csm", "csm_stable"
    std::string label;  // "SSM", "KVX", "LiSPSM", "CSM", "CSM stable"
    DensitySummary texels;
    float coverage = 0.0f;  // share of the map's area the eye frustum covers
    // Share of pixels where this map gives fewer texels than KVX (not
    // reported for KVX itself).
    double fewerThanKvx = 0.0;
};

// Frame-to-frame change of the shadow term of one mode along an eye path.
struct ModeStability {
    std::string mode;  // "ssm", "kvx", "kvx-hq", "lispsm", "csm" or "csm-stable"
    double meanChange = 0.0;
    double worstPairMean = 0.0;
    double flipShare = 0.0;
    size_t pairs = 0;
    // Point-frames left out because their lookup fell outside the cascade
    // their eye depth picked.
    size_t outsideTile = 0;
};

// Every mode's change along one eye path.
struct PathStability {
    std::string path;  // "turn" or "move"
    std::string what;  // the path in words, for the table
    std::string unit;  // of the step: " degrees" or ""
    float step = 0.0f;
    std::vector<ModeStability> modes;
};

// Everything one measuring run found.
struct MeasureReport {
    int width = 0;  // window
    int height = 0;
    int mapSize = 0;  // shadow map texels on a side
    OrbitPlacement eye;
    OrbitPlacement light;
    bool hasDensity = false;
    std::vector<MapFigures> maps;  // SSM first, then KVX, then the others
    double kvxFewerShare = 0.0;    // share of pixels where KVX gives fewer texels than SSM
    // No trapezoid could be fitted for this view (the light looking along the
    // eye's view direction, for one): KVX drew the standard map.
    bool kvxFallsBack = false;
    int stabilityFrames = 0;       // 0: no stability run
    std::vector<PathStability> stability;
};

// A table for people to read.
std::string ReportText(const MeasureReport& report);
// The same as one JSON object; figures that are not numbers become null.
std::string ReportJson(const MeasureReport& report);
