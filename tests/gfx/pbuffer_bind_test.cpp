// Binding the depth target's buffers as the image of a texture: the buffer's
// content must arrive in the texture bound in the window's context.

#include <GL/glew.h>

#include <memory>
#include <vector>

#include "gfx/pbuffer_target.h"
#include "gfx/wgl_constants.h"
#include "tests/gfx/pbuffer_glx_fixture.h"

namespace {

const char kProgramMode[] = "rgba depth=24 textureRECT=depth";
constexpr int kShadowMapSize = 1500;
constexpr float kDepthTolerance = 1e-5f;

// Depth everywhere, then a quad over the left half at a window depth of
// quadDepth, as a depth pass would leave it.
void RenderDepth(float clearDepth, float quadDepth) {
    glClearDepth(clearDepth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    const float z = quadDepth * 2.0f - 1.0f;
    glBegin(GL_QUADS);
    glVertex3f(-1.0f, -1.0f, z);
    glVertex3f(0.0f, -1.0f, z);
    glVertex3f(0.0f, 1.0f, z);
    glVertex3f(-1.0f, 1.0f, z);
    glEnd();
}

std::vector<float> ReadDepthTexture(GLenum target, int width, int height) {
    std::vector<float> depth(static_cast<std::size_t>(width) * height, -1.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}

GLint TextureLevelValue(GLenum target, GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(target, 0, name, &value);
    return value;
}

GLint BoundRectangleTexture() {
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_RECTANGLE_ARB, &texture);
    return texture;
}

class PbufferBindTest : public GlxWindowTest {
  protected:
    void SetUp() override {
        GlxWindowTest::SetUp();
        m_target = std::make_unique<PbufferTarget>(kProgramMode);
        ASSERT_TRUE(m_target->Create(kShadowMapSize, kShadowMapSize, false, true));
    }
    void TearDown() override {
        m_target.reset();
        GlxWindowTest::TearDown();
    }

    // The depth texture as the view makes it at start-up: a rectangle texture
    // given storage by a copy in the target's context.
    GLuint MakeDepthTextureInTarget() {
        GLuint texture = 0;
        m_target->BeginCapture(nullptr);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
        glCopyTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_DEPTH_COMPONENT24, 0, 0, kShadowMapSize,
                         kShadowMapSize, 0);
        m_target->EndCapture();
        return texture;
    }

    void RenderDepthInTarget(float clearDepth, float quadDepth) {
        m_target->BeginCapture(nullptr);
        RenderDepth(clearDepth, quadDepth);
        m_target->EndCapture();
    }

    void ExpectDepthTexture(float left, float right) {
        const std::vector<float> depth =
            ReadDepthTexture(GL_TEXTURE_RECTANGLE_ARB, kShadowMapSize, kShadowMapSize);
        const int row = kShadowMapSize / 2 * kShadowMapSize;
        EXPECT_NEAR(depth[row + 10], left, kDepthTolerance);
        EXPECT_NEAR(depth[row + kShadowMapSize / 2 - 2], left, kDepthTolerance);
        EXPECT_NEAR(depth[row + kShadowMapSize / 2 + 2], right, kDepthTolerance);
        EXPECT_NEAR(depth[0], left, kDepthTolerance);
        EXPECT_NEAR(depth.back(), right, kDepthTolerance);
    }

    std::unique_ptr<PbufferTarget> m_target;
};

TEST_F(PbufferBindTest, DepthReachesRectangleTextureOnActiveUnitEveryFrame) {
    const GLuint texture = MakeDepthTextureInTarget();
    const float frames[][2] = {{0.25f, 0.5f}, {0.75f, 0.125f}};
    for (const auto& frame : frames) {
        RenderDepthInTarget(frame[0], frame[1]);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
        ASSERT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));

        EXPECT_TRUE(WindowIsCurrent());
        GLint activeUnit = 0;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &activeUnit);
        EXPECT_EQ(activeUnit, GL_TEXTURE1);
        EXPECT_EQ(BoundRectangleTexture(), static_cast<GLint>(texture));
        ExpectDepthTexture(frame[1], frame[0]);
        EXPECT_TRUE(m_target->ReleaseTexture(WGL_DEPTH_COMPONENT_NV));
        glActiveTexture(GL_TEXTURE0);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PbufferBindTest, TargetContextKeepsItsOwnBinding) {
    const GLuint texture = MakeDepthTextureInTarget();
    GLuint own = 0;
    m_target->BeginCapture(nullptr);
    glGenTextures(1, &own);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, own);
    RenderDepth(0.5f, 0.5f);
    m_target->EndCapture();

    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
    ASSERT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));
    m_target->BeginCapture(nullptr);
    EXPECT_EQ(BoundRectangleTexture(), static_cast<GLint>(own));
    m_target->EndCapture();
}

TEST_F(PbufferBindTest, TextureWithoutImageGetsOneOfBufferSize) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
    RenderDepthInTarget(0.25f, 0.5f);
    ASSERT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));
    EXPECT_EQ(TextureLevelValue(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WIDTH), kShadowMapSize);
    EXPECT_EQ(TextureLevelValue(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_HEIGHT), kShadowMapSize);
    EXPECT_GE(TextureLevelValue(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_DEPTH_SIZE), 24);
    ExpectDepthTexture(0.5f, 0.25f);
}

TEST_F(PbufferBindTest, WhileCapturingCopiesWithoutSwitching) {
    m_target->BeginCapture(nullptr);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
    RenderDepth(0.75f, 0.25f);
    ASSERT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));
    EXPECT_TRUE(m_target->IsCapturing());
    EXPECT_TRUE(IsCurrent(m_target->Context(), m_target->Pbuffer()));
    ExpectDepthTexture(0.25f, 0.75f);
    m_target->EndCapture();
}

TEST_F(PbufferBindTest, RefusedWithoutBoundTextureOrSharedObjects) {
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, 0);
    EXPECT_FALSE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));

    PbufferTarget unshared(kProgramMode);
    ASSERT_TRUE(unshared.Create(32, 32, false, false));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
    EXPECT_FALSE(unshared.BindTexture(WGL_DEPTH_COMPONENT_NV));
    EXPECT_EQ(TextureLevelValue(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WIDTH), 0);
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferBindTest, RefusedForBufferWithoutTextureFormat) {
    PbufferTarget plain("rgba depth=24");
    ASSERT_TRUE(plain.Create(32, 32, false, true));
    EXPECT_FALSE(plain.IsTexture());
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
    EXPECT_FALSE(plain.BindTexture(WGL_DEPTH_COMPONENT_NV));
    EXPECT_FALSE(plain.ReleaseTexture(WGL_DEPTH_COMPONENT_NV));
    EXPECT_FALSE(m_target->BindTexture(WGL_FRONT_RIGHT_ARB));
    EXPECT_FALSE(m_target->ReleaseTexture(WGL_FRONT_RIGHT_ARB));
    EXPECT_EQ(TextureLevelValue(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WIDTH), 0);
}

TEST_F(PbufferBindTest, DepthOnlyTextureBindsDepth) {
    PbufferTarget depthOnly("depth=24 texture=depth");
    ASSERT_TRUE(depthOnly.Create(16, 8, false, true));
    EXPECT_TRUE(depthOnly.IsTexture());
    depthOnly.BeginCapture(nullptr);
    RenderDepth(0.25f, 0.5f);
    depthOnly.EndCapture();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    ASSERT_TRUE(depthOnly.BindTexture(WGL_DEPTH_COMPONENT_NV));
    const std::vector<float> depth = ReadDepthTexture(GL_TEXTURE_2D, 16, 8);
    EXPECT_NEAR(depth[4 * 16 + 2], 0.5f, kDepthTolerance);
    EXPECT_NEAR(depth[4 * 16 + 13], 0.25f, kDepthTolerance);
}

TEST_F(PbufferBindTest, ColourReachesBound2DTexture) {
    PbufferTarget colour("rgba texture");
    ASSERT_TRUE(colour.Create(16, 16, false, true));
    colour.BeginCapture(nullptr);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    colour.EndCapture();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    ASSERT_TRUE(colour.BindTexture(WGL_FRONT_LEFT_ARB));
    std::vector<unsigned char> pixels(16 * 16 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_NEAR(pixels[0], 64, 1);
    EXPECT_NEAR(pixels[1], 128, 1);
    EXPECT_NEAR(pixels[2], 191, 1);
    EXPECT_EQ(pixels[3], 255);
}

}  // namespace
