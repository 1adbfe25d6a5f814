#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
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

// A texture's size and first texel at level 0.
struct TextureLook {
    int width = 0, height = 0;
    std::array<int, 3> texel{};
};

TextureLook LookAt(GLuint texture) {
    TextureLook look;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &look.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &look.height);
    if (look.width > 0 && look.height > 0) {
        std::vector<uint8_t> texels(4 * static_cast<size_t>(look.width) * look.height);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        look.texel = {texels[0], texels[1], texels[2]};
    }
    return look;
}

// The image container whose colour the first `channels` channels of colour
// show, or -1 when none is within a JPEG's rounding of it. Every scene
// container but the MD2 models' holds an image.
int ImageContainerOf(const std::array<int, 3>& colour, int channels = 3) {
    for (int container = 1; container <= 29; ++container) {
        if (std::count(std::begin(MD2_CONTAINERS), std::end(MD2_CONTAINERS), container) != 0)
            continue;
        const std::array<uint8_t, 3> expected = ImageColour(container);
        int distance = 0;
        for (int c = 0; c < channels; ++c)
            distance = std::max(distance, std::abs(colour[c] - expected[c]));
        if (distance <= 3)
            return container;
    }
    return -1;
}

int TextureContainer(GLuint texture) {
    return ImageContainerOf(LookAt(texture).texel);
}

// The container a figure's model was read from: the fixture moves each
// container's model along x by the container's number.
int ModelContainer(const Md2Model& model) {
    if (model.m_ppKeyFrames.empty())
        return -1;
    return static_cast<int>(std::lround(model.m_ppKeyFrames[0]->m_pPositions[0]));
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
// alignment of 4 would read as 16-byte rows, turning later rows' colours
// (its red, green and blue differ widely).
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
    const std::array<uint8_t, 3> colour = ImageColour(2);
    for (size_t n = 0; n < texels.size(); n += 4) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(texels[n + c], colour[c], 12) << "texel " << n / 4 << ", channel " << c;
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
        AdvanceFigures();
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

// Which container feeds which object: every container of the fixture holds
// an asset of its own, so a container read for the wrong object, or two
// objects' containers swapped, shows as another container's asset.
TEST_F(SceneGlTest, EachObjectIsBuiltFromItsOwnContainers) {
    WriteData(SceneData());
    LoadSceneAssets();
    const auto materials = [](const StaticModel& model) {
        std::vector<int> containers;
        for (int m = 0; m < model.m_iMaterialCount; ++m)
            containers.push_back(TextureContainer(model.m_pMaterials[m].m_uTexture));
        return containers;
    };
    const auto figure = [](Md2ModelId id) {
        const Md2Model& model = g_md2Models[id];
        const GLuint skin = model.m_ppSkins.empty() ? 0 : model.m_ppSkins[0]->m_uTexture;
        return std::vector<int>{ModelContainer(model), TextureContainer(skin)};
    };
    // The height image's red is the terrain's height over 0.2.
    const float height = g_terrainMesh.m_pVertices.empty() ? -1.0f : g_terrainMesh.m_pVertices[6];
    const int heightRed = static_cast<int>(std::lround(height / 0.2f));
    const struct {
        const char* object;
        std::vector<int> containers;
        std::vector<int> found;
    } feeds[] = {
        {"terrain geometry", {1}, {ImageContainerOf({heightRed, 0, 0}, 1)}},
        {"terrain texture", {2}, {TextureContainer(g_terrainMesh.m_uTexture)}},
        {"S1", {19, 20}, materials(g_staticModelS1)},
        {"S2", {21}, materials(g_staticModelS2)},
        {"S3", {22, 23, 24}, materials(g_staticModelS3)},
        {"S4", {25}, materials(g_staticModelS4)},
        {"F4a", {3, 4}, figure(F4A)},
        {"F4b", {5, 6}, figure(F4B)},
        {"F3a", {7, 8}, figure(F3A)},
        {"F3b", {9, 10}, figure(F3B)},
        {"F1a", {11, 12}, figure(F1A)},
        {"F1b", {13, 14}, figure(F1B)},
        {"F2a", {15, 16}, figure(F2A)},
        {"F2b", {17, 18}, figure(F2B)},
        {"F5a", {26, 27}, figure(F5A)},
        {"F5b", {28, 29}, figure(F5B)},
    };
    for (const auto& feed : feeds)
        EXPECT_EQ(feed.found, feed.containers) << feed.object;
}

// Images that cannot become textures, because the driver does not take their
// size or because they are no images, leave their surfaces (terrain, static
// model materials, figures' skins) plain: one mid-grey texel, which the
// lighting and the shadows modulate, where texture 0 would be sampled as
// black. The message names the size and the driver's limit; no GL error is
// left behind.
TEST_F(SceneGlTest, ImagesThatCannotBeTexturesLeaveTheirSurfacesPlain) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const std::string tooWide = std::to_string(maxSize + 1) + " x 2 pixels, more than the " +
                                std::to_string(maxSize) + " x " + std::to_string(maxSize) +
                                " the OpenGL driver takes";
    const std::vector<uint8_t> wide = JpegImage(maxSize + 1, 2, 3, {200, 30, 30});
    const std::vector<uint8_t> notJpeg = {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'};
    const struct {
        int container;
        const std::vector<uint8_t>& image;
        std::function<GLuint()> texture;
        std::string message;
    } cases[] = {
        {2, wide, [] { return g_terrainMesh.m_uTexture; },
         "Scene error: ./data/T002.dat: the image is " + tooWide +
             "; the terrain has no texture.\n"},
        {2, notJpeg, [] { return g_terrainMesh.m_uTexture; },
         "Scene error: ./data/T002.dat: not a JPEG image; the terrain has no texture.\n"},
        {20, wide, [] { return g_staticModelS1.m_pMaterials[1].m_uTexture; },
         "Scene error: static model S1: the texture image ./data/T020.dat is " + tooWide +
             "; drawn without that texture.\n"},
        {24, notJpeg, [] { return g_staticModelS3.m_pMaterials[2].m_uTexture; },
         "Scene error: static model S3: cannot read the texture image ./data/T024.dat; drawn "
         "without that texture.\n"},
        {14, notJpeg, [] { return g_md2Models[F1B].m_ppSkins[0]->m_uTexture; },
         "Scene error: ./data/T013.dat: cannot read the skin image ./data/T014.dat; drawn without "
         "its skin.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        SceneData data;
        data.Set(c.container, c.image);
        WriteData(data);
        EXPECT_EQ(LoadAndCaptureStderr(), c.message);
        const TextureLook look = LookAt(c.texture());
        EXPECT_EQ(look.width, 1);
        EXPECT_EQ(look.height, 1);
        EXPECT_EQ(look.texel, (std::array<int, 3>{128, 128, 128}));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        std::filesystem::remove_all("data");
    }
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

// Assets that decrypt but cannot be used are reported; a model file or height
// image is left out, a figure's skin leaves the model plain; the rest of the
// scene loads and draws.
TEST_F(SceneGlTest, UnusableAssetsAreReportedAndLeftOutOrDrawnPlain) {
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
                                  "./data/T014.dat; drawn without its skin."));
    EXPECT_THAT(errors, HasSubstr("Scene error: static model S1: cannot read the texture image "
                                  "./data/T020.dat"));
    EXPECT_THAT(errors, HasSubstr("Scene error: ./data/T001.dat: not an 8-bit RGB JPEG image"));
    EXPECT_EQ(ScratchFilesLeft(), "");
    EXPECT_FALSE(g_md2Models[F4A].IsDrawable());
    EXPECT_TRUE(g_md2Models[F1B].IsDrawable());
    EXPECT_TRUE(g_md2Models[F4B].IsDrawable());
    EXPECT_EQ(g_terrainMesh.m_iIndexCount, 0);

    DrawSceneDepth();
    DrawSceneTextured();
    AdvanceFigures();
    EXPECT_EQ(g_md2Models[F4A].m_iCurrentFrame, 0);
    EXPECT_EQ(g_md2Models[F4B].m_iCurrentFrame, 2);
    EXPECT_EQ(g_md2Models[F1B].m_iCurrentFrame, 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
