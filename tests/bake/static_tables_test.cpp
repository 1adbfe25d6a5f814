#include "tools/bake/static_tables.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "scene/static_model.h"
#include "tests/bake/fixture_tables.h"

namespace bake {
namespace {

// Faces of the fixture in drawing order: run 0's triangle, then run 1's two.
const int DRAW_ORDER[] = {1, 0, 2};

TEST(StaticTables, IndexingSharesEqualValuesAndGroupsFacesByRun) {
    const std::vector<SoupTriangle> fixture = FixtureTriangles();
    const StaticTables tables = BuildStaticTables(fixture, 2);
    EXPECT_EQ(tables.positions.size(), 4u);
    EXPECT_EQ(tables.normals.size(), 2u);
    EXPECT_EQ(tables.texCoords.size(), 2u);
    EXPECT_EQ(tables.runFaceCounts, (std::vector<int>{1, 2}));
    ASSERT_EQ(tables.faces.size(), 3u);
    for (int f = 0; f < 3; ++f) {
        const SoupTriangle& t = fixture[static_cast<std::size_t>(DRAW_ORDER[f])];
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(tables.positions[tables.faces[f].vertex[c]], t.position[c]);
            EXPECT_EQ(tables.normals[tables.faces[f].normal[c]], t.normal[c]);
            EXPECT_EQ(tables.texCoords[tables.faces[f].texCoord[c]], t.texCoord[c]);
        }
    }
}

TEST(StaticTables, RefusesTablesAnInt16CannotIndexAndFacesOfNoRun) {
    std::vector<SoupTriangle> many;
    for (std::size_t i = 0; i < MAX_TABLE_SIZE / 3 + 1; ++i) {
        SoupTriangle t{};
        for (int c = 0; c < 3; ++c) {
            t.position[c] = {static_cast<float>(3 * i + c), 0.0f, 0.0f};
        }
        many.push_back(t);
    }
    EXPECT_THROW(BuildStaticTables(many, 1), std::runtime_error);
    many.resize(MAX_TABLE_SIZE / 3);
    EXPECT_NO_THROW(BuildStaticTables(many, 1));
    std::vector<SoupTriangle> stray = FixtureTriangles();
    stray[2].run = 2;
    EXPECT_THROW(BuildStaticTables(stray, 2), std::runtime_error);
}

// The generated source, compiled into this test, fills the program's model record.
TEST(StaticTables, GeneratedSourceFillsTheModelRecord) {
    const StaticModel& model = g_staticModelS1;
    const std::vector<SoupTriangle> fixture = FixtureTriangles();
    EXPECT_EQ(model.m_iMaterialCount, 2);
    EXPECT_EQ(std::string(model.m_pMaterials[0].m_szTextureFile), "./data/temp0");
    EXPECT_EQ(std::string(model.m_pMaterials[1].m_szTextureFile), "./data/temp1");
    EXPECT_EQ(model.m_pMaterials[1].m_uTexture, 0u);
    EXPECT_EQ(model.m_pRuns[0].m_iMaterial, 0);
    EXPECT_EQ(model.m_pRuns[0].m_iFaceCount, 1);
    EXPECT_EQ(model.m_pRuns[1].m_iMaterial, 1);
    EXPECT_EQ(model.m_pRuns[1].m_iFaceCount, 2);
    EXPECT_EQ(model.m_uList, 0u);
    EXPECT_EQ(model.m_iFaceCount, 3);
    EXPECT_EQ(model.m_iVertexCount, 4);
    EXPECT_EQ(model.m_iNormalCount, 2);
    EXPECT_EQ(model.m_iTexCoordCount, 2);
    for (int f = 0; f < 3; ++f) {
        const SoupTriangle& t = fixture[static_cast<std::size_t>(DRAW_ORDER[f])];
        const StaticFace& face = model.m_pFaces[f];
        for (int c = 0; c < 3; ++c) {
            for (int k = 0; k < 3; ++k) {
                // Bit-exact: the literals read back to the same floats.
                EXPECT_EQ(model.m_pVertices[face.m_vertex[c]][k], t.position[c][k]);
                EXPECT_EQ(model.m_pNormals[face.m_normal[c]][k], t.normal[c][k]);
            }
            EXPECT_EQ(model.m_pTexCoords[face.m_texCoord[c]][0], t.texCoord[c][0]);
            EXPECT_EQ(model.m_pTexCoords[face.m_texCoord[c]][1], t.texCoord[c][1]);
        }
    }
}

}  // namespace
}  // namespace bake
