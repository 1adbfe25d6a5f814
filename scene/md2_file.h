#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The transient image of an MD2 key-frame model file: what the model builder
// takes from it. Every count and offset has been checked against the file, so
// the arrays hold exactly what the header announces and every triangle index
// lies within its table.

struct Md2Header {
    int32_t m_iIdent;
    int32_t m_iVersion;
    int32_t m_iSkinWidth;
    int32_t m_iSkinHeight;
    int32_t m_iFrameSize;
    int32_t m_iSkinCount;
    int32_t m_iVertexCount;
    int32_t m_iTexCoordCount;
    int32_t m_iTriangleCount;
    int32_t m_iGlCommandCount;
    int32_t m_iFrameCount;
    int32_t m_iSkinOffset;
    int32_t m_iTexCoordOffset;
    int32_t m_iTriangleOffset;
    int32_t m_iFrameOffset;
    int32_t m_iGlCommandOffset;
    int32_t m_iEndOffset;
};

struct Md2FileFrame {
    std::string m_szName;
    // x, y, z per vertex, already turned so that the file's z axis is the
    // scene's y axis: (X, Y, Z) is stored as (X, Z, -Y).
    std::vector<float> m_pPositions;
};

struct Md2File {
    static constexpr int HEADER_SIZE = 68;
    static constexpr int SKIN_NAME_SIZE = 64;
    static constexpr int FRAME_NAME_SIZE = 16;
    // Scale and translate (6 floats) and the name come before the vertices.
    static constexpr int FRAME_HEADER_SIZE = 40;

    Md2Header m_header{};
    std::vector<std::array<char, SKIN_NAME_SIZE>> m_skins;
    std::vector<int16_t> m_texCoords;  // s, t per coordinate, in skin pixels
    std::vector<int16_t> m_triangles;  // 3 vertex then 3 texture-coordinate indices each
    std::vector<Md2FileFrame> m_frames;
};

// Reads and checks the file at path. On failure returns false with the reason
// in error and leaves file empty.
bool ReadMd2File(const std::string& path, Md2File& file, std::string& error);

// Checks and decodes an MD2 file held in memory.
bool ParseMd2File(const std::vector<uint8_t>& bytes, Md2File& file, std::string& error);

// Releases everything the file image holds.
void FreeMd2File(Md2File& file);
