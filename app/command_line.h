#pragma once

#include <string>
#include <vector>

// Options for automation and measurement. Without any, the program runs as
// an ordinary interactive demo.
struct RunOptions {
    int frames = 0;          // > 0: render this many frames, then exit 0
    std::string screenshot;  // PNG file for the last frame
    std::string mode;        // "kvx-hq", "kvx" or "ssm"; empty keeps the start-up mode
    int width = 800;         // client size of the view
    int height = 600;
    bool batch = false;  // messages go to standard error instead of boxes
    bool bench = false;  // measure each mode and print the figures
    bool help = false;
};

// Parses the arguments after the program name. Returns false with a
// one-line message for an unknown option, a missing value or a bad value.
bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options, std::string& error);

extern const char* const RUN_USAGE;
