#include "tools/bake/terrain_colour.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace bake {
namespace {

// Flat low ground in the south (z < 0), a steep climb in the north: the colour image must show
// the rock of the climb in its last rows, because its rows run from z = -160 to z = 160.
TEST(TerrainColour, RowsRunFromTheSouthEdgeAndSteepGroundIsRock) {
    HeightField field(129);
    for (int row = 0; row < 129; ++row) {
        for (int column = 0; column < 129; ++column) {
            const float z = HeightField::WorldZ(row);
            field.At(column, row) = z > 0 ? 1.5f * z : 0.0f;
        }
    }
    const int size = 64;
    const Image image = TerrainColours(field, size, 1u);
    ASSERT_EQ(image.width, size);
    for (int column = 0; column < size; ++column) {
        const unsigned char* south = image.At(column, 4);
        const unsigned char* north = image.At(column, size - 5);
        EXPECT_GT(south[1] - south[2], 30) << "sand or grass at column " << column;
        EXPECT_LT(std::abs(north[1] - north[2]), 12) << "rock at column " << column;
    }
}

}  // namespace
}  // namespace bake
