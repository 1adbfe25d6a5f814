#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/bake/bake_types.h"

namespace bake {

// An MD2 key-frame model held with decoded positions, in the file's own axes (z up).
struct Md2Triangle {
    std::array<std::uint16_t, 3> vertex;
    std::array<std::uint16_t, 3> texCoord;
};

struct Md2Frame {
    std::string name;                         // at most 15 characters
    std::vector<Vec3> positions;              // one per vertex
    std::vector<std::uint8_t> normalIndices;  // one per vertex
};

struct Md2Mesh {
    int skinWidth = 0;
    int skinHeight = 0;
    std::vector<std::string> skins;                      // skin names, at most 63 characters
    std::vector<std::array<std::int16_t, 2>> texCoords;  // in skin pixels
    std::vector<Md2Triangle> triangles;
    std::vector<Md2Frame> frames;

    std::size_t VertexCount() const { return frames.empty() ? 0 : frames[0].positions.size(); }
};

// The largest vertex count whose frame record fits the loader's 8320-byte frame buffer.
constexpr std::size_t MD2_MAX_VERTICES = 2048;

// Encodes the mesh as an MD2 file: header, skin names, texture coordinates, triangles and
// frames, each frame quantised to bytes over its own bounding box. No GL commands are written.
// Raises std::runtime_error for a mesh the format cannot hold.
std::vector<std::uint8_t> WriteMd2(const Md2Mesh& mesh);

// Decodes an MD2 file, checking every count and offset against its size. Raises
// std::runtime_error naming the fault for a damaged file.
Md2Mesh ReadMd2(const std::vector<std::uint8_t>& bytes);

}  // namespace bake
