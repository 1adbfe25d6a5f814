#include "tools/bake/soup_edit.h"

#include <gtest/gtest.h>

#include <map>

namespace bake {
namespace {

// The eight faces of an octahedron, wound outwards.
std::vector<SoupTriangle> Octahedron() {
    const Vec3 px{1, 0, 0}, nx{-1, 0, 0}, py{0, 1, 0}, ny{0, -1, 0}, pz{0, 0, 1}, nz{0, 0, -1};
    const Vec3 faces[8][3] = {{px, py, pz}, {py, nx, pz}, {nx, ny, pz}, {ny, px, pz},
                              {py, px, nz}, {nx, py, nz}, {ny, nx, nz}, {px, ny, nz}};
    std::vector<SoupTriangle> triangles;
    for (const auto& f : faces) {
        SoupTriangle t{};
        t.position = {f[0], f[1], f[2]};
        triangles.push_back(t);
    }
    return triangles;
}

TEST(SoupEdit, RoughenMovesCornersAtOnePositionTogether) {
    std::vector<SoupTriangle> triangles = Octahedron();
    const std::vector<SoupTriangle> before = triangles;
    Roughen(triangles, 0.3f, 3u);
    std::map<Vec3, Vec3> moved;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            const auto [it, added] = moved.emplace(before[i].position[c], triangles[i].position[c]);
            EXPECT_EQ(it->second, triangles[i].position[c]) << "a crack opened";
        }
    }
    EXPECT_EQ(moved.size(), 6u);
}

TEST(SoupEdit, SmoothNormalsPointOutwardsAlongTheCornerDirections) {
    std::vector<SoupTriangle> triangles = Octahedron();
    SmoothNormals(triangles);
    for (const SoupTriangle& t : triangles) {
        for (int c = 0; c < 3; ++c) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(t.normal[c][k], t.position[c][k], 1e-6f);
            }
        }
    }
}

TEST(SoupEdit, FitToGroundScalesAcrossAndSetsTheBase) {
    std::vector<SoupTriangle> triangles = Octahedron();
    FitToGround(triangles, 2, 4.0f, 0.25f);
    const Bounds b = BoundsOf(triangles);
    EXPECT_FLOAT_EQ(b.high[0] - b.low[0], 4.0f);
    EXPECT_FLOAT_EQ(b.low[0], -2.0f);
    EXPECT_FLOAT_EQ(b.low[2], -1.0f);  // a quarter of the height of 4 below the origin
    EXPECT_FLOAT_EQ(b.high[2], 3.0f);
}

}  // namespace
}  // namespace bake
