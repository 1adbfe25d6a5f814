#include "scene/terrain_height.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::size_t FLOATS_PER_VERTEX = 8;
constexpr std::size_t POSITION = 5;

// The vertex grid as the builder lays it out: a row of width vertices along +x
// for every step along -z.
struct Grid {
    const float* vertices;
    std::size_t width;
    std::size_t rows;

    const float* At(std::size_t row, std::size_t column) const {
        return vertices + (row * width + column) * FLOATS_PER_VERTEX + POSITION;
    }
};

// The grid of a built terrain: the first row is the vertices sharing the
// first one's z.
bool GridOf(const TerrainMesh& mesh, Grid& grid) {
    const std::size_t count = mesh.m_pVertices.size() / FLOATS_PER_VERTEX;
    if (count < 4)
        return false;
    grid.vertices = mesh.m_pVertices.data();
    grid.width = 1;
    while (grid.width < count && grid.At(0, grid.width)[2] == grid.At(0, 0)[2])
        ++grid.width;
    grid.rows = count / grid.width;
    return grid.width >= 2 && grid.rows >= 2;
}

// Which cell of an axis value u lies in, and how far into it, for vertices
// first + step * n, n = 0 .. count - 1; false outside.
bool Cell(float u, float first, float step, std::size_t count, std::size_t& cell, float& into) {
    const float at = (u - first) / step;
    if (!(at >= 0.0f) || at > static_cast<float>(count - 1))
        return false;
    cell = std::min(static_cast<std::size_t>(at), count - 2);
    into = at - static_cast<float>(cell);
    return true;
}

}  // namespace

bool TerrainHeightAt(const TerrainMesh& mesh, float x, float z, float& height) {
    Grid grid;
    if (!GridOf(mesh, grid))
        return false;
    const float x0 = grid.At(0, 0)[0];
    const float z0 = grid.At(0, 0)[2];
    std::size_t column = 0, row = 0;
    float u = 0.0f, v = 0.0f;
    if (!Cell(x, x0, grid.At(0, 1)[0] - x0, grid.width, column, u) ||
        !Cell(z, z0, grid.At(1, 0)[2] - z0, grid.rows, row, v))
        return false;
    const auto y = [&grid](std::size_t r, std::size_t c) { return grid.At(r, c)[1]; };
    const float near = y(row, column) + u * (y(row, column + 1) - y(row, column));
    const float far = y(row + 1, column) + u * (y(row + 1, column + 1) - y(row + 1, column));
    height = near + v * (far - near);
    return true;
}
