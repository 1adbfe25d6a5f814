#pragma once

#include <string>
#include <vector>

#include "app/command_line_parser.h"
#include "app/orbit_option.h"

// The placements kvx-trapezoid fits a trapezoid for. The defaults are the
// demo's start-up view.
struct TrapezoidOptions {
    OrbitOption eye = {true, 20.0f, -135.0f, 160.0f};
    float aspect = 4.0f / 3.0f;
    float eyeFar = 380.0f;
    OrbitOption light = {true, 90.0f, -135.0f, 1200.0f};
    bool json = false;  // the report as one JSON object
};

// Parses the arguments after the program name. The outcome says whether to
// run, to show the help or the version, or that an argument is unknown, lacks
// its value or has a value out of range, with a one-line reason.
CommandLineOutcome ParseTrapezoidOptions(const std::vector<std::string>& args,
                                         TrapezoidOptions& options);
