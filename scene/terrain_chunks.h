#pragma once

#include <cstdint>
#include <vector>

#include "math/aabox.h"

// A part of the terrain drawn on its own: independent triangles taken from
// the terrain's strip, each with its corners in the order the strip gives
// them, and a box holding every corner.
struct TerrainChunk {
    std::vector<uint32_t> indices;
    gmtl::AABoxf box;
};

// Splits the first count indices of a triangle strip over interleaved
// vertices (s, t, nx, ny, nz, x, y, z) into the cells of a grid of
// cellsPerSide x cellsPerSide over the vertices' x-z extent, each triangle in
// the cell of its centre. Triangles with a repeated corner draw nothing and
// are left out; so are cells that receive no triangle. The chunks together
// draw exactly the strip's triangles, in the strip's order within a chunk.
std::vector<TerrainChunk> SplitTerrainStrip(const std::vector<float>& vertices,
                                            const uint32_t* strip, int count, int cellsPerSide);
