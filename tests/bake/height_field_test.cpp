#include "tools/bake/height_field.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bake {
namespace {

HeightField Slope(int size) {
    HeightField field(size);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            field.At(column, row) = 0.25f * column;
        }
    }
    return field;
}

float DistanceToCell(const GroundPad& pad, int column, int row) {
    return std::hypot(HeightField::WorldX(column) - pad.x, HeightField::WorldZ(row) - pad.z);
}

TEST(HeightField, GridMatchesTheTerrainBuilder) {
    EXPECT_FLOAT_EQ(HeightField::WorldX(0), -160.0f);
    EXPECT_FLOAT_EQ(HeightField::WorldX(128), 160.0f);
    EXPECT_FLOAT_EQ(HeightField::WorldZ(0), 160.0f);  // image row 0 is the far +z edge
    EXPECT_FLOAT_EQ(HeightField::WorldZ(128), -160.0f);
    const HeightField field = Slope(129);
    EXPECT_FLOAT_EQ(field.Sample(-160.0f + 2.5f * 10.5f, 0.0f), 0.25f * 10.5f);
}

TEST(HeightField, FlattenPadsLevelsInsideEasesOutsideAndLeavesTheRest) {
    HeightField field = Slope(129);
    const HeightField before = field;
    const GroundPad pad{-10.0f, -65.0f, 6.0f, 20.0f};
    const float blend = 10.0f;
    FlattenPads(field, {pad}, blend);
    for (int row = 0; row < 129; ++row) {
        for (int column = 0; column < 129; ++column) {
            const float d = DistanceToCell(pad, column, row);
            const float h = field.At(column, row);
            const float old = before.At(column, row);
            if (d <= pad.radius) {
                EXPECT_EQ(h, 20.0f) << column << ", " << row;
            } else if (d >= pad.radius + blend) {
                EXPECT_EQ(h, old) << column << ", " << row;
            } else {
                EXPECT_GE(h, std::min(old, 20.0f) - 1e-4f);
                EXPECT_LE(h, std::max(old, 20.0f) + 1e-4f);
            }
        }
    }
}

TEST(HeightField, LaterPadsWinWhereTheyOverlap) {
    HeightField field = Slope(129);
    const GroundPad first{0.0f, 0.0f, 10.0f, 30.0f};
    const GroundPad second{5.0f, 0.0f, 4.0f, 12.0f};
    FlattenPads(field, {first, second}, 5.0f);
    EXPECT_EQ(field.Sample(5.0f, 0.0f), 12.0f);
    EXPECT_EQ(field.Sample(-7.5f, 0.0f), 30.0f);
}

TEST(HeightField, RollingHillsMeetEveryPadAndStayInRange) {
    const std::vector<GroundPad> pads = {{-90, -15, 6, 25}, {72, -28, 6, 5}, {0, 70, 12, 42}};
    HeightField field = RollingHills(129, pads, 7u);
    FlattenPads(field, pads, 20.0f);
    for (const GroundPad& pad : pads) {
        EXPECT_FLOAT_EQ(field.Sample(pad.x, pad.z), pad.height);
    }
    for (int row = 0; row < 129; ++row) {
        for (int column = 0; column < 129; ++column) {
            EXPECT_GE(field.At(column, row), 0.0f);
            EXPECT_LE(field.At(column, row), TerrainGrid::MAX_HEIGHT);
        }
    }
}

TEST(HeightField, HeightImageHoldsLevelsOfOneFifthUnitInGrey) {
    HeightField field(3);
    field.At(0, 0) = 20.0f;  // level 100
    field.At(2, 0) = 8.58f;  // level 42.9 rounds to 43
    field.At(1, 2) = 60.0f;  // above the top level
    const Image image = HeightImage(field);
    ASSERT_EQ(image.width, 3);
    EXPECT_EQ(image.At(0, 0)[0], 100);
    EXPECT_EQ(image.At(0, 0)[1], 100);
    EXPECT_EQ(image.At(0, 0)[2], 100);
    EXPECT_EQ(image.At(2, 0)[0], 43);
    EXPECT_EQ(image.At(1, 2)[0], 255);
    EXPECT_EQ(image.At(1, 1)[0], 0);
}

}  // namespace
}  // namespace bake
