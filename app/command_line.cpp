#include "app/command_line.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

const char* const RUN_USAGE =
    "Usage: kvx-demo [options]\n"
    "\n"
    "Real-time shadows with a shadow map warped by a trapezoid. Without options the\n"
    "demo opens its window and runs until closed. Control + left drag rotates the\n"
    "eye (or the light), Shift + left drag zooms; the Options menu switches modes.\n"
    "The View menu, or a key in the view, shows the shadow map live: M the map in\n"
    "a corner, H the scene coloured by texels per pixel, R the median texels per\n"
    "pixel and the map coverage; L and C show LiSPSM and CSM for comparison.\n"
    "\n"
    "  --frames N          render N frames, then exit (status 0)\n"
    "  --screenshot FILE   save the last frame as a PNG image (with --frames,\n"
    "                      or after 30 frames)\n"
    "  --mode MODE         start in kvx-hq (KVX High Quality), kvx, ssm, lispsm\n"
    "                      (light-space perspective map) or csm (cascaded maps)\n"
    "  --size WxH          client size of the view in pixels (default 800x600)\n"
    "  --batch             print messages on standard error instead of showing\n"
    "                      message boxes (also chosen when there is no display)\n"
    "  --bench             render each mode in turn and print the median frame\n"
    "                      time, then the median of each stage (trapezoid fit,\n"
    "                      depth pass, hand-over of the depth map, scene pass,\n"
    "                      HUD text, present) from a run that finishes the GPU's\n"
    "                      work at every stage's end; also how the depth map is\n"
    "                      handed over, the time from start to the first frame\n"
    "                      and the resident memory; then the median and worst\n"
    "                      frame with each live view on in KVX High Quality\n"
    "                      (--json: all of it as JSON); then exit\n"
    "  --eye E,A,D         start with the eye at elevation E (5 to 175 degrees),\n"
    "                      azimuth A (degrees) and distance D (10 to 200)\n"
    "  --light E,A,D       start with the light at elevation E (25 to 155),\n"
    "                      azimuth A and distance D (800 to 2000)\n"
    "  --check-gl          ask OpenGL for errors after every frame; the first one\n"
    "                      is reported and ends the program (status 1)\n"
    "  --help              show this text\n"
    "\n"
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
    "\n"
    "Measuring (at the start-up placements, then exit; not with --frames,\n"
    "--screenshot or --bench):\n"
    "  --measure           shadow-map texels per screen pixel (10th, 50th, 90th\n"
    "                      percentile over the scene's pixels) and the share of\n"
    "                      the map the eye frustum covers, for SSM, KVX, LiSPSM\n"
    "                      and CSM\n"
    "  --stability N       move the eye 0.1 degree of azimuth a frame for N frames\n"
    "                      (2 or more) and report how much the shadow term of the\n"
    "                      same surface points changes a frame, in each mode\n"
    "  --json              print the figures of --measure, --stability and --bench\n"
    "                      as JSON\n"
    "  --dump-shadowmap FILE  the depth map of the current mode as a grey PNG, the\n"
    "                      eye frustum outlined in yellow and the trapezoid in red\n"
    "                      (in KVX the trapezoid is the map's edge; CSM shows its\n"
    "                      four cascades side by side)\n"
    "  --heatmap FILE      the eye view as a PNG coloured by texels per pixel, for\n"
    "                      the current mode's map\n";

namespace {

constexpr int DEFAULT_SCREENSHOT_FRAMES = 30;
constexpr int MIN_SIZE = 16;
constexpr int MAX_SIZE = 8192;
constexpr int MAX_STABILITY_FRAMES = 100000;
constexpr float MAX_AZIMUTH = 3600.0f;

struct OrbitLimits {
    float elevationMin, elevationMax;
    float distanceMin, distanceMax;
};

// The ranges mouse navigation keeps each camera in.
constexpr OrbitLimits EYE_LIMITS = {5.0f, 175.0f, 10.0f, 200.0f};
constexpr OrbitLimits LIGHT_LIMITS = {25.0f, 155.0f, 800.0f, 2000.0f};

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
    return ParseInt(text.substr(0, x), MIN_SIZE, MAX_SIZE, width) &&
           ParseInt(text.substr(x + 1), MIN_SIZE, MAX_SIZE, height);
}

bool ParseFloat(const std::string& text, float minimum, float maximum, float& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])) || text[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !(v >= minimum && v <= maximum))
        return false;
    value = v;
    return true;
}

// "ELEVATION,AZIMUTH,DISTANCE" within the limits the mouse keeps the camera in.
bool ParseOrbit(const std::string& text, const OrbitLimits& limits, OrbitOption& orbit) {
    const size_t a = text.find(',');
    const size_t b = a == std::string::npos ? a : text.find(',', a + 1);
    if (b == std::string::npos)
        return false;
    orbit.set =
        ParseFloat(text.substr(0, a), limits.elevationMin, limits.elevationMax, orbit.elevation) &&
        ParseFloat(text.substr(a + 1, b - a - 1), -MAX_AZIMUTH, MAX_AZIMUTH, orbit.azimuth) &&
        ParseFloat(text.substr(b + 1), limits.distanceMin, limits.distanceMax, orbit.distance);
    return orbit.set;
}

std::string OrbitError(const std::string& name, const std::string& value,
                       const OrbitLimits& limits) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s: '%s' is not ELEVATION,AZIMUTH,DISTANCE with elevation %g to %g and "
                  "distance %g to %g",
                  name.c_str(), value.c_str(), limits.elevationMin, limits.elevationMax,
                  limits.distanceMin, limits.distanceMax);
    return text;
}

bool IsMode(const std::string& mode) {
    return mode == "kvx-hq" || mode == "kvx" || mode == "ssm" || mode == "lispsm" || mode == "csm";
}

// The value options of placements and measuring runs.
bool ApplyMeasureValue(const std::string& name, const std::string& value, RunOptions& o,
                       std::string& error) {
    if (name == "--eye" || name == "--light") {
        const OrbitLimits& limits = name == "--eye" ? EYE_LIMITS : LIGHT_LIMITS;
        if (ParseOrbit(value, limits, name == "--eye" ? o.eye : o.light))
            return true;
        error = OrbitError(name, value, limits);
    } else if (name == "--stability") {
        if (ParseInt(value, 2, MAX_STABILITY_FRAMES, o.stability))
            return true;
        error = "--stability: '" + value + "' is not a whole number of frames from 2 to 100000";
    } else if (name == "--heatmap" || name == "--dump-shadowmap") {
        if (!value.empty()) {
            (name == "--heatmap" ? o.heatmap : o.dumpShadowMap) = value;
            return true;
        }
        error = name + " needs a file name";
    }
    return false;
}

// Applies an option that takes a value; false with a message when the value
// is bad.
bool ApplyValue(const std::string& name, const std::string& value, RunOptions& o,
                std::string& error) {
    if (name == "--frames") {
        if (ParseInt(value, 1, INT_MAX, o.frames))
            return true;
        error = "--frames: '" + value + "' is not a whole number of frames from 1";
    } else if (name == "--screenshot") {
        if (!value.empty()) {
            o.screenshot = value;
            return true;
        }
        error = "--screenshot needs a file name";
    } else if (name == "--mode") {
        if (IsMode(value)) {
            o.mode = value;
            return true;
        }
        error = "--mode: '" + value + "' is not one of kvx-hq, kvx, ssm, lispsm, csm";
    } else if (name == "--size") {
        if (ParseSize(value, o.width, o.height))
            return true;
        error = "--size: '" + value + "' is not WIDTHxHEIGHT with each from 16 to 8192";
    } else {
        return ApplyMeasureValue(name, value, o, error);
    }
    return false;
}

bool TakesValue(const std::string& name) {
    for (const char* option : {"--frames", "--screenshot", "--mode", "--size", "--eye", "--light",
                               "--stability", "--dump-shadowmap", "--heatmap"}) {
        if (name == option)
            return true;
    }
    return false;
}

// Measuring runs replace the frame loop, so the frame loop's own options
// cannot go with them.
bool CheckCombination(const RunOptions& o, std::string& error) {
    if (o.json && !o.measure && o.stability == 0 && !o.bench) {
        error = "--json needs --measure, --stability or --bench";
        return false;
    }
    if (o.Measuring() && (o.frames > 0 || !o.screenshot.empty() || o.bench)) {
        error =
            "measuring options run instead of the frame loop: leave out --frames, "
            "--screenshot and --bench";
        return false;
    }
    return true;
}

}  // namespace

bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options,
                     std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--batch") {
            options.batch = true;
        } else if (arg == "--bench") {
            options.bench = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--measure") {
            options.measure = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--check-gl") {
            options.checkGl = true;
        } else if (TakesValue(arg)) {
            if (i + 1 == args.size()) {
                error = arg + " needs a value";
                return false;
            }
            if (!ApplyValue(arg, args[++i], options, error))
                return false;
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    if (!CheckCombination(options, error))
        return false;
    if (!options.screenshot.empty() && options.frames == 0) {
        options.frames = DEFAULT_SCREENSHOT_FRAMES;
    }
    return true;
}

bool RunOptions::Measuring() const {
    return measure || stability > 0 || !dumpShadowMap.empty() || !heatmap.empty();
}
