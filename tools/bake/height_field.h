#pragma once

#include <cstdint>
#include <vector>

#include "tools/bake/image.h"

namespace bake {

// The terrain's grid: column i lies at x = X0 + STEP * i, row k at z = Z0 - STEP * k, and an
// image level L is the height HEIGHT_SCALE * L.
struct TerrainGrid {
    static constexpr float X0 = -160.0f;
    static constexpr float Z0 = 160.0f;
    static constexpr float STEP = 2.5f;
    static constexpr float HEIGHT_SCALE = 0.2f;
    static constexpr float MAX_HEIGHT = 255 * HEIGHT_SCALE;
};

// A flat, level patch of ground that an object stands on, blended into its surroundings.
struct GroundPad {
    float x;
    float z;
    float radius;  // flat within this distance of (x, z)
    float height;  // world height of the flat ground
};

// Heights in world units on a square grid of `size` columns and rows.
class HeightField {
  public:
    explicit HeightField(int size);

    int Size() const { return m_size; }
    float& At(int column, int row) { return m_heights[Index(column, row)]; }
    float At(int column, int row) const { return m_heights[Index(column, row)]; }
    static float WorldX(int column) { return TerrainGrid::X0 + TerrainGrid::STEP * column; }
    static float WorldZ(int row) { return TerrainGrid::Z0 - TerrainGrid::STEP * row; }
    // Bilinear height at a world position, clamped to the grid.
    float Sample(float x, float z) const;

  private:
    std::size_t Index(int column, int row) const {
        return static_cast<std::size_t>(row) * m_size + column;
    }
    int m_size;
    std::vector<float> m_heights;
};

// Rolling hills that pass through every pad's height near it and rise towards the rim.
HeightField RollingHills(int size, const std::vector<GroundPad>& pads, std::uint32_t seed);

// Makes the ground level at each pad's height within its radius, and eases it back to the
// surrounding heights over `blend` world units beyond. Later pads win where pads overlap.
void FlattenPads(HeightField& field, const std::vector<GroundPad>& pads, float blend);

// The height image: grey levels round(height / HEIGHT_SCALE), row k at z = Z0 - STEP * k.
Image HeightImage(const HeightField& field);

}  // namespace bake
