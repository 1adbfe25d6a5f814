// Creating the depth target over a GLX pbuffer next to a window's context.

#include "gfx/pbuffer_target.h"

#include <GL/glew.h>

#include "tests/gfx/pbuffer_glx_fixture.h"

namespace {

const char kProgramMode[] = "rgba depth=24 textureRECT=depth";

using PbufferCreateTest = GlxWindowTest;

TEST_F(PbufferCreateTest, ProgramTargetGetsItsSizeAndOwnContext) {
    PbufferTarget target(kProgramMode);
    ASSERT_TRUE(target.Create(1500, 1500, false, true));
    EXPECT_EQ(target.Width(), 1500);
    EXPECT_EQ(target.Height(), 1500);
    EXPECT_TRUE(target.IsTexture());
    EXPECT_NE(target.Context(), nullptr);
    EXPECT_NE(target.Context(), m_context);
    EXPECT_FALSE(target.IsCapturing());
    EXPECT_TRUE(WindowIsCurrent());

    target.BeginCapture(nullptr);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    // Exactly as asked: the depth pass's polygon offset units depend on it.
    EXPECT_EQ(depthBits, 24);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1500);
    EXPECT_EQ(viewport[3], 1500);
    target.EndCapture();
}

TEST_F(PbufferCreateTest, ContextsShareTexturesBothWays) {
    PbufferTarget target(kProgramMode);
    ASSERT_TRUE(target.Create(64, 64, false, true));
    GLuint fromWindow = 0;
    glGenTextures(1, &fromWindow);
    glBindTexture(GL_TEXTURE_2D, fromWindow);

    target.BeginCapture(nullptr);
    EXPECT_TRUE(glIsTexture(fromWindow));
    GLuint fromTarget = 0;
    glGenTextures(1, &fromTarget);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, fromTarget);
    target.EndCapture();

    EXPECT_TRUE(glIsTexture(fromTarget));
    EXPECT_NE(fromTarget, fromWindow);
}

TEST_F(PbufferCreateTest, ContextWithoutSharingSeesNoWindowTexture) {
    PbufferTarget target(kProgramMode);
    ASSERT_TRUE(target.Create(64, 64, false, false));
    GLuint fromWindow = 0;
    glGenTextures(1, &fromWindow);
    glBindTexture(GL_TEXTURE_2D, fromWindow);
    target.BeginCapture(nullptr);
    EXPECT_FALSE(glIsTexture(fromWindow));
    target.EndCapture();
}

TEST_F(PbufferCreateTest, SharedContextRendersIntoPbuffer) {
    PbufferTarget target("rgb depth=24");
    ASSERT_TRUE(target.Create(64, 32, true, false));
    EXPECT_EQ(target.Context(), m_context);
    EXPECT_EQ(target.Width(), 64);
    EXPECT_EQ(target.Height(), 32);
    target.BeginCapture(nullptr);
    EXPECT_TRUE(IsCurrent(m_context, target.Pbuffer()));
    target.EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCreateTest, LargestBufferAvailableWhenAskedForTooMuch) {
    PbufferTarget target(kProgramMode);
    ASSERT_TRUE(target.Create(100000, 100000, false, true));
    EXPECT_GT(target.Width(), 0);
    EXPECT_LT(target.Width(), 100000);
    EXPECT_GT(target.Height(), 0);
    EXPECT_LT(target.Height(), 100000);
    EXPECT_EQ(target.Width(), DrawableWidth(target.Pbuffer()));
}

TEST_F(PbufferCreateTest, FailsWithoutCurrentContext) {
    ReleaseCurrent();
    PbufferTarget target(kProgramMode);
    EXPECT_FALSE(target.Create(64, 64, false, true));
    EXPECT_EQ(target.Pbuffer(), 0u);
    EXPECT_FALSE(target.IsTexture());
}

TEST_F(PbufferCreateTest, FailsWithNothingAllocatedWhenNoConfigMatches) {
    for (const char* mode : {"rgba depth=24 aux=64", "rgba samples=64", "depth=64"}) {
        PbufferTarget target(mode);
        EXPECT_FALSE(target.Create(64, 64, false, true)) << mode;
        EXPECT_EQ(target.Pbuffer(), 0u) << mode;
        EXPECT_EQ(target.Context(), nullptr) << mode;
        EXPECT_TRUE(WindowIsCurrent()) << mode;
    }
}

TEST_F(PbufferCreateTest, FailsForEmptySize) {
    PbufferTarget target(kProgramMode);
    EXPECT_FALSE(target.Create(0, 64, false, true));
    EXPECT_FALSE(target.Create(64, -1, false, true));
}

TEST_F(PbufferCreateTest, CreatingAgainReplacesTheBuffer) {
    PbufferTarget target(kProgramMode);
    ASSERT_TRUE(target.Create(64, 64, false, true));
    ASSERT_TRUE(target.Create(128, 32, false, true));
    EXPECT_EQ(target.Width(), 128);
    EXPECT_EQ(target.Height(), 32);
    target.BeginCapture(nullptr);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 128);
    EXPECT_EQ(viewport[3], 32);
    target.EndCapture();
}

// The X server refuses such a config's pbuffer only when the first image reaches
// it; creation finds out and fails instead of the process ending at that error.
TEST_F(PbufferCreateTest, FailsOverConfigTheServerRefuses) {
    if (!MakeMismatchedWindowCurrent()) {
        GTEST_SKIP() << "no config with more colour bits than its visual";
    }
    const GLXContext mismatched = CurrentContext();
    PbufferTarget target(kProgramMode);
    EXPECT_FALSE(target.Create(64, 64, true, false));
    EXPECT_EQ(target.Pbuffer(), 0u);
    EXPECT_EQ(CurrentContext(), mismatched);
    // The same mode on a config of its own choosing works.
    EXPECT_TRUE(target.Create(64, 64, false, true));
}

}  // namespace
