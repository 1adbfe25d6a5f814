// Which texture a buffer of the depth target is copied into, and how.

#include "gfx/pbuffer_texture_copy.h"

#include <gtest/gtest.h>

#include "gfx/pbuffer_target.h"
#include "gfx/wgl_constants.h"

namespace {

const char kProgramMode[] = "rgba depth=24 textureRECT=depth";

struct CopyCase {
    const char* mode;
    int buffer;
    bool supported;
    GLenum target;
    GLenum readBuffer;
    GLenum internalFormat;
};

TEST(PbufferTextureCopy, MapsBufferAndModeToTextureCopy) {
    const CopyCase cases[] = {
        {kProgramMode, WGL_DEPTH_COMPONENT_NV, true, GL_TEXTURE_RECTANGLE_ARB, GL_NONE,
         GL_DEPTH_COMPONENT24},
        {kProgramMode, WGL_FRONT_LEFT_ARB, true, GL_TEXTURE_RECTANGLE_ARB, GL_FRONT_LEFT, GL_RGBA8},
        {"rgb texture", WGL_BACK_LEFT_ARB, true, GL_TEXTURE_2D, GL_BACK_LEFT, GL_RGB8},
        {"rgba aux=4 texture", WGL_AUX0_ARB + 3, true, GL_TEXTURE_2D, GL_AUX3, GL_RGBA8},
        {"float=16 texture", WGL_FRONT_LEFT_ARB, true, GL_TEXTURE_RECTANGLE_ARB, GL_FRONT_LEFT,
         GL_RGBA16F},
        {"float=32 rg texture", WGL_FRONT_LEFT_ARB, true, GL_TEXTURE_RECTANGLE_ARB, GL_FRONT_LEFT,
         GL_RG32F},
        // A depth-only texture has no colour to bind, a colour texture no depth.
        {"texture=depth", WGL_FRONT_LEFT_ARB, false, 0, 0, 0},
        {"rgba texture", WGL_DEPTH_COMPONENT_NV, false, 0, 0, 0},
        {"rg texture", WGL_FRONT_LEFT_ARB, false, 0, 0, 0},
        // Cube faces need a face to bind, which the target does not offer.
        {"rgba textureCUBE", WGL_FRONT_LEFT_ARB, false, 0, 0, 0},
        {kProgramMode, WGL_FRONT_RIGHT_ARB, false, 0, 0, 0},
        {kProgramMode, 0, false, 0, 0, 0},
    };
    for (const CopyCase& c : cases) {
        const PbufferTarget target(c.mode);
        TextureCopy copy;
        const bool supported =
            DescribeTextureCopy(target.PbufferAttribs(), target.BitsPerComponent(), c.buffer, copy);
        SCOPED_TRACE(::testing::Message() << c.mode << " buffer 0x" << std::hex << c.buffer);
        ASSERT_EQ(supported, c.supported);
        if (supported) {
            EXPECT_EQ(copy.target, c.target);
            EXPECT_EQ(copy.readBuffer, c.readBuffer);
            EXPECT_EQ(copy.internalFormat, c.internalFormat);
            EXPECT_EQ(copy.depth, c.buffer == WGL_DEPTH_COMPONENT_NV);
        }
    }
}

TEST(PbufferTextureCopy, AsksForTextureWithColourOrDepthFormat) {
    EXPECT_TRUE(AsksForTexture(PbufferTarget(kProgramMode).PbufferAttribs()));
    EXPECT_TRUE(AsksForTexture(PbufferTarget("texture=depth").PbufferAttribs()));
    EXPECT_TRUE(AsksForTexture(PbufferTarget("rgb texture").PbufferAttribs()));
    EXPECT_FALSE(AsksForTexture(PbufferTarget("rg texture").PbufferAttribs()));
    EXPECT_FALSE(AsksForTexture(PbufferTarget("rgba depth=24").PbufferAttribs()));
}

}  // namespace
