#include "app/command_line.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

const char* const RUN_USAGE =
    "Usage: kvx-demo [options]\n"
    "\n"
    "Real-time shadows with a warped (trapezoidal) shadow map. Without options the\n"
    "demo opens its window and runs until closed. Control + left drag rotates the\n"
    "eye (or the light), Shift + left drag zooms; the Options menu switches modes.\n"
    "\n"
    "  --frames N          render N frames, then exit (status 0)\n"
    "  --screenshot FILE   save the last frame as a PNG image (with --frames,\n"
    "                      or after 30 frames)\n"
    "  --mode MODE         start in kvx-hq (KVX High Quality), kvx or ssm\n"
    "  --size WxH          client size of the view in pixels (default 800x600)\n"
    "  --batch             print messages on standard error instead of showing\n"
    "                      message boxes (also chosen when there is no display)\n"
    "  --bench             render each mode in turn and print the median frame\n"
    "                      time and the time spent in the trapezoid fit and in\n"
    "                      the depth-buffer copy, then exit\n"
    "  --help              show this text\n";

namespace {

constexpr int DEFAULT_SCREENSHOT_FRAMES = 30;
constexpr int MIN_SIZE = 16;
constexpr int MAX_SIZE = 8192;

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

bool IsMode(const std::string& mode) {
    return mode == "kvx-hq" || mode == "kvx" || mode == "ssm";
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
        error = "--mode: '" + value + "' is not one of kvx-hq, kvx, ssm";
    } else if (name == "--size") {
        if (ParseSize(value, o.width, o.height))
            return true;
        error = "--size: '" + value + "' is not WIDTHxHEIGHT with each from 16 to 8192";
    }
    return false;
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
        } else if (arg == "--frames" || arg == "--screenshot" || arg == "--mode" ||
                   arg == "--size") {
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
    if (!options.screenshot.empty() && options.frames == 0) {
        options.frames = DEFAULT_SCREENSHOT_FRAMES;
    }
    return true;
}
