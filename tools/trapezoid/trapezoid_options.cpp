#include "tools/trapezoid/trapezoid_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

const char* const TRAPEZOID_USAGE =
    "Usage: kvx-trapezoid [options]\n"
    "\n"
    "Fits the warped shadow map's trapezoid around the eye's view frustum as the\n"
    "light sees it, and prints every stage of the fit: the hulls of the projected\n"
    "eye frustum and focus region, the centre line, the trapezoid's corners, the\n"
    "number of focus search steps, the final focus percentage and the matrix N_T\n"
    "(16 floats in storage order, column by column).\n"
    "\n"
    "Both cameras orbit the origin and look at it. Angles are in degrees.\n"
    "  --eye-elevation DEG     eye elevation above the ground plane (default 20)\n"
    "  --eye-azimuth DEG       eye azimuth about the vertical axis (default -135)\n"
    "  --eye-distance D        eye distance from the origin, > 0 (default 160);\n"
    "                          also the far end of the focus region\n"
    "  --aspect W/H            window aspect ratio, a number or W:H (default 4:3)\n"
    "  --eye-far D             eye far plane distance, > 1 (default 380)\n"
    "  --light-elevation DEG   light elevation (default 90: straight above)\n"
    "  --light-azimuth DEG     light azimuth (default -135)\n"
    "  --light-distance D      light distance from the origin, > 0 (default 1200)\n"
    "  --help                  show this text\n";

namespace {

bool ParseFloat(const std::string& text, float& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// A plain number or a ratio W:H (or W/H) of two positive numbers.
bool ParseAspect(const std::string& text, float& value) {
    const size_t sep = text.find_first_of(":/");
    if (sep == std::string::npos)
        return ParseFloat(text, value);
    float w = 0.0f;
    float h = 0.0f;
    if (!ParseFloat(text.substr(0, sep), w) || !ParseFloat(text.substr(sep + 1), h))
        return false;
    if (h <= 0.0f || !std::isfinite(w / h))
        return false;
    value = w / h;
    return true;
}

struct Option {
    const char* name;
    float TrapezoidOptions::*field;
    float minimum;  // values must be greater than this
    const char* range;
};

const Option OPTIONS[] = {
    {"--eye-elevation", &TrapezoidOptions::eyeElevation, -INFINITY, nullptr},
    {"--eye-azimuth", &TrapezoidOptions::eyeAzimuth, -INFINITY, nullptr},
    {"--eye-distance", &TrapezoidOptions::eyeDistance, 0.0f, "greater than 0"},
    {"--aspect", &TrapezoidOptions::aspect, 0.0f, "greater than 0"},
    {"--eye-far", &TrapezoidOptions::eyeFar, 1.0f, "greater than the near distance 1"},
    {"--light-elevation", &TrapezoidOptions::lightElevation, -INFINITY, nullptr},
    {"--light-azimuth", &TrapezoidOptions::lightAzimuth, -INFINITY, nullptr},
    {"--light-distance", &TrapezoidOptions::lightDistance, 0.0f, "greater than 0"},
};

const Option* FindOption(const std::string& name) {
    for (const Option& option : OPTIONS) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

}  // namespace

bool ParseTrapezoidOptions(const std::vector<std::string>& args, TrapezoidOptions& options,
                           std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        const Option* option = FindOption(arg);
        if (option == nullptr) {
            error = "unknown argument '" + arg + "'";
            return false;
        }
        if (i + 1 == args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& text = args[++i];
        float value = 0.0f;
        const bool parsed = option->field == &TrapezoidOptions::aspect ? ParseAspect(text, value)
                                                                       : ParseFloat(text, value);
        if (!parsed) {
            error = arg + ": '" + text + "' is not a number";
            return false;
        }
        if (!(value > option->minimum)) {
            error = arg + ": " + text + " is out of range (must be " + option->range + ")";
            return false;
        }
        options.*(option->field) = value;
    }
    return true;
}
