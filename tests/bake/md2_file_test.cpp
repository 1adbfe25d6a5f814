#include "tools/bake/md2_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "tools/bake/byte_io.h"

namespace bake {
namespace {

// Two triangles over four vertices, two frames that move one vertex.
Md2Mesh SmallMesh() {
    Md2Mesh mesh;
    mesh.skinWidth = 64;
    mesh.skinHeight = 32;
    mesh.skins = {"skin.jpg"};
    mesh.texCoords = {{0, 0}, {63, 0}, {63, 31}, {0, 31}};
    mesh.triangles = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 2, 3}}};
    mesh.frames.push_back(
        {"stand01", {{0, 0, 0}, {10, 0, 0}, {10, 5, 20}, {0, 5, 20}}, {1, 2, 3, 4}});
    mesh.frames.push_back(
        {"stand02", {{-1, 0, 0}, {10, 0, 0}, {10, 5, 22}, {0, 5, 20}}, {5, 6, 7, 8}});
    return mesh;
}

TEST(Md2File, RoundTripKeepsEverythingWithinOneQuantisationStep) {
    const Md2Mesh mesh = SmallMesh();
    const Md2Mesh read = ReadMd2(WriteMd2(mesh));
    EXPECT_EQ(read.skinWidth, 64);
    EXPECT_EQ(read.skinHeight, 32);
    EXPECT_EQ(read.skins, mesh.skins);
    EXPECT_EQ(read.texCoords, mesh.texCoords);
    ASSERT_EQ(read.triangles.size(), 2u);
    EXPECT_EQ(read.triangles[1].vertex, mesh.triangles[1].vertex);
    EXPECT_EQ(read.triangles[1].texCoord, mesh.triangles[1].texCoord);
    ASSERT_EQ(read.frames.size(), 2u);
    for (std::size_t f = 0; f < 2; ++f) {
        EXPECT_EQ(read.frames[f].name, mesh.frames[f].name);
        EXPECT_EQ(read.frames[f].normalIndices, mesh.frames[f].normalIndices);
        for (std::size_t v = 0; v < 4; ++v) {
            for (int a = 0; a < 3; ++a) {
                // The extremes of each axis are exact; in between, half of 1/255 of the span.
                EXPECT_NEAR(read.frames[f].positions[v][a], mesh.frames[f].positions[v][a],
                            22.0f / 255 / 2 + 1e-4f);
            }
        }
    }
}

TEST(Md2File, HeaderDescribesAContiguousFileWithoutGlCommands) {
    const std::vector<std::uint8_t> bytes = WriteMd2(SmallMesh());
    const ByteReader in(bytes);
    const auto field = [&](int i) { return in.I32(4 * static_cast<std::size_t>(i)); };
    EXPECT_EQ(field(0), 844121161);  // "IDP2"
    EXPECT_EQ(field(1), 8);
    EXPECT_EQ(field(4), 40 + 4 * 4);  // frame size
    EXPECT_EQ(field(9), 0);           // GL commands
    EXPECT_EQ(field(11), 68);         // skins right after the header
    EXPECT_EQ(field(12), 68 + 64);
    EXPECT_EQ(field(13), 68 + 64 + 4 * 4);
    EXPECT_EQ(field(14), 68 + 64 + 16 + 2 * 12);
    EXPECT_EQ(field(16), static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(field(14) + 2 * field(4), field(16));
    EXPECT_EQ(in.Text(static_cast<std::size_t>(field(14)) + 24, 16), "stand01");
}

TEST(Md2File, RefusesMeshesTheFormatCannotHold) {
    Md2Mesh longName = SmallMesh();
    longName.frames[0].name = "sixteen_letters_";
    Md2Mesh badIndex = SmallMesh();
    badIndex.triangles[0].vertex[2] = 4;
    Md2Mesh tooMany = SmallMesh();
    for (Md2Frame& f : tooMany.frames) {
        f.positions.resize(MD2_MAX_VERTICES + 1);
        f.normalIndices.resize(MD2_MAX_VERTICES + 1);
    }
    Md2Mesh ragged = SmallMesh();
    ragged.frames[1].positions.pop_back();
    for (const Md2Mesh* mesh : {&longName, &badIndex, &tooMany, &ragged}) {
        EXPECT_THROW(WriteMd2(*mesh), std::runtime_error);
    }
}

TEST(Md2File, ReaderRejectsDamagedFiles) {
    const std::vector<std::uint8_t> good = WriteMd2(SmallMesh());
    const auto patch = [&](std::size_t offset, std::int32_t value) {
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &value, sizeof(value));
        return bytes;
    };
    std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> unterminated = good;
    const std::size_t nameAt = static_cast<std::size_t>(ByteReader(good).I32(56)) + 24;
    std::memset(unterminated.data() + nameAt, 'x', 16);
    const std::vector<std::vector<std::uint8_t>> damaged = {
        truncated,
        patch(0, 0),                  // ident
        patch(16, 41),                // frame size
        patch(32, 1000),              // triangle count beyond the file
        patch(56, 1 << 30),           // frame offset beyond the file
        patch(48, -4),                // negative offset
        patch(68 + 64 + 16, 0x0009),  // first triangle's first vertex index out of range
        unterminated,
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        EXPECT_THROW(ReadMd2(damaged[i]), std::runtime_error) << "case " << i;
    }
}

}  // namespace
}  // namespace bake
