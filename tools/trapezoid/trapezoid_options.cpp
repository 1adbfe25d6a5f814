#include "tools/trapezoid/trapezoid_options.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

const char* const USAGE = "Usage: kvx-trapezoid [options]";

const char* const DESCRIPTION =
    "Fits the warped shadow map's trapezoid around the eye's view frustum as the\n"
    "light sees it, and prints every stage of the fit: the hulls of the projected\n"
    "eye frustum and focus region, the centre line, the trapezoid's corners, the\n"
    "number of focus search steps, the final focus percentage and the matrix N_T\n"
    "(16 floats in storage order, column by column).\n"
    "\n"
    "Both cameras orbit the origin and look at it. Angles are in degrees.";

const char* const ONE_FIGURE_GROUP =
    "One figure at a time (any elevation, distance > 0; not with --eye or --light)";

// The longest option with its value, "--light-elevation DEG", and two spaces.
constexpr std::size_t OPTION_COLUMN = 26;

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

// An option that sets one number of the options.
struct NumberOption {
    const char* name;
    const char* type;
    const char* description;
    float& (*field)(TrapezoidOptions&);
    bool (*parse)(const std::string& text, float& value);
    float minimum;          // values must be greater than this
    const char* range;      // says so in words
    const char* wholeForm;  // the option giving the whole placement, which this one cannot go with
};

const NumberOption CAMERA_OPTIONS[] = {
    {"--aspect", "W/H", "window aspect ratio, a number or W:H (default 4:3)",
     [](TrapezoidOptions& o) -> float& { return o.aspect; }, ParseAspect, 0.0f, "greater than 0",
     nullptr},
    {"--eye-far", "D", "eye far plane distance, > 1 (default 380)",
     [](TrapezoidOptions& o) -> float& { return o.eyeFar; }, ParseFloat, 1.0f,
     "greater than the near distance 1", nullptr},
};

const NumberOption ONE_FIGURE_OPTIONS[] = {
    {"--eye-elevation", "DEG", "eye elevation above the ground plane (default 20)",
     [](TrapezoidOptions& o) -> float& { return o.eye.elevation; }, ParseFloat, -INFINITY, nullptr,
     "--eye"},
    {"--eye-azimuth", "DEG", "eye azimuth about the vertical axis (default -135)",
     [](TrapezoidOptions& o) -> float& { return o.eye.azimuth; }, ParseFloat, -INFINITY, nullptr,
     "--eye"},
    {"--eye-distance", "D",
     "eye distance from the origin, > 0 (default 160);\nalso the far end of the focus region",
     [](TrapezoidOptions& o) -> float& { return o.eye.distance; }, ParseFloat, 0.0f,
     "greater than 0", "--eye"},
    {"--light-elevation", "DEG", "light elevation (default 90: straight above)",
     [](TrapezoidOptions& o) -> float& { return o.light.elevation; }, ParseFloat, -INFINITY,
     nullptr, "--light"},
    {"--light-azimuth", "DEG", "light azimuth (default -135)",
     [](TrapezoidOptions& o) -> float& { return o.light.azimuth; }, ParseFloat, -INFINITY, nullptr,
     "--light"},
    {"--light-distance", "D", "light distance from the origin, > 0 (default 1200)",
     [](TrapezoidOptions& o) -> float& { return o.light.distance; }, ParseFloat, 0.0f,
     "greater than 0", "--light"},
};

void AddNumberOption(CLI::App& app, const NumberOption& n, TrapezoidOptions& o) {
    CLI::Option* option =
        AddValueOption(app, n.name, n.type, n.description, [&n, &o](const std::string& text) {
            float value = 0.0f;
            if (!n.parse(text, value))
                return std::string(n.name) + ": '" + text + "' is not a number";
            if (!(value > n.minimum))
                return std::string(n.name) + ": " + text + " is out of range (must be " + n.range +
                       ")";
            n.field(o) = value;
            return std::string();
        });
    if (n.wholeForm != nullptr)
        option->excludes(app.get_option(n.wholeForm));
}

}  // namespace

CommandLineOutcome ParseTrapezoidOptions(const std::vector<std::string>& args,
                                         TrapezoidOptions& options) {
    CLI::App app(DESCRIPTION, "kvx-trapezoid");
    SetUpCommandLine(app, USAGE);
    app.get_formatter()->column_width(OPTION_COLUMN);
    AddOrbitOption(app, "--eye",
                   "eye at elevation E (5 to 175 degrees), azimuth A\n"
                   "(degrees) and distance D (10 to 200), as kvx-demo\n"
                   "takes it (default 20,-135,160); D is also the far\n"
                   "end of the focus region",
                   EYE_LIMITS, options.eye);
    AddOrbitOption(app, "--light",
                   "light at elevation E (25 to 155), azimuth A and\n"
                   "distance D (800 to 2000), as kvx-demo takes it\n"
                   "(default 90,-135,1200: straight above)",
                   LIGHT_LIMITS, options.light);
    for (const NumberOption& n : CAMERA_OPTIONS)
        AddNumberOption(app, n, options);
    app.add_flag("--json", options.json, "print the same figures as one JSON object");
    app.option_defaults()->group(ONE_FIGURE_GROUP);
    for (const NumberOption& n : ONE_FIGURE_OPTIONS)
        AddNumberOption(app, n, options);
    return ParseCommandLine(app, args);
}
