// Translation of the depth target's WGL lists into GLX lists.

#include "gfx/pbuffer_glx_attribs.h"

#include <gtest/gtest.h>
// After GoogleTest: X's macros (None) clash with its names.
#include <GL/glx.h>

#include <vector>

#include "gfx/pbuffer_target.h"
#include "gfx/wgl_constants.h"

namespace {

using Attribs = std::vector<int>;

const char kProgramMode[] = "rgba depth=24 textureRECT=depth";

TEST(PbufferGlxAttribs, ProgramModeChoosesSingleBufferedPbufferAndWindowConfig) {
    const PbufferTarget target(kProgramMode);
    EXPECT_EQ(GlxConfigAttribs(target.PixelFormatAttribs()),
              (Attribs{GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT | GLX_WINDOW_BIT, GLX_RENDER_TYPE,
                       GLX_RGBA_BIT, GLX_DOUBLEBUFFER, False, GLX_DEPTH_SIZE, 24, GLX_RED_SIZE, 8,
                       GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_ALPHA_SIZE, 8, None}));
    EXPECT_EQ(GlxRenderType(target.PixelFormatAttribs()), GLX_RGBA_TYPE);
}

TEST(PbufferGlxAttribs, TranslatesEveryBufferSizeOnce) {
    // Double buffering replaces the single-buffered default; the colour sizes
    // that a float texture lists twice appear once.
    const PbufferTarget target("double stencil aux=1 samples=4 float=16 texture");
    EXPECT_EQ(GlxConfigAttribs(target.PixelFormatAttribs()),
              (Attribs{GLX_DRAWABLE_TYPE,
                       GLX_PBUFFER_BIT | GLX_WINDOW_BIT,
                       GLX_RENDER_TYPE,
                       GLX_RGBA_BIT,
                       GLX_DOUBLEBUFFER,
                       1,
                       GLX_STENCIL_SIZE,
                       8,
                       GLX_AUX_BUFFERS,
                       1,
                       GLX_SAMPLE_BUFFERS,
                       1,
                       GLX_SAMPLES,
                       4,
                       GLX_FLOAT_COMPONENTS_NV,
                       1,
                       GLX_RED_SIZE,
                       16,
                       GLX_GREEN_SIZE,
                       16,
                       GLX_BLUE_SIZE,
                       16,
                       GLX_ALPHA_SIZE,
                       16,
                       None}));
}

TEST(PbufferGlxAttribs, AtiFloatAsksForFloatConfigAndContext) {
    const PbufferTarget target("ati_float=32 rgba");
    const Attribs glx = GlxConfigAttribs(target.PixelFormatAttribs());
    ASSERT_GE(glx.size(), 4u);
    EXPECT_EQ(glx[2], GLX_RENDER_TYPE);
    EXPECT_EQ(glx[3], GLX_RGBA_FLOAT_BIT_ARB);
    EXPECT_EQ(GlxRenderType(target.PixelFormatAttribs()), GLX_RGBA_FLOAT_TYPE_ARB);
}

TEST(PbufferGlxAttribs, LargestLimitsSizeToConfigMaximum) {
    const PbufferTarget target(kProgramMode);
    EXPECT_EQ(GlxPbufferAttribs(target.PbufferAttribs(), 1500, 1500, 4096, 4096),
              (Attribs{GLX_PBUFFER_WIDTH, 1500, GLX_PBUFFER_HEIGHT, 1500, GLX_LARGEST_PBUFFER, True,
                       GLX_PRESERVED_CONTENTS, True, None}));
    EXPECT_EQ(GlxPbufferAttribs(target.PbufferAttribs(), 5000, 300, 4096, 2048),
              (Attribs{GLX_PBUFFER_WIDTH, 4096, GLX_PBUFFER_HEIGHT, 300, GLX_LARGEST_PBUFFER, True,
                       GLX_PRESERVED_CONTENTS, True, None}));
    // Without the largest flag the size is passed on and the driver decides.
    EXPECT_EQ(GlxPbufferAttribs({0}, 5000, 300, 4096, 2048),
              (Attribs{GLX_PBUFFER_WIDTH, 5000, GLX_PBUFFER_HEIGHT, 300, GLX_LARGEST_PBUFFER, False,
                       GLX_PRESERVED_CONTENTS, True, None}));
}

TEST(PbufferGlxAttribs, AttribValueStopsAtEndMarkerAndTakesLastPair) {
    const Attribs list = {WGL_RED_BITS_ARB, 8, WGL_RED_BITS_ARB, 16, 0, WGL_DEPTH_BITS_ARB, 24};
    EXPECT_EQ(WglAttribValue(list, WGL_RED_BITS_ARB, -1), 16);
    EXPECT_EQ(WglAttribValue(list, WGL_DEPTH_BITS_ARB, -1), -1);
}

}  // namespace
