#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/terrain_chunks.h"

// The terrain: a height image turned into one indexed triangle strip over
// interleaved vertices (s, t, nx, ny, nz, x, y, z), with one colour texture
// stretched over the whole of it.
struct TerrainMesh {
    std::vector<float> m_pVertices;      // W * H vertices; row k, column i is vertex k * W + i
    std::vector<uint32_t> m_pIndices;    // every strip index written
    int32_t m_iIndexCount = 0;           // strip indices drawn
    unsigned int m_uTexture = 0;         // GL texture of the colour image
    std::vector<TerrainChunk> m_chunks;  // the strip's triangles in parts, to draw apart
};

// Why a height image of width x height pixels cannot become a terrain, or ""
// when it can: a mesh needs at least 2 x 2 pixels, and one vertex per pixel
// whose floats and strip indices stay within int and uint32 ranges.
std::string TerrainSizeProblem(int width, int height);

// Builds the vertices and the strip of a terrain from a height image given as
// tightly packed 8-bit RGB rows of width pixels; the red byte is the height.
// Vertex (k, i) lies at (x0 + dx i, y0 + heightScale red, z0 - dz k). Returns
// the number of indices to draw; an image of a size TerrainSizeProblem
// rejects gives 0 and empty arrays.
int BuildTerrainMesh(std::vector<float>& vertices, std::vector<uint32_t>& indices,
                     const uint8_t* pixels, int width, int height, float x0, float y0, float z0,
                     float dx, float heightScale, float dz);
