#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "crypt/blowfish.h"
#include "scene/scene.h"
#include "scene/scene_objects.h"
#include "tests/scene/md2_writer.h"
#include "tests/scene/scene_gl_fixture.h"

namespace {

using testing::HasSubstr;

// The message of the error LoadSceneAssets raises, or "no error".
std::string LoadingError() {
    try {
        LoadSceneAssets();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

std::string LoadAndCaptureStderr() {
    testing::internal::CaptureStderr();
    LoadSceneAssets();
    return testing::internal::GetCapturedStderr();
}

TEST_F(SceneGlTest, LoadsEveryObjectAndLeavesNoScratchFile) {
    WriteData(SceneData());
    EXPECT_EQ(LoadAndCaptureStderr(), "");
    EXPECT_EQ(ScratchFilesLeft(), "");

    // A 5 x 4 height image: an even height draws 2 W (H - 1) - (H - 2) indices.
    EXPECT_EQ(g_terrainMesh.m_iIndexCount, 28);
    EXPECT_EQ(g_terrainMesh.m_pVertices.size(), 5u * 4u * 8u);
    EXPECT_FLOAT_EQ(g_terrainMesh.m_pVertices[6], 0.2f * 120.0f);
    EXPECT_NE(g_terrainMesh.m_uTexture, 0u);
    for (const StaticModel* model :
         {&g_staticModelS1, &g_staticModelS2, &g_staticModelS3, &g_staticModelS4}) {
        EXPECT_NE(model->m_uList, 0u);
        for (int m = 0; m < model->m_iMaterialCount; ++m)
            EXPECT_NE(model->m_pMaterials[m].m_uTexture, 0u);
    }
    for (const Md2Model& model : g_md2Models) {
        EXPECT_TRUE(model.IsDrawable());
        EXPECT_EQ(model.CycleLength(), 400);
    }
    float clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<float>(clear, clear + 4), (std::vector<float>{0.95f, 0.95f, 1, 0}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The terrain image is 5 pixels wide: 15-byte rows, which GL's default
// alignment of 4 would read as 16-byte rows, turning later rows' colours.
TEST_F(SceneGlTest, TerrainTextureRowsAreReadWithoutPadding) {
    WriteData(SceneData());
    LoadSceneAssets();
    glBindTexture(GL_TEXTURE_2D, g_terrainMesh.m_uTexture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(height, 3);
    std::vector<uint8_t> texels(4 * 5 * 3);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    for (size_t n = 0; n < texels.size(); n += 4) {
        EXPECT_GT(texels[n], 200) << "texel " << n / 4;
        EXPECT_LT(texels[n + 1], 60) << "texel " << n / 4;
        EXPECT_LT(texels[n + 2], 60) << "texel " << n / 4;
    }
}

TEST_F(SceneGlTest, EachRenderedFrameAdvancesEveryModelTwoFramesAndRestoresTheModelview) {
    WriteData(SceneData());
    LoadSceneAssets();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    for (int frame = 0; frame < 3; ++frame) {
        DrawSceneDepth();
        DrawSceneTextured();
    }
    for (const Md2Model& model : g_md2Models)
        EXPECT_EQ(model.m_iCurrentFrame, 6);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(modelview[n], n % 5 == 0 ? 1.0f : 0.0f);
    // The last object drawn is S4, whose list leaves texturing on with its texture.
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), g_staticModelS4.m_pMaterials[0].m_uTexture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneGlTest, StaticModelDrawLeavesItsLastMaterialBound) {
    WriteData(SceneData());
    LoadSceneAssets();
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    g_staticModelS3.Draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), g_staticModelS3.m_pMaterials[2].m_uTexture);
}

// A container that cannot be decrypted stops the loading with its message;
// the scratch files written so far, including the one the failing decryption
// created, are gone.
TEST_F(SceneGlTest, ContainerErrorsStopLoadingAndLeaveNoScratchFile) {
    struct Case {
        const char* what;
        int container;
        bool wrongKey;
        const char* message;
    };
    const Case cases[] = {
        {"second image of S1 missing", 20, false,
         "FileCrypt ERROR: Cannot open File ./data/T020.dat!"},
        {"skin under another key", 6, true,
         "FileCrypt ERROR: File ./data/T006.dat cannot be Correctly Decrypted!"},
        {"third image of S3 under another key", 24, true,
         "FileCrypt ERROR: File ./data/T024.dat cannot be Correctly Decrypted!"},
    };
    for (const Case& c : cases) {
        SceneData data;
        data.Remove(c.container);
        WriteData(data);
        if (c.wrongKey) {
            WriteFileBytes("plain", {1, 2, 3});
            CBlowfish other;
            other.Initialize("other", 5, BlowfishBlock{0, 0}, CBlowfish::MODE_ECB, 0);
            char path[32];
            std::snprintf(path, sizeof path, "data/T%03d.dat", c.container);
            other.EncryptFile("plain", path);
        }
        EXPECT_EQ(LoadingError(), c.message) << c.what;
        EXPECT_EQ(ScratchFilesLeft(), "") << c.what;
        std::filesystem::remove_all("data");
    }
}

// Assets that decrypt but cannot be used are reported and left out; the rest
// of the scene loads and draws.
TEST_F(SceneGlTest, UnusableAssetsAreReportedAndNotDrawn) {
    SceneData data;
    std::vector<uint8_t> cut = StandRunModel().Bytes();
    cut.resize(cut.size() / 2);
    data.Set(3, cut);
    data.Set(14, {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
    data.Set(20, {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
    data.Set(1, JpegImage(5, 4, 1, {90, 90, 90}));
    WriteData(data);

    const std::string errors = LoadAndCaptureStderr();
    EXPECT_THAT(errors, HasSubstr("Scene error: ./data/T003.dat: the frames at offset"));
    // Messages name the container, not the scratch file it was decrypted to.
    EXPECT_THAT(errors, HasSubstr("Scene error: ./data/T013.dat: cannot read the skin image "
                                  "./data/T014.dat"));
    EXPECT_THAT(errors, HasSubstr("Scene error: static model S1: cannot read the texture image "
                                  "./data/T020.dat"));
    EXPECT_THAT(errors, HasSubstr("Scene error: ./data/T001.dat: not an 8-bit RGB JPEG image"));
    EXPECT_EQ(ScratchFilesLeft(), "");
    EXPECT_FALSE(g_md2Models[F4A].IsDrawable());
    EXPECT_FALSE(g_md2Models[F1B].IsDrawable());
    EXPECT_TRUE(g_md2Models[F4B].IsDrawable());
    EXPECT_EQ(g_terrainMesh.m_iIndexCount, 0);

    DrawSceneDepth();
    DrawSceneTextured();
    EXPECT_EQ(g_md2Models[F4A].m_iCurrentFrame, 0);
    EXPECT_EQ(g_md2Models[F4B].m_iCurrentFrame, 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
