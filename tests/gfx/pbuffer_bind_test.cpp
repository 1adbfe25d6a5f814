// Binding the depth target's buffers as the image of a texture: the buffer's
// content must arrive in the texture bound in the window's context.

#include <GL/glew.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <vector>

#include "gfx/pbuffer_render_texture.h"
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

// The bound rectangle texture holds left over its left half, right over the
// rest, as RenderDepth leaves a buffer of the program's size.
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
    // Its context draws colour, which a depth texture cannot take: copies stay.
    EXPECT_FALSE(m_target->RendersIntoTexture());
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

// How the depth map reaches the texture: the way chosen by default (rendered
// into a texture of the target's own and copied by the driver), rendering
// straight into the texture, or the copy from the pbuffer.
enum class HandOver { Default, Direct, Copy };

void PrintTo(HandOver way, std::ostream* out) {
    *out << (way == HandOver::Default ? "default" : way == HandOver::Direct ? "direct" : "copy");
}

// A target whose context draws no colour, as the depth pass's does, created
// with one way of handing over the depth map.
class PbufferRenderIntoTextureTest : public GlxWindowTest,
                                     public ::testing::WithParamInterface<HandOver> {
  protected:
    void SetUp() override {
        GlxWindowTest::SetUp();
        SetSwitch(PbufferRenderTexture::FORCE_COPY_VARIABLE, GetParam() == HandOver::Copy);
        SetSwitch(PbufferRenderTexture::FORCE_DIRECT_VARIABLE, GetParam() == HandOver::Direct);
        m_target = std::make_unique<PbufferTarget>(kProgramMode);
        ASSERT_TRUE(m_target->Create(kShadowMapSize, kShadowMapSize, false, true));
        unsetenv(PbufferRenderTexture::FORCE_COPY_VARIABLE);
        m_target->BeginCapture(nullptr);
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
        m_target->EndCapture();
    }
    void TearDown() override {
        m_target.reset();
        unsetenv(PbufferRenderTexture::FORCE_DIRECT_VARIABLE);
        GlxWindowTest::TearDown();
    }

    static void SetSwitch(const char* variable, bool on) {
        if (on) {
            setenv(variable, "1", 1);
        } else {
            unsetenv(variable);
        }
    }

    GLuint MakeDepthTexture() {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
        glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_DEPTH_COMPONENT24, kShadowMapSize,
                     kShadowMapSize, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
        return texture;
    }

    // One frame: a capture, the texture bound and read in the window's context,
    // then released.
    std::vector<float> Frame(GLuint texture, float clearDepth, float quadDepth) {
        m_target->BeginCapture(nullptr);
        RenderDepth(clearDepth, quadDepth);
        m_target->EndCapture();
        glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
        EXPECT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));
        EXPECT_TRUE(WindowIsCurrent());
        std::vector<float> depth =
            ReadDepthTexture(GL_TEXTURE_RECTANGLE_ARB, kShadowMapSize, kShadowMapSize);
        EXPECT_TRUE(m_target->ReleaseTexture(WGL_DEPTH_COMPONENT_NV));
        return depth;
    }

    // The texture the target's context renders depth into during a capture.
    GLuint RenderedTexture() {
        m_target->BeginCapture(nullptr);
        GLint name = 0;
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                              GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
        m_target->EndCapture();
        return static_cast<GLuint>(name);
    }

    std::unique_ptr<PbufferTarget> m_target;
};

// Whichever way the depth map travels, each frame's texture holds that
// frame's depth. Only the copy from the pbuffer leaves the framebuffer object
// out; by default the captures render into a texture of the target's own, so
// that the texture the scene samples is never a render target.
TEST_P(PbufferRenderIntoTextureTest, EveryFrameShowsItsOwnDepth) {
    const HandOver way = GetParam();
    const GLuint texture = MakeDepthTexture();
    const float frames[][2] = {{0.25f, 0.5f}, {0.75f, 0.125f}, {0.5f, 0.875f}};
    for (const auto& frame : frames) {
        const std::vector<float> depth = Frame(texture, frame[0], frame[1]);
        const int row = kShadowMapSize / 2 * kShadowMapSize;
        EXPECT_NEAR(depth[row + 10], frame[1], kDepthTolerance);
        EXPECT_NEAR(depth[row + kShadowMapSize - 10], frame[0], kDepthTolerance);
        EXPECT_EQ(m_target->RendersIntoTexture(), way != HandOver::Copy);
        EXPECT_EQ(m_target->CopiesOwnTexture(), way == HandOver::Default);
    }
    const GLuint rendered = RenderedTexture();
    if (way == HandOver::Default) {
        EXPECT_NE(rendered, 0u);
        EXPECT_NE(rendered, texture);
    } else {
        EXPECT_EQ(rendered, way == HandOver::Direct ? texture : 0u);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A quad at a window depth over exactly the texels of rect.
void DrawRect(const TexelRect& rect, float depth) {
    const auto ndc = [](int texel) { return 2.0f * texel / kShadowMapSize - 1.0f; };
    const float z = depth * 2.0f - 1.0f;
    glBegin(GL_QUADS);
    glVertex3f(ndc(rect.x0), ndc(rect.y0), z);
    glVertex3f(ndc(rect.x1), ndc(rect.y0), z);
    glVertex3f(ndc(rect.x1), ndc(rect.y1), z);
    glVertex3f(ndc(rect.x0), ndc(rect.y1), z);
    glEnd();
}

// Captures that name where they draw, as the depth pass does: each lets the
// target clear what the last one named, draws its rectangles and names them
// (or, the fourth, clears everything and names nothing). After every frame the
// texture must hold that frame's rectangles on the clear value, with nothing
// left of the frames before, whichever way the depth travels.
TEST_P(PbufferRenderIntoTextureTest, CapturesNamingTheirAreaLeaveNothingStale) {
    const GLuint texture = MakeDepthTexture();
    const struct {
        std::vector<TexelRect> drawn;
        bool named;
    } frames[] = {
        {{{100, 100, 400, 300}, {900, 1000, 1200, 1400}}, true},
        {{{600, 50, 700, 900}}, true},
        {{{100, 100, 200, 200}, {650, 100, 800, 300}, {0, 1400, 1500, 1500}}, true},
        {{{300, 300, 500, 500}}, false},
        {{{1000, 0, 1500, 10}}, true},
        {{}, true},
    };
    float depth = 0.125f;
    for (const auto& frame : frames) {
        depth += 0.0625f;
        m_target->BeginCapture(nullptr);
        glClearDepth(1.0);
        if (!frame.named || !m_target->ClearLastDrawn())
            glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_ALWAYS);
        for (const TexelRect& rect : frame.drawn)
            DrawRect(rect, depth);
        if (frame.named)
            m_target->SetDrawnArea(frame.drawn);
        m_target->EndCapture();

        glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
        ASSERT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));
        const std::vector<float> found =
            ReadDepthTexture(GL_TEXTURE_RECTANGLE_ARB, kShadowMapSize, kShadowMapSize);
        EXPECT_TRUE(m_target->ReleaseTexture(WGL_DEPTH_COMPONENT_NV));
        int wrong = 0;
        for (int y = 0; y < kShadowMapSize; ++y) {
            for (int x = 0; x < kShadowMapSize; ++x) {
                float expected = 1.0f;
                for (const TexelRect& rect : frame.drawn) {
                    if (x >= rect.x0 && x < rect.x1 && y >= rect.y0 && y < rect.y1)
                        expected = depth;
                }
                wrong += std::fabs(found[y * kShadowMapSize + x] - expected) > kDepthTolerance;
            }
        }
        EXPECT_EQ(wrong, 0) << "frame drawn at depth " << depth;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Bound to another texture, the target hands that one the last capture's depth
// and renders into it (or hands it each capture) from then on; the first keeps
// what it had.
TEST_P(PbufferRenderIntoTextureTest, AnotherTextureTakesOver) {
    const GLuint first = MakeDepthTexture();
    const GLuint second = MakeDepthTexture();
    Frame(first, 0.25f, 0.5f);
    Frame(first, 0.75f, 0.125f);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, second);
    ASSERT_TRUE(m_target->BindTexture(WGL_DEPTH_COMPONENT_NV));
    ExpectDepthTexture(0.125f, 0.75f);
    const std::vector<float> depth = Frame(second, 0.5f, 0.25f);
    EXPECT_NEAR(depth[10], 0.25f, kDepthTolerance);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, first);
    ExpectDepthTexture(0.125f, 0.75f);
}

// Colour is never read from the depth-only framebuffer: binding the colour
// buffer still works (and reads the pbuffer) once depth goes to its texture.
TEST_P(PbufferRenderIntoTextureTest, ColourBindStillWorks) {
    const GLuint texture = MakeDepthTexture();
    Frame(texture, 0.25f, 0.5f);
    Frame(texture, 0.25f, 0.5f);
    GLuint colour = 0;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, colour);
    EXPECT_TRUE(m_target->BindTexture(WGL_FRONT_LEFT_ARB));
    EXPECT_EQ(TextureLevelValue(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WIDTH), kShadowMapSize);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    m_target->BeginCapture(nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    m_target->EndCapture();
}

// The diagnostic switches: set to anything but nothing or "0" they force
// their way.
TEST(PbufferRenderTexture, WaysForcedByTheDiagnosticSwitches) {
    const struct {
        const char* value;
        bool forced;
    } cases[] = {{nullptr, false}, {"", false}, {"0", false}, {"1", true}, {"yes", true}};
    const struct {
        const char* variable;
        bool (*forced)();
    } switches[] = {
        {PbufferRenderTexture::FORCE_COPY_VARIABLE, PbufferRenderTexture::CopyForced},
        {PbufferRenderTexture::FORCE_DIRECT_VARIABLE, PbufferRenderTexture::DirectForced}};
    for (const auto& s : switches) {
        for (const auto& c : cases) {
            if (c.value == nullptr) {
                unsetenv(s.variable);
            } else {
                setenv(s.variable, c.value, 1);
            }
            EXPECT_EQ(s.forced(), c.forced) << s.variable << "=" << (c.value ? c.value : "unset");
        }
        unsetenv(s.variable);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, PbufferRenderIntoTextureTest,
                         ::testing::Values(HandOver::Default, HandOver::Direct, HandOver::Copy),
                         [](const ::testing::TestParamInfo<HandOver>& info) {
                             switch (info.param) {
                                 case HandOver::Default:
                                     return "OwnTextureCopied";
                                 case HandOver::Direct:
                                     return "DirectForced";
                                 case HandOver::Copy:
                                     break;
                             }
                             return "CopyForced";
                         });

// A target rendering with the window's own context must never leave a
// framebuffer object bound there.
TEST_F(PbufferBindTest, SharedContextKeepsCopying) {
    PbufferTarget shared(kProgramMode);
    ASSERT_TRUE(shared.Create(64, 64, true, true));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
    for (int frame = 0; frame < 2; ++frame) {
        shared.BeginCapture(nullptr);
        glDrawBuffer(GL_NONE);
        RenderDepth(0.25f, 0.5f);
        shared.EndCapture();
        ASSERT_TRUE(shared.BindTexture(WGL_DEPTH_COMPONENT_NV));
    }
    EXPECT_FALSE(shared.RendersIntoTexture());
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
    glDrawBuffer(GL_BACK);
}

}  // namespace
