#pragma once

#include <string>
#include <vector>

// The placements kvx-trapezoid fits a trapezoid for. The defaults are the
// demo's start-up view.
struct TrapezoidOptions {
    float eyeElevation = 20.0f;
    float eyeAzimuth = -135.0f;
    float eyeDistance = 160.0f;
    float aspect = 4.0f / 3.0f;
    float eyeFar = 380.0f;
    float lightElevation = 90.0f;
    float lightAzimuth = -135.0f;
    float lightDistance = 1200.0f;
    bool help = false;
};

// Parses the arguments after the program name. Returns false and sets error
// to a one-line message when an argument is unknown, lacks its value or has a
// value out of range.
bool ParseTrapezoidOptions(const std::vector<std::string>& args, TrapezoidOptions& options,
                           std::string& error);

extern const char* const TRAPEZOID_USAGE;
