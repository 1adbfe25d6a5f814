#include "sound/sound_zone.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct SphereCase {
    const char* what;
    float sphere[4];
    float point[3];
    bool inside;
};

const SphereCase SPHERE_CASES[] = {
    {"centre", {72.0f, 8.5f, 5.0f, 20.0f}, {72.0f, 8.5f, 5.0f}, true},
    {"on the surface along x", {72.0f, 8.5f, 5.0f, 20.0f}, {92.0f, 8.5f, 5.0f}, true},
    {"on the surface along -y", {72.0f, 8.5f, 5.0f, 20.0f}, {72.0f, -11.5f, 5.0f}, true},
    {"just beyond the surface",
     {72.0f, 8.5f, 5.0f, 20.0f},
     {std::nextafter(92.0f, 100.0f), 8.5f, 5.0f},
     false},
    {"on the surface off the axes", {0.0f, 42.0f, 70.0f, 50.0f}, {30.0f, 82.0f, 70.0f}, true},
    {"just outside off the axes", {0.0f, 42.0f, 70.0f, 50.0f}, {30.0f, 82.01f, 70.0f}, false},
    {"each axis counts", {0.0f, 0.0f, 0.0f, 10.0f}, {6.0f, 6.0f, 6.0f}, false},
    {"inside off the axes", {0.0f, 0.0f, 0.0f, 10.0f}, {5.0f, 5.0f, 5.0f}, true},
};

TEST(IsInsideSoundZoneTest, PointsOnTheSurfaceCountAsInside) {
    for (const SphereCase& c : SPHERE_CASES) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IsInsideSoundZone(c.sphere, c.point), c.inside);
    }
}

}  // namespace
