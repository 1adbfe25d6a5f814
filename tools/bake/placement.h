#pragma once

#include <string>
#include <vector>

#include "tools/bake/bake_types.h"

namespace bake {

// Where an object of the scene stands: the transform translate(t) * rotateY(yaw) * scale(s) *
// rotateX(pitch), applied to the model's vertices from the right. Angles in degrees.
struct Placement {
    std::string object;  // "F1" .. "F5", "S1" .. "S4"
    Vec3 translate;
    float yaw;
    Vec3 scale;
    float pitch;  // -90 for models built z-up, 0 for y-up ones
};

// The scene's fixed placements, in draw order.
const std::vector<Placement>& ScenePlacements();

// The placements of one object (S1 stands three times).
std::vector<Placement> PlacementsOf(const std::string& object);

// A model-space point moved into the world by a placement.
Vec3 PlacePoint(const Placement& placement, const Vec3& point);

}  // namespace bake
