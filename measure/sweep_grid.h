#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "math/camera.h"
#include "math/gmtl.h"

// The views of a sweep: gamma, the angle between the eye's view direction
// and the direction from the eye towards the light, over a range of angles,
// at each of a list of light elevations.
struct SweepGrid {
    float gammaFrom = 0.0f;  // degrees
    float gammaTo = 180.0f;
    float gammaStep = 10.0f;
    std::vector<float> lightElevations{30.0f, 50.0f, 70.0f};
};

// "FROM:TO:STEP/E1,E2,...": gamma from 0 to 180 with FROM <= TO and a step
// above 0, light elevations from 1 to 90, at most MAX_SWEEP_VIEWS views in
// all. False (the grid as it was) otherwise.
bool ParseSweepGrid(const std::string& text, SweepGrid& grid);
constexpr size_t MAX_SWEEP_VIEWS = 100000;

struct SweepView {
    float gamma;
    float lightElevation;
};

// The grid's views, elevation by elevation, gamma rising within each.
std::vector<SweepView> SweepViews(const SweepGrid& grid);

// One of `count` processes that split a sweep: the views index, index +
// count, index + 2 count, ... of SweepViews; index from 0 to count - 1.
struct Shard {
    int index = 0;
    int count = 1;
};

// "K/N" with 0 <= K < N <= 100000. False (the shard as it was) otherwise.
bool ParseShard(const std::string& text, Shard& shard);
bool InShard(size_t view, const Shard& shard);

// The unit direction at gamma degrees from towardsLight that is nearest to
// forward: on the great circle from towardsLight through forward.
gmtl::Vec3f DirectionAtGamma(const gmtl::Vec3f& forward, const gmtl::Vec3f& towardsLight,
                             float gammaDegrees);

// Where one view of a sweep puts the light and the eye's view.
struct SweepPlacement {
    float lightAzimuth = 0.0f;  // degrees
    gmtl::Vec3f viewDirection;
};

// The light (whose projection is set) at its distance from the origin and
// the given elevation, at the azimuth that puts the direction from the eye
// towards it gamma degrees from the eye's view direction `forward`; the view
// stays as it is. Where no azimuth reaches gamma, the light takes the
// nearest and the view turns the rest of the way (DirectionAtGamma).
SweepPlacement PlaceForGamma(Camera light, float lightElevation, const gmtl::Vec3f& eyePosition,
                             const gmtl::Vec3f& forward, float gammaDegrees);

// The view matrix of an eye at `position` looking along `direction` with
// the world's y axis up (x up when looking straight up or down).
gmtl::Matrix44f LookAlong(const gmtl::Vec3f& position, const gmtl::Vec3f& direction);

// The direction's angle above the horizon in degrees.
float ElevationDegrees(const gmtl::Vec3f& direction);
