#include "scene/terrain_chunks.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "scene/terrain_mesh.h"

namespace {

using Triangle = std::array<uint32_t, 3>;

// The triangles GL draws from a strip: every second one with its first two
// corners swapped, and none with a repeated corner.
std::vector<Triangle> StripTriangles(const std::vector<uint32_t>& strip, int count) {
    std::vector<Triangle> triangles;
    for (int i = 0; i + 2 < count; ++i) {
        Triangle t = {strip[i], strip[i + 1], strip[i + 2]};
        if (i % 2 == 1)
            std::swap(t[0], t[1]);
        if (t[0] != t[1] && t[1] != t[2] && t[0] != t[2])
            triangles.push_back(t);
    }
    return triangles;
}

bool Holds(const gmtl::AABoxf& box, const float* p) {
    for (unsigned axis = 0; axis < 3; ++axis) {
        if (p[axis] < box.getMin()[axis] || p[axis] > box.getMax()[axis])
            return false;
    }
    return true;
}

// Terrains of odd and even sizes cut into grids of several sizes: the chunks
// hold exactly the strip's triangles, corners in the same order (so each is
// rasterised as the strip would), each chunk's box holds its corners, and a
// triangle's order within its chunk is the strip's.
TEST(SplitTerrainStrip, ChunksDrawExactlyTheStripsTriangles) {
    const int sizes[][2] = {{2, 2}, {5, 4}, {6, 7}, {17, 12}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        std::vector<uint8_t> pixels(3 * static_cast<size_t>(w) * h);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 37 % 251);
        std::vector<float> vertices;
        std::vector<uint32_t> strip;
        const int count =
            BuildTerrainMesh(vertices, strip, pixels.data(), w, h, -10, 0, 10, 2, 0.1f, 2);
        const std::vector<Triangle> expected = StripTriangles(strip, count);
        for (int cells : {1, 3, 4}) {
            const std::vector<TerrainChunk> chunks =
                SplitTerrainStrip(vertices, strip.data(), count, cells);
            std::vector<int> seen(expected.size(), 0);
            for (const TerrainChunk& chunk : chunks) {
                ASSERT_EQ(chunk.indices.size() % 3, 0u);
                size_t lastAt = 0;
                for (size_t t = 0; t < chunk.indices.size(); t += 3) {
                    const Triangle triangle = {chunk.indices[t], chunk.indices[t + 1],
                                               chunk.indices[t + 2]};
                    size_t at = lastAt;
                    while (at < expected.size() && (expected[at] != triangle || seen[at] > 0))
                        ++at;
                    ASSERT_LT(at, expected.size()) << w << "x" << h << " in " << cells;
                    seen[at] += 1;
                    lastAt = at;
                    for (uint32_t corner : triangle)
                        EXPECT_TRUE(Holds(chunk.box, &vertices[corner * 8 + 5]));
                }
            }
            for (size_t i = 0; i < seen.size(); ++i)
                EXPECT_EQ(seen[i], 1) << w << "x" << h << " in " << cells << ": triangle " << i;
            if (w > 2) {
                EXPECT_EQ(chunks.size() == 1, cells == 1) << w << "x" << h;
            }
        }
    }
}

TEST(SplitTerrainStrip, NothingToSplitGivesNoChunks) {
    const std::vector<float> noVertices;
    const uint32_t strip[] = {0, 1, 2};
    EXPECT_TRUE(SplitTerrainStrip(noVertices, strip, 3, 4).empty());
    const std::vector<float> one(8 * 3, 0.0f);
    EXPECT_TRUE(SplitTerrainStrip(one, strip, 2, 4).empty());
}

}  // namespace
