#include "scene/static_model_check.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(StaticModelCheckTest, RunsFollowEachOtherInMaterialOrder) {
    const MaterialRun s1[] = {{0, 552}, {1, 1184}};
    const MaterialRun s3[] = {{0, 1186}, {1, 6384}, {2, 2898}};
    StaticModel model{};
    model.m_iMaterialCount = 2;
    model.m_pRuns = s1;
    std::vector<std::pair<int, int>> found;
    for (const FaceRange& r : FaceRuns(model))
        found.emplace_back(r.m_iFirst, r.m_iFirst + r.m_iCount - 1);
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{0, 551}, {552, 1735}}));

    model.m_iMaterialCount = 3;
    model.m_pRuns = s3;
    found.clear();
    for (const FaceRange& r : FaceRuns(model))
        found.emplace_back(r.m_iFirst, r.m_iFirst + r.m_iCount - 1);
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{0, 1185}, {1186, 7569}, {7570, 10467}}));
}

// A two-material square, valid until a case damages a copy of it.
struct Square {
    StaticMaterial materials[2] = {{"./data/temp0", 0}, {"./data/temp1", 0}};
    MaterialRun runs[2] = {{0, 1}, {1, 1}};
    StaticFace faces[2] = {{{0, 1, 2}, {0, 0, 0}, {0, 1, 2}}, {{0, 2, 3}, {0, 0, 0}, {0, 2, 3}}};
    float vertices[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    float normals[1][3] = {{0, 0, 1}};
    float texCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

    StaticModel Model() {
        return StaticModel{2, materials, runs, faces, vertices, normals, texCoords, 0, 2, 4, 1, 4};
    }
};

TEST(StaticModelCheckTest, TablesThatWouldBeReadOutOfBoundsAreRefused) {
    struct Case {
        const char* what;
        void (*damage)(Square&, StaticModel&);
        const char* message;
    };
    const Case cases[] = {
        {"vertex index", [](Square& s, StaticModel&) { s.faces[1].m_vertex[2] = 4; },
         "face 1 uses vertex 4, but the table has 4"},
        {"negative normal", [](Square& s, StaticModel&) { s.faces[0].m_normal[1] = -1; },
         "face 0 uses normal -1, but the table has 1"},
        {"texture coordinate", [](Square& s, StaticModel&) { s.faces[0].m_texCoord[0] = 9; },
         "face 0 uses texture coordinate 9, but the table has 4"},
        {"runs short of the faces", [](Square& s, StaticModel&) { s.runs[1].m_iFaceCount = 0; },
         "the runs cover 1 faces, but the model has 2"},
        {"runs beyond the faces", [](Square& s, StaticModel&) { s.runs[0].m_iFaceCount = 5; },
         "the runs cover 6 faces, but the model has 2"},
        {"negative run", [](Square& s, StaticModel&) { s.runs[0].m_iFaceCount = -1; },
         "run 0 has a negative face count"},
        {"no image file", [](Square& s, StaticModel&) { s.materials[1].m_szTextureFile = nullptr; },
         "material 1 names no image file"},
        {"missing table", [](Square&, StaticModel& m) { m.m_pNormals = nullptr; },
         "a table is missing or has a negative size"},
    };
    std::string error;
    Square good;
    EXPECT_TRUE(CheckStaticModel(good.Model(), error)) << error;
    for (const Case& c : cases) {
        Square square;
        StaticModel model = square.Model();
        c.damage(square, model);
        EXPECT_FALSE(CheckStaticModel(model, error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
    }
}

// The tables the program is built with: the baked ones, or the stand-ins.
TEST(StaticModelCheckTest, ProgramTablesPassAndReadTheirMaterialsFromTheScratchFiles) {
    const std::pair<const StaticModel*, int> models[] = {
        {&g_staticModelS1, 2}, {&g_staticModelS2, 1}, {&g_staticModelS3, 3}, {&g_staticModelS4, 1}};
    const char* const files[] = {"./data/temp0", "./data/temp1", "./data/temp2"};
    for (const auto& [model, materials] : models) {
        std::string error;
        EXPECT_TRUE(CheckStaticModel(*model, error)) << error;
        ASSERT_EQ(model->m_iMaterialCount, materials);
        for (int m = 0; m < materials; ++m) {
            EXPECT_STREQ(model->m_pMaterials[m].m_szTextureFile, files[m]);
            EXPECT_EQ(model->m_pRuns[m].m_iMaterial, m);
        }
        EXPECT_EQ(model->m_uList, 0u);
    }
}

}  // namespace
