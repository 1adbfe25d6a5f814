#include "tools/bake/placement.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bake {
namespace {

void ExpectNear(const Vec3& actual, const Vec3& expected) {
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(actual[k], expected[k], 1e-4f) << "axis " << k;
    }
}

TEST(Placement, TableHoldsElevenObjectsAndThreeBoulders) {
    EXPECT_EQ(ScenePlacements().size(), 11u);
    EXPECT_EQ(PlacementsOf("S1").size(), 3u);
    EXPECT_EQ(PlacementsOf("F5").at(0).scale[1], 0.1f);
}

TEST(Placement, StepsActOnTheModelInReverseOrder) {
    // S1's second stand: translate (28, 13, 28), rotate -90 about y, scale 25, rotate -90
    // about x. Model +z turns into +y; model +x then turns into +z under the yaw.
    const Placement boulder = PlacementsOf("S1").at(1);
    ExpectNear(PlacePoint(boulder, {0, 0, 0}), {28, 13, 28});
    ExpectNear(PlacePoint(boulder, {0, 0, 1}), {28, 38, 28});
    ExpectNear(PlacePoint(boulder, {1, 0, 0}), {28, 13, 53});
    ExpectNear(PlacePoint(boulder, {0, 1, 0}), {53, 13, 28});
    // S4 scales after its quarter turn: model z (up) gets the 250.
    ExpectNear(PlacePoint(PlacementsOf("S4").at(0), {0.1f, 0.1f, 0.1f}), {-84, 55, -15});
    // F2: translate (10, 24, -15), rotate 65 about y, no scale.
    const float c = std::cos(65.0f * 3.14159265f / 180.0f);
    const float s = std::sin(65.0f * 3.14159265f / 180.0f);
    ExpectNear(PlacePoint(PlacementsOf("F2").at(0), {1, 0, 0}), {10 + c, 24, -15 - s});
}

}  // namespace
}  // namespace bake
