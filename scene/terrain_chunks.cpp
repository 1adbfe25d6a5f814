// The terrain's strip cut into a grid of chunks, so that each chunk can be
// drawn with the program its place in the shadow map calls for.

#include "scene/terrain_chunks.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr size_t FLOATS_PER_VERTEX = 8;
constexpr size_t POSITION = 5;

const float* PositionOf(const std::vector<float>& vertices, uint32_t index) {
    return &vertices[index * FLOATS_PER_VERTEX + POSITION];
}

// The x-z extent of the vertices: low x, low z, high x, high z.
std::array<float, 4> Extent(const std::vector<float>& vertices) {
    std::array<float, 4> extent = {vertices[POSITION], vertices[POSITION + 2], vertices[POSITION],
                                   vertices[POSITION + 2]};
    for (size_t v = 0; v < vertices.size(); v += FLOATS_PER_VERTEX) {
        extent[0] = std::min(extent[0], vertices[v + POSITION]);
        extent[1] = std::min(extent[1], vertices[v + POSITION + 2]);
        extent[2] = std::max(extent[2], vertices[v + POSITION]);
        extent[3] = std::max(extent[3], vertices[v + POSITION + 2]);
    }
    return extent;
}

// The grid cell along one axis of a coordinate within [low, high].
int Cell(float coordinate, float low, float high, int cells) {
    if (!(high > low))
        return 0;
    const int cell =
        static_cast<int>((coordinate - low) / (high - low) * static_cast<float>(cells));
    return std::clamp(cell, 0, cells - 1);
}

// The strip's i-th triangle, with the winding the strip gives it.
std::array<uint32_t, 3> StripTriangle(const uint32_t* strip, int i) {
    if (i % 2 == 0)
        return {strip[i], strip[i + 1], strip[i + 2]};
    return {strip[i + 1], strip[i], strip[i + 2]};
}

}  // namespace

std::vector<TerrainChunk> SplitTerrainStrip(const std::vector<float>& vertices,
                                            const uint32_t* strip, int count, int cellsPerSide) {
    if (vertices.empty() || count < 3 || cellsPerSide < 1)
        return {};
    const std::array<float, 4> extent = Extent(vertices);
    std::vector<TerrainChunk> cells(static_cast<size_t>(cellsPerSide) * cellsPerSide);
    for (int i = 0; i + 2 < count; ++i) {
        const std::array<uint32_t, 3> corners = StripTriangle(strip, i);
        if (corners[0] == corners[1] || corners[1] == corners[2] || corners[0] == corners[2])
            continue;
        float centre[3] = {};
        for (uint32_t corner : corners) {
            for (int axis = 0; axis < 3; ++axis)
                centre[axis] += PositionOf(vertices, corner)[axis] / 3.0f;
        }
        const int column = Cell(centre[0], extent[0], extent[2], cellsPerSide);
        const int row = Cell(centre[2], extent[1], extent[3], cellsPerSide);
        TerrainChunk& chunk = cells[static_cast<size_t>(row) * cellsPerSide + column];
        for (uint32_t corner : corners) {
            const float* p = PositionOf(vertices, corner);
            chunk.indices.push_back(corner);
            gmtl::extendVolume(chunk.box, gmtl::Vec3f(p[0], p[1], p[2]));
        }
    }
    cells.erase(std::remove_if(cells.begin(), cells.end(),
                               [](const TerrainChunk& c) { return c.indices.empty(); }),
                cells.end());
    return cells;
}
