#include "scene/terrain_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

namespace {

constexpr int FLOATS = 8;

// A height image of width x height pixels whose red byte is height(k, i).
std::vector<uint8_t> HeightImage(int width, int height, const std::function<int(int, int)>& red) {
    std::vector<uint8_t> pixels(3 * static_cast<size_t>(width) * height, 7);
    for (int k = 0; k < height; ++k)
        for (int i = 0; i < width; ++i)
            pixels[3 * (static_cast<size_t>(k) * width + i)] = static_cast<uint8_t>(red(k, i));
    return pixels;
}

struct Terrain {
    std::vector<float> vertices;
    std::vector<uint32_t> indices;
    int count = 0;
};

Terrain Build(int width, int height, const std::function<int(int, int)>& red) {
    Terrain t;
    const std::vector<uint8_t> pixels = HeightImage(width, height, red);
    t.count = BuildTerrainMesh(t.vertices, t.indices, pixels.data(), width, height, -160.0f, 0.0f,
                               160.0f, 2.5f, 0.2f, 2.5f);
    return t;
}

int Flat(int, int) {
    return 100;
}

const float* Vertex(const Terrain& t, int width, int k, int i) {
    return &t.vertices[FLOATS * (static_cast<size_t>(k) * width + i)];
}

TEST(TerrainMeshTest, StripIndicesOfSmallGrids) {
    const Terrain three = Build(3, 3, Flat);
    EXPECT_EQ(three.count, 11);
    EXPECT_EQ(three.indices, (std::vector<uint32_t>{0, 3, 1, 4, 2, 5, 8, 4, 7, 3, 6}));

    // An even height writes one index more than it draws.
    const Terrain four = Build(3, 4, Flat);
    EXPECT_EQ(four.count, 16);
    EXPECT_EQ(four.indices,
              (std::vector<uint32_t>{0, 3, 1, 4, 2, 5, 8, 4, 7, 3, 6, 9, 7, 10, 8, 11, 14}));
}

// The strip's triangles, taken as vertex sets in plan view, are exactly the
// two triangles of every grid cell plus area-less slivers at the turns.
TEST(TerrainMeshTest, StripCoversEveryCellOnceForOddAndEvenHeights) {
    for (int width = 2; width <= 6; ++width) {
        for (int height = 2; height <= 7; ++height) {
            const Terrain t = Build(width, height, Flat);
            const int expected = height % 2 == 1 ? (height - 1) * (2 * width - 1) + 1
                                                 : 2 * width * (height - 1) - (height - 2);
            ASSERT_EQ(t.count, expected) << width << " x " << height;
            ASSERT_GE(t.indices.size(), static_cast<size_t>(t.count));
            std::set<std::set<uint32_t>> triangles;
            double area = 0.0;
            for (int j = 0; j + 2 < t.count; ++j) {
                const uint32_t v[3] = {t.indices[j], t.indices[j + 1], t.indices[j + 2]};
                for (uint32_t n : v)
                    ASSERT_LT(n, static_cast<uint32_t>(width * height));
                const float* a = &t.vertices[FLOATS * v[0] + 5];
                const float* b = &t.vertices[FLOATS * v[1] + 5];
                const float* c = &t.vertices[FLOATS * v[2] + 5];
                const double plan =
                    0.5 * std::fabs((b[0] - a[0]) * (c[2] - a[2]) - (c[0] - a[0]) * (b[2] - a[2]));
                if (plan > 0.0) {
                    triangles.insert({v[0], v[1], v[2]});
                    area += plan;
                }
            }
            EXPECT_EQ(triangles.size(), 2u * (width - 1) * (height - 1))
                << width << " x " << height;
            EXPECT_DOUBLE_EQ(area, 6.25 * (width - 1) * (height - 1)) << width << " x " << height;
        }
    }
}

TEST(TerrainMeshTest, FlatGroundHasUpNormalsInsideAndNoneOnTheBorder) {
    const int w = 5, h = 4;
    const Terrain t = Build(w, h, Flat);
    for (int k = 0; k < h; ++k) {
        for (int i = 0; i < w; ++i) {
            const float* v = Vertex(t, w, k, i);
            EXPECT_FLOAT_EQ(v[6], 20.0f);
            const bool interior = k > 0 && k < h - 1 && i > 0 && i < w - 1;
            EXPECT_EQ(std::vector<float>(v + 2, v + 5),
                      (interior ? std::vector<float>{0, 1, 0} : std::vector<float>{0, 0, 0}))
                << k << ", " << i;
        }
    }
}

TEST(TerrainMeshTest, SlopeRisingTowardPlusXLeansItsNormalTowardMinusX) {
    const Terrain t = Build(4, 3, [](int, int i) { return 10 * i; });
    // Height rises 2 per 2.5 along x: the normal is (-0.8, 1, 0) normalised.
    const float* v = Vertex(t, 4, 1, 1);
    const float length = std::sqrt(0.64f + 1.0f);
    EXPECT_NEAR(v[2], -0.8f / length, 1e-6f);
    EXPECT_NEAR(v[3], 1.0f / length, 1e-6f);
    EXPECT_NEAR(v[4], 0.0f, 1e-6f);
}

TEST(TerrainMeshTest, TexCoordsSpanZeroToOneAndPositionsTheGrid) {
    const int size = 129;
    const Terrain t = Build(size, size, [](int k, int i) { return (k + i) % 256; });
    for (int n = 0; n < size; ++n) {
        EXPECT_EQ(Vertex(t, size, 0, n)[1], 1.0f);
        EXPECT_EQ(Vertex(t, size, size - 1, n)[1], 0.0f);
        EXPECT_EQ(Vertex(t, size, n, 0)[0], 0.0f);
        EXPECT_EQ(Vertex(t, size, n, size - 1)[0], 1.0f);
    }
    const float* first = Vertex(t, size, 0, 0);
    const float* last = Vertex(t, size, size - 1, size - 1);
    EXPECT_EQ(std::vector<float>(first + 5, first + 8), (std::vector<float>{-160, 0, 160}));
    EXPECT_EQ(last[5], 160.0f);
    EXPECT_EQ(last[7], -160.0f);
    EXPECT_FLOAT_EQ(Vertex(t, size, 100, 55)[6], 0.2f * 155);
}

TEST(TerrainMeshTest, ImagesOfOneRowOrColumnAreRejected) {
    for (const auto& [w, h] : {std::pair{1, 5}, {5, 1}, {0, 0}, {1, 1}}) {
        const Terrain t = Build(w, h, Flat);
        EXPECT_EQ(t.count, 0) << w << " x " << h;
        EXPECT_TRUE(t.vertices.empty());
        EXPECT_TRUE(t.indices.empty());
    }
}

// A terrain has one vertex per pixel, and its mesh may take at most 256 MiB:
// 6710886 pixels of 40 bytes.
TEST(TerrainMeshTest, SizeProblemsSayWhatIsWrongWithTheSize) {
    const struct {
        int width, height;
        const char* problem;
    } cases[] = {
        {2, 2, ""},
        {2590, 2591, ""},
        {1, 5, "the image is 1 x 5 pixels, less than the 2 x 2 a terrain needs"},
        {5, 0, "the image is 5 x 0 pixels, less than the 2 x 2 a terrain needs"},
        {2591, 2591,
         "the image is 2591 x 2591 pixels, more than the 6710886 pixels a terrain can hold"},
        {65535, 65535,
         "the image is 65535 x 65535 pixels, more than the 6710886 pixels a terrain can hold"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TerrainSizeProblem(c.width, c.height), c.problem) << c.width << " x " << c.height;
}

}  // namespace
