#pragma once

#include <string>

#include "view/camera_placement.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

// An orbit placement given on the command line: elevation and azimuth in
// degrees, distance from the origin.
struct OrbitOption {
    bool set = false;
    float elevation = 0.0f;
    float azimuth = 0.0f;
    float distance = 0.0f;
};

// The ranges a placement's elevation and distance must lie in.
struct OrbitLimits {
    float elevationMin, elevationMax;
    float distanceMin, distanceMax;
};

// The azimuth a placement may give, in degrees either way.
constexpr float MAX_ORBIT_AZIMUTH = 3600.0f;

// The ranges mouse navigation keeps each camera in.
constexpr OrbitLimits EYE_LIMITS = {5.0f, 175.0f, 10.0f, 200.0f};
constexpr OrbitLimits LIGHT_LIMITS = {25.0f, 155.0f, 800.0f, 2000.0f};

// What a placement within limits is, for messages: "ELEVATION,AZIMUTH,DISTANCE
// with elevation 5 to 175 and distance 10 to 200".
std::string OrbitForm(const OrbitLimits& limits);

// Reads "ELEVATION,AZIMUTH,DISTANCE" within the limits (the azimuth within
// +-3600 degrees); false leaves orbit unset.
bool ParseOrbit(const std::string& text, const OrbitLimits& limits, OrbitOption& orbit);

// An azimuth in degrees brought into (-180, 180]: the same direction, in the
// range the option takes however far a drag has turned the camera.
float NormalisedAzimuth(float degrees);

// "E,A,D" as ParseOrbit reads it: each value to a hundredth, the azimuth
// normalised. Within the limits when the place is.
std::string OrbitText(const OrbitPlace& place);

// "--eye E,A,D --light E,A,D": pasted on a command line, it starts the
// program with the cameras where the placement has them.
std::string PlacementLine(const CameraPlacement& placement);

// The option NAME E,A,D (--eye or --light), the same in every program that
// places a camera, read into orbit.
CLI::Option* AddOrbitOption(CLI::App& app, const std::string& name, const std::string& description,
                            const OrbitLimits& limits, OrbitOption& orbit);
