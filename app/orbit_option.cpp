#include "app/orbit_option.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/command_line_parser.h"

namespace {

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

// Rounded to a hundredth, and never "-0".
double Hundredths(float value) {
    const double rounded = std::round(static_cast<double>(value) * 100.0) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

}  // namespace

std::string OrbitForm(const OrbitLimits& limits) {
    char text[120];
    std::snprintf(text, sizeof text,
                  "ELEVATION,AZIMUTH,DISTANCE with elevation %g to %g and distance %g to %g",
                  limits.elevationMin, limits.elevationMax, limits.distanceMin, limits.distanceMax);
    return text;
}

bool ParseOrbit(const std::string& text, const OrbitLimits& limits, OrbitOption& orbit) {
    const size_t a = text.find(',');
    const size_t b = a == std::string::npos ? a : text.find(',', a + 1);
    if (b == std::string::npos)
        return false;
    OrbitOption read;
    read.set =
        ParseFloat(text.substr(0, a), limits.elevationMin, limits.elevationMax, read.elevation) &&
        ParseFloat(text.substr(a + 1, b - a - 1), -MAX_ORBIT_AZIMUTH, MAX_ORBIT_AZIMUTH,
                   read.azimuth) &&
        ParseFloat(text.substr(b + 1), limits.distanceMin, limits.distanceMax, read.distance);
    if (read.set)
        orbit = read;
    return read.set;
}

float NormalisedAzimuth(float degrees) {
    float turned = std::fmod(degrees, 360.0f);
    if (turned <= -180.0f)
        turned += 360.0f;
    else if (turned > 180.0f)
        turned -= 360.0f;
    return turned;
}

std::string OrbitText(const OrbitPlace& place) {
    char text[64];
    std::snprintf(text, sizeof text, "%g,%g,%g", Hundredths(place.elevation),
                  Hundredths(NormalisedAzimuth(place.azimuth)), Hundredths(place.distance));
    return text;
}

std::string PlacementLine(const CameraPlacement& placement) {
    return "--eye " + OrbitText(placement.eye) + " --light " + OrbitText(placement.light);
}

CLI::Option* AddOrbitOption(CLI::App& app, const std::string& name, const std::string& description,
                            const OrbitLimits& limits, OrbitOption& orbit) {
    return AddValueOption(app, name, "E,A,D", description,
                          [name, limits, &orbit](const std::string& text) {
                              return ParseOrbit(text, limits, orbit)
                                         ? std::string()
                                         : name + ": '" + text + "' is not " + OrbitForm(limits);
                          });
}
