#include "tools/bake/placement.h"

#include <cmath>

namespace bake {

namespace {

constexpr float DEGREES = 3.14159265358979f / 180.0f;

Vec3 Uniform(float s) {
    return {s, s, s};
}

}  // namespace

const std::vector<Placement>& ScenePlacements() {
    static const std::vector<Placement> placements = {
        {"F1", {-10, 20, -65}, -130, Uniform(0.8f), 0},
        {"F2", {10, 24, -15}, 65, Uniform(1), 0},
        {"F3", {-90, 25, -15}, -15, Uniform(1.1f), 0},
        {"F4", {50, 24, -60}, -90, Uniform(1), 0},
        {"S1", {55, 20, 15}, 0, Uniform(40), -90},
        {"S1", {28, 13, 28}, -90, Uniform(25), -90},
        {"S1", {72, 8.5f, 5}, 0, Uniform(18), -90},
        {"S2", {0, 42, 70}, 0, Uniform(105), 0},
        {"F5", {72, 5, -28}, 45, Uniform(0.1f), 0},
        {"S3", {110, 10, 45}, -135, Uniform(55), -90},
        {"S4", {-95, 30, 0}, 0, {110, 250, 150}, -90},
    };
    return placements;
}

std::vector<Placement> PlacementsOf(const std::string& object) {
    std::vector<Placement> found;
    for (const Placement& p : ScenePlacements()) {
        if (p.object == object) {
            found.push_back(p);
        }
    }
    return found;
}

Vec3 PlacePoint(const Placement& placement, const Vec3& point) {
    const float cp = std::cos(placement.pitch * DEGREES);
    const float sp = std::sin(placement.pitch * DEGREES);
    const Vec3 pitched{point[0], point[1] * cp - point[2] * sp, point[1] * sp + point[2] * cp};
    const Vec3 scaled{pitched[0] * placement.scale[0], pitched[1] * placement.scale[1],
                      pitched[2] * placement.scale[2]};
    const float cy = std::cos(placement.yaw * DEGREES);
    const float sy = std::sin(placement.yaw * DEGREES);
    return {placement.translate[0] + scaled[0] * cy + scaled[2] * sy,
            placement.translate[1] + scaled[1],
            placement.translate[2] - scaled[0] * sy + scaled[2] * cy};
}

}  // namespace bake
