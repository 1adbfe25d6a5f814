#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

const char* const USAGE = "Usage: kvx-demo [options] [FILE.kvxview]";

const char* const DESCRIPTION =
    "Real-time shadows with a shadow map warped by a trapezoid. Without options the\n"
    "demo opens its window and runs until closed. Control + left drag rotates the\n"
    "eye (or the light), Shift + left drag or the mouse wheel zooms; the Options\n"
    "menu switches modes. The View menu, or a key in the view, shows the shadow map\n"
    "live: M the map in a corner, H the scene coloured by texels per pixel, R the\n"
    "median texels per pixel and the map coverage; L, C and S show LiSPSM, CSM and\n"
    "CSM stable for comparison. E shows where the eye and the light are, as --eye\n"
    "and --light take them; Home returns to the start-up view. Space pauses the\n"
    "figures. View > Save View... keeps the whole view in a file, which View > Open\n"
    "View..., --view FILE or FILE named alone opens again. F1 in the window lists\n"
    "every key and mouse action.";

const char* const DIAGNOSTICS =
    "Diagnostics (environment):\n"
    "  KVX_DEPTH_COPY=1    copy the depth buffer into the depth texture every\n"
    "                      frame instead of rendering into a texture, to\n"
    "                      compare the ways (pictures are the same)\n"
    "  KVX_DEPTH_DIRECT=1  render the depth pass straight into the texture the\n"
    "                      scene samples instead of into one of its own that is\n"
    "                      then copied (slower with Mesa's llvmpipe)\n"
    "  KVX_DRAW_EVERYTHING=1  draw the scene pass as first written: the shadow\n"
    "                      lookup on all the terrain, the objects in their\n"
    "                      listed order, every face (pictures are the same)\n"
    "  KVX_LIVE_VIEWS=mhr  start with the live views of those keys on (M the map,\n"
    "                      H the heat colours, R the readout), for scripts";

const char* const MEASURING_GROUP =
    "Measuring (at the start-up placements, then exit; not with --frames, --screenshot or --bench)";

constexpr int DEFAULT_SCREENSHOT_FRAMES = 30;
constexpr int MIN_SIZE = 16;
constexpr int MAX_SIZE = 8192;
constexpr int MAX_STABILITY_FRAMES = 100000;

bool ParseInt(const std::string& text, long minimum, long maximum, int& value) {
    if (text.empty() || text[0] == '+' || text[0] == '-' || text[0] == ' ')
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < minimum || v > maximum)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    int w = 0;
    int h = 0;
    if (!ParseInt(text.substr(0, x), MIN_SIZE, MAX_SIZE, w) ||
        !ParseInt(text.substr(x + 1), MIN_SIZE, MAX_SIZE, h))
        return false;
    width = w;
    height = h;
    return true;
}

bool ParseMode(const std::string& text, std::string& mode) {
    for (const char* known : {"kvx-hq", "kvx", "ssm", "lispsm", "csm", "csm-stable"}) {
        if (text == known) {
            mode = text;
            return true;
        }
    }
    return false;
}

// A reader that takes the text when accepted() does, and otherwise refuses
// it with "NAME: 'TEXT' is not WHAT".
OptionReader Reader(const std::string& name, const std::string& what,
                    std::function<bool(const std::string&)> accepted) {
    return [name, what, accepted](const std::string& text) {
        return accepted(text) ? std::string() : name + ": '" + text + "' is not " + what;
    };
}

OptionReader WholeNumber(const std::string& name, long minimum, long maximum, const char* what,
                         int& value) {
    return Reader(name, what, [minimum, maximum, &value](const std::string& text) {
        return ParseInt(text, minimum, maximum, value);
    });
}

void AddFrameLoopOptions(CLI::App& app, RunOptions& o) {
    AddValueOption(
        app, "--frames", "N", "render N frames, then exit (status 0)",
        WholeNumber("--frames", 1, INT_MAX, "a whole number of frames from 1", o.frames));
    AddPathOption(app, "--screenshot", "FILE",
                  "save the last frame as a PNG image (with --frames,\nor after 30 frames)",
                  o.screenshot);
    AddValueOption(app, "--mode", "MODE",
                   "start in kvx-hq (KVX High Quality), kvx, ssm, lispsm\n"
                   "(light-space perspective map), csm (cascaded maps) or\n"
                   "csm-stable (cascades bounded by spheres, snapped to texels)",
                   Reader("--mode", "one of kvx-hq, kvx, ssm, lispsm, csm, csm-stable",
                          [&o](const std::string& text) { return ParseMode(text, o.mode); }));
    AddValueOption(
        app, "--size", "WxH", "client size of the view in pixels (default 800x600)",
        Reader("--size", "WIDTHxHEIGHT with each from 16 to 8192",
               [&o](const std::string& text) { return ParseSize(text, o.width, o.height); }));
    app.add_flag("--batch", o.batch,
                 "print messages on standard error instead of showing\n"
                 "message boxes (also chosen when there is no display)");
    app.add_flag("--bench", o.bench,
                 "render each mode in turn and print the median frame\n"
                 "time, then the median of each stage (trapezoid fit,\n"
                 "depth pass, hand-over of the depth map, scene pass,\n"
                 "HUD text, present) from a run that finishes the GPU's\n"
                 "work at every stage's end; also how the depth map is\n"
                 "handed over, the time from start to the first frame\n"
                 "and the resident memory; then the median and worst\n"
                 "frame with each live view on in KVX High Quality\n"
                 "(--json: all of it as JSON); then exit");
    AddOrbitOption(app, "--eye",
                   "start with the eye at elevation E (5 to 175 degrees),\n"
                   "azimuth A (degrees) and distance D (10 to 200)",
                   EYE_LIMITS, o.eye);
    AddOrbitOption(app, "--light",
                   "start with the light at elevation E (25 to 155),\n"
                   "azimuth A and distance D (800 to 2000)",
                   LIGHT_LIMITS, o.light);
    AddPathOption(app, "--view", "FILE",
                  "open the view saved in FILE (eye, light, modes, live\n"
                  "views, figures' pose), also for the measuring runs;\n"
                  "--eye, --light and --mode given with it take the\n"
                  "place of the file's",
                  o.viewFile);
    app.add_flag("--check-gl", o.checkGl,
                 "ask OpenGL for errors after every frame; the first one\n"
                 "is reported and ends the program (status 1)");
    AddPathOption(app, "--data", "DIR",
                  "read the containers from DIR instead of ./data or the\ninstalled data",
                  o.dataDir, "a folder name");
}

void AddSweepOptions(CLI::App& app, RunOptions& o) {
    AddPathOption(app, "--sweep", "FILE",
                  "measure every map over a grid of views (see\n"
                  "--sweep-grid) and write one CSV row per view and map;\n"
                  "with --stability N the flip shares too",
                  o.sweep);
    AddValueOption(app, "--sweep-grid", "FROM:TO:STEP/E1,E2,...",
                   "the sweep's views: gamma, the angle between the view\n"
                   "and the direction towards the light, from FROM to TO\n"
                   "degrees by STEP, at each light elevation E (default\n"
                   "0:180:10/30,50,70)",
                   Reader("--sweep-grid",
                          "FROM:TO:STEP/E1,E2,... with 0 <= FROM <= TO <= 180, STEP above 0, "
                          "elevations from 1 to 90 and at most 100000 views",
                          [&o](const std::string& text) {
                              o.sweepGridSet = ParseSweepGrid(text, o.sweepGrid);
                              return o.sweepGridSet;
                          }));
    AddValueOption(
        app, "--shard", "K/N",
        "measure the sweep's views K, K + N, K + 2N, ... (K from\n"
        "0 to N - 1), so that N processes split one sweep",
        Reader("--shard", "K/N with 0 <= K < N <= 100000", [&o](const std::string& text) {
            o.shardSet = ParseShard(text, o.shard);
            return o.shardSet;
        }));
}

void AddMeasuringOptions(CLI::App& app, RunOptions& o) {
    app.option_defaults()->group(MEASURING_GROUP);
    app.add_flag("--measure", o.measure,
                 "shadow-map texels per screen pixel (10th, 50th, 90th\n"
                 "percentile over the scene's pixels) and the share of\n"
                 "the map the eye frustum covers, for SSM, KVX, LiSPSM,\n"
                 "CSM and CSM stable");
    AddValueOption(app, "--stability", "N",
                   "turn the eye in place 0.1 degree a frame, then move it\n"
                   "0.25 a frame along its view, each for N frames (2 or\n"
                   "more), and report how much the shadow term of the same\n"
                   "surface points changes a frame, in each mode",
                   WholeNumber("--stability", 2, MAX_STABILITY_FRAMES,
                               "a whole number of frames from 2 to 100000", o.stability));
    app.add_flag("--json", o.json,
                 "print the figures of --measure, --stability and --bench as JSON");
    AddPathOption(app, "--dump-shadowmap", "FILE",
                  "the depth map of the current mode as a grey PNG, the\n"
                  "eye frustum outlined in yellow and the trapezoid in red\n"
                  "(in KVX the trapezoid is the map's edge; CSM shows its\n"
                  "four cascades side by side)",
                  o.dumpShadowMap);
    AddPathOption(app, "--heatmap", "FILE",
                  "the eye view as a PNG coloured by texels per pixel, for\n"
                  "the current mode's map",
                  o.heatmap);
    AddSweepOptions(app, o);
}

// Measuring runs replace the frame loop, so the frame loop's own options
// cannot go with them.
CommandLineOutcome CheckCombination(const RunOptions& o) {
    if ((o.sweepGridSet || o.shardSet) && o.sweep.empty())
        return UsageError("--sweep-grid and --shard need --sweep");
    if (!o.sweep.empty() && (o.measure || o.json || !o.dumpShadowMap.empty() || !o.heatmap.empty()))
        return UsageError(
            "--sweep writes its own figures: leave out --measure, --json, --dump-shadowmap and "
            "--heatmap");
    if (o.json && !o.measure && o.stability == 0 && !o.bench)
        return UsageError("--json needs --measure, --stability or --bench");
    if (o.Measuring() && (o.frames > 0 || !o.screenshot.empty() || o.bench)) {
        return UsageError(
            "measuring options run instead of the frame loop: leave out --frames, "
            "--screenshot and --bench");
    }
    return {};
}

}  // namespace

CommandLineOutcome ParseRunOptions(const std::vector<std::string>& args, RunOptions& options) {
    CLI::App app(DESCRIPTION, "kvx-demo");
    SetUpCommandLine(app, USAGE);
    app.footer(DIAGNOSTICS);
    AddFrameLoopOptions(app, options);
    AddMeasuringOptions(app, options);
    std::string namedAlone;
    AddPathOption(app, "FILE", "FILE.kvxview", "a view file to open, as with --view", namedAlone);
    CommandLineOutcome outcome = ParseCommandLine(app, args);
    if (outcome.action != CommandLineOutcome::RUN)
        return outcome;
    if (!namedAlone.empty() && !options.viewFile.empty())
        return UsageError("--view and a view file named alone do not go together: name one");
    if (!namedAlone.empty())
        options.viewFile = namedAlone;
    outcome = CheckCombination(options);
    if (!options.screenshot.empty() && options.frames == 0)
        options.frames = DEFAULT_SCREENSHOT_FRAMES;
    return outcome;
}

bool RunOptions::Measuring() const {
    return measure || stability > 0 || !dumpShadowMap.empty() || !heatmap.empty() || !sweep.empty();
}
