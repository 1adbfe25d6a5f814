#include <IL/il.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "scene/md2_model.h"
#include "tests/scene/md2_writer.h"
#include "tests/scene/scene_gl_fixture.h"

namespace {

// One triangle over the whole viewport with a red skin: file points (-1, 0,
// -1), (3, 0, -1), (-1, 0, 3) lie at scene (-1, -1, 0), (3, -1, 0), (-1, 3, 0).
Md2Fixture ScreenTriangle() {
    Md2Fixture fixture = MovingTriangle({"cover01", "cover02"});
    for (Md2FixtureFrame& frame : fixture.frames) {
        frame.translate = {-1.0f, 0.0f, -1.0f};
        frame.vertices = {{0, 0, 0}, {4, 0, 0}, {0, 0, 4}};
    }
    return fixture;
}

// Draws the model textured in white light with identity matrices over a blue
// background.
void DrawOverBlue(Md2Model& model) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    model.Draw();
}

TEST_F(SceneGlTest, Md2ModelDrawsItsFrameWithItsSkin) {
    WriteFileBytes("model.md2", ScreenTriangle().Bytes());
    WriteFileBytes("skin.jpg", JpegImage(8, 8, 3, {255, 0, 0}));
    Md2Model model;
    std::string error;
    ASSERT_TRUE(model.Load("model.md2", "skin.jpg", error)) << error;
    ASSERT_EQ(model.m_iSkinCount, 1);
    EXPECT_EQ(model.m_ppSkins[0]->m_szFile, "skin.jpg");

    DrawOverBlue(model);
    const auto rgba = ReadColor(SIZE / 2, SIZE / 2);
    EXPECT_GT(rgba[0], 0.8f);
    EXPECT_LT(rgba[2], 0.2f);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), model.m_ppSkins[0]->m_uTexture);
    // Only the frame loop moves a model on, not its draws.
    EXPECT_EQ(model.m_iCurrentFrame, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneGlTest, ModelThatFailedToLoadDrawsNothing) {
    WriteFileBytes("skin.jpg", JpegImage(8, 8, 3, {255, 0, 0}));
    Md2Model model;
    std::string error;
    EXPECT_FALSE(model.Load("missing.md2", "skin.jpg", error));
    EXPECT_FALSE(model.Load("skin.jpg", "skin.jpg", error));
    EXPECT_TRUE(model.m_ppFrames.empty());

    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    model.Draw();
    EXPECT_EQ(ReadColor(SIZE / 2, SIZE / 2)[2], 1.0f);
    EXPECT_EQ(model.m_iCurrentFrame, 0);
}

// Without a readable skin the model is drawn in one mid-grey, which the
// lighting and shadows modulate, instead of being left out.
TEST_F(SceneGlTest, ModelWithoutItsSkinIsDrawnPlain) {
    ilInit();  // as the scene loader does before any model is loaded
    WriteFileBytes("model.md2", ScreenTriangle().Bytes());
    const std::pair<const char*, std::string> skins[] = {
        {"missing.jpg", "cannot read the skin image missing.jpg"},
        {nullptr, "no skin image was given"},
    };
    for (const auto& [skin, message] : skins) {
        Md2Model model;
        std::string error;
        EXPECT_TRUE(model.Load("model.md2", skin, error));
        EXPECT_EQ(error, message);
        DrawOverBlue(model);
        const auto rgba = ReadColor(SIZE / 2, SIZE / 2);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(rgba[c], 0.5f, 0.02f) << message << ", channel " << c;
    }
}

}  // namespace
