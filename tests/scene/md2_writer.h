#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// MD2 files made by the tests: a header, one skin name, texture coordinates,
// triangles and frames, laid out in that order.

struct Md2FixtureFrame {
    std::string name;
    std::array<float, 3> scale{1.0f, 1.0f, 1.0f};
    std::array<float, 3> translate{0.0f, 0.0f, 0.0f};
    std::vector<std::array<uint8_t, 3>> vertices;
};

struct Md2Fixture {
    int32_t skinWidth = 64;
    int32_t skinHeight = 32;
    std::vector<std::array<int16_t, 2>> texCoords;
    std::vector<std::array<int16_t, 6>> triangles;  // 3 vertex, then 3 texture-coordinate indices
    std::vector<Md2FixtureFrame> frames;

    std::vector<uint8_t> Bytes() const;
};

// Positions of the 17 int32 header fields, for tests that damage them.
enum Md2HeaderField {
    MD2_SKIN_WIDTH = 2,
    MD2_SKIN_HEIGHT = 3,
    MD2_FRAME_SIZE = 4,
    MD2_SKIN_COUNT = 5,
    MD2_VERTEX_COUNT = 6,
    MD2_TEX_COORD_COUNT = 7,
    MD2_TRIANGLE_COUNT = 8,
    MD2_FRAME_COUNT = 10,
    MD2_SKIN_OFFSET = 11,
    MD2_TEX_COORD_OFFSET = 12,
    MD2_TRIANGLE_OFFSET = 13,
    MD2_FRAME_OFFSET = 14,
};

int32_t HeaderField(const std::vector<uint8_t>& bytes, Md2HeaderField field);
void SetHeaderField(std::vector<uint8_t>& bytes, Md2HeaderField field, int32_t value);

// Frames named name + number for the numbers given, as a frame name list.
std::vector<std::string> FrameNames(const std::string& base, int first, int last);

// A model of three vertices and one triangle whose key frame k has vertex j at
// file position (k + j, 2 k, 3 k + j), i.e. scene position (k + j, 3 k + j,
// -2 k), one frame per name.
Md2Fixture MovingTriangle(const std::vector<std::string>& names);

// stand01 ... stand40 followed by run01 ... run06.
Md2Fixture StandRunModel();

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
