#include "scene/terrain_height.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A terrain of 3 x 2 vertices 2.5 apart from (-160, 160) along +x and -z, at
// heights 0.2 times the red bytes 10 20 40 (first row) and 30 30 30.
TerrainMesh SmallTerrain() {
    const std::uint8_t red[] = {10, 20, 40, 30, 30, 30};
    std::vector<std::uint8_t> pixels;
    for (std::uint8_t r : red)
        pixels.insert(pixels.end(), {r, 0, 0});
    TerrainMesh mesh;
    mesh.m_iIndexCount = BuildTerrainMesh(mesh.m_pVertices, mesh.m_pIndices, pixels.data(), 3, 2,
                                          -160.0f, 0.0f, 160.0f, 2.5f, 0.2f, 2.5f);
    return mesh;
}

TEST(TerrainHeight, InterpolatesBetweenTheVerticesAroundThePoint) {
    const TerrainMesh mesh = SmallTerrain();
    const struct {
        const char* what;
        float x, z;
        bool inside;
        float height;
    } cases[] = {
        {"the first vertex", -160.0f, 160.0f, true, 2.0f},
        {"the last vertex", -155.0f, 157.5f, true, 6.0f},
        {"half way along the first row", -158.75f, 160.0f, true, 3.0f},
        {"the middle of the second cell", -156.25f, 158.75f, true, 0.5f * (6.0f + 6.0f)},
        {"beyond the last column", -154.9f, 159.0f, false, 0.0f},
        {"before the first row", -158.0f, 160.1f, false, 0.0f},
        {"not a number", std::nanf(""), 159.0f, false, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        float height = -1.0f;
        EXPECT_EQ(TerrainHeightAt(mesh, c.x, c.z, height), c.inside);
        if (c.inside) {
            EXPECT_NEAR(height, c.height, 1e-4f);
        }
    }
    float height = 0.0f;
    EXPECT_FALSE(TerrainHeightAt(TerrainMesh(), -160.0f, 160.0f, height));
}

}  // namespace
