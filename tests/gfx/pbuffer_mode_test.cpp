// Mode strings of the depth target and the WGL attribute lists they become.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gfx/pbuffer_target.h"
#include "gfx/wgl_constants.h"

namespace {

using Attribs = std::vector<int>;

// Every pixel-format list starts with these pairs, every pbuffer list with one.
const Attribs kPixelFormatStart = {WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_SUPPORT_OPENGL_ARB, 1};
const Attribs kPbufferStart = {WGL_PBUFFER_LARGEST_ARB, 1};
const Attribs kRgba = {WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB};

Attribs Join(std::initializer_list<Attribs> parts) {
    Attribs all;
    for (const Attribs& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    all.push_back(0);
    return all;
}

Attribs ColourSizes(int count, int bits) {
    const int names[] = {WGL_RED_BITS_ARB, WGL_GREEN_BITS_ARB, WGL_BLUE_BITS_ARB,
                         WGL_ALPHA_BITS_ARB};
    Attribs sizes;
    for (int i = 0; i < count; ++i) {
        sizes.push_back(names[i]);
        sizes.push_back(bits);
    }
    return sizes;
}

struct ModeCase {
    const char* name;
    const char* mode;
    Attribs pixelFormat;
    Attribs pbuffer;
};

std::ostream& operator<<(std::ostream& out, const ModeCase& c) {
    return out << c.name;
}

class ModeTable : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeTable, BuildsBothLists) {
    const ModeCase& c = GetParam();
    const PbufferTarget target(c.mode);
    EXPECT_EQ(target.PixelFormatAttribs(), c.pixelFormat);
    EXPECT_EQ(target.PbufferAttribs(), c.pbuffer);
}

// The program's own mode, then the empty and degenerate ones.
const ModeCase kBasicModes[] = {
    {"ProgramMode", "rgba depth=24 textureRECT=depth",
     Join({kPixelFormatStart,
           kRgba,
           {WGL_DEPTH_BITS_ARB, 24, WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, WGL_BIND_TO_TEXTURE_DEPTH_NV,
            1},
           ColourSizes(4, 8)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_RECTANGLE_NV, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_RGBA_ARB, WGL_DEPTH_TEXTURE_FORMAT_NV, WGL_TEXTURE_DEPTH_COMPONENT_NV}})},
    {"NullMode", nullptr, Join({kPixelFormatStart}), Join({kPbufferStart})},
    {"EmptyMode", "", Join({kPixelFormatStart}), Join({kPbufferStart})},
    // Not empty, so the pixel type is there, but there is no token.
    {"OnlySpaces", "   ", Join({kPixelFormatStart, kRgba}), Join({kPbufferStart})},
    {"RunsOfSpaces", "  rgba   depth=24 ",
     Join({kPixelFormatStart, kRgba, {WGL_DEPTH_BITS_ARB, 24}, ColourSizes(4, 8)}),
     Join({kPbufferStart})},
    {"UnknownTokensIgnored", "bogus doublex rgbx", Join({kPixelFormatStart, kRgba}),
     Join({kPbufferStart})},
};
INSTANTIATE_TEST_SUITE_P(Basic, ModeTable, ::testing::ValuesIn(kBasicModes),
                         [](const auto& info) { return std::string(info.param.name); });

// Colour component words and their limits.
const ModeCase kComponentModes[] = {
    {"RgbAlpha", "rgb alpha", Join({kPixelFormatStart, kRgba, ColourSizes(4, 8)}),
     Join({kPbufferStart})},
    {"RgbaThenRgbIgnored", "rgba rgb", Join({kPixelFormatStart, kRgba, ColourSizes(4, 8)}),
     Join({kPbufferStart})},
    {"FiveAlphasCountFour", "alpha alpha alpha alpha alpha",
     Join({kPixelFormatStart, kRgba, ColourSizes(4, 8)}), Join({kPbufferStart})},
    {"RThenRg", "r rg", Join({kPixelFormatStart, kRgba, ColourSizes(3, 8)}), Join({kPbufferStart})},
    {"RgThenRgbIgnored", "rg rgb", Join({kPixelFormatStart, kRgba, ColourSizes(2, 8)}),
     Join({kPbufferStart})},
    {"RgbThenRgbaIgnored", "rgb rgba", Join({kPixelFormatStart, kRgba, ColourSizes(3, 8)}),
     Join({kPbufferStart})},
};
INSTANTIATE_TEST_SUITE_P(Components, ModeTable, ::testing::ValuesIn(kComponentModes),
                         [](const auto& info) { return std::string(info.param.name); });

// Depth, stencil, multisample, auxiliary and double buffers.
const ModeCase kBufferModes[] = {
    {"DepthWithoutValue", "depth", Join({kPixelFormatStart, kRgba, {WGL_DEPTH_BITS_ARB, 1}}),
     Join({kPbufferStart})},
    {"DepthWithEmptyValue", "depth=", Join({kPixelFormatStart, kRgba, {WGL_DEPTH_BITS_ARB, 1}}),
     Join({kPbufferStart})},
    {"DepthNotANumber", "depth=x", Join({kPixelFormatStart, kRgba, {WGL_DEPTH_BITS_ARB, 0}}),
     Join({kPbufferStart})},
    {"StencilValueIgnored", "stencil=4",
     Join({kPixelFormatStart, kRgba, {WGL_STENCIL_BITS_ARB, 8}}), Join({kPbufferStart})},
    {"Samples", "samples=4",
     Join({kPixelFormatStart, kRgba, {WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB, 4}}),
     Join({kPbufferStart})},
    {"Aux", "aux=2", Join({kPixelFormatStart, kRgba, {WGL_AUX_BUFFERS_ARB, 2}}),
     Join({kPbufferStart})},
    {"Double", "double", Join({kPixelFormatStart, kRgba, {WGL_DOUBLE_BUFFER_ARB, 1}}),
     Join({kPbufferStart})},
};
INSTANTIATE_TEST_SUITE_P(Buffers, ModeTable, ::testing::ValuesIn(kBufferModes),
                         [](const auto& info) { return std::string(info.param.name); });

// Texture targets and formats, mipmaps, and the two kinds of float buffer.
const ModeCase kTextureModes[] = {
    {"DepthTextureAlone", "texture=depth",
     Join({kPixelFormatStart, kRgba, {WGL_BIND_TO_TEXTURE_DEPTH_NV, 1}}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB, WGL_DEPTH_TEXTURE_FORMAT_NV,
            WGL_TEXTURE_DEPTH_COMPONENT_NV}})},
    {"RgbCube", "rgb textureCUBE",
     Join({kPixelFormatStart, kRgba, {WGL_BIND_TO_TEXTURE_RGB_ARB, 1}, ColourSizes(3, 8)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_CUBE_MAP_ARB, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_RGB_ARB}})},
    // Only 3 or 4 components have a fixed-point texture format.
    {"RgTextureHasNoFormat", "rg texture", Join({kPixelFormatStart, kRgba, ColourSizes(2, 8)}),
     Join({kPbufferStart, {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB}})},
    // The format follows the components counted before the texture token.
    {"ComponentsAfterTexture", "texture rgba", Join({kPixelFormatStart, kRgba, ColourSizes(4, 8)}),
     Join({kPbufferStart, {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB}})},
    {"MipmapWithTexture", "rgba texture mipmap",
     Join({kPixelFormatStart, kRgba, {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1}, ColourSizes(4, 8)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_RGBA_ARB, WGL_MIPMAP_TEXTURE_ARB, 1}})},
    // The texture flag comes from the whole mode, so a mipmap token before the
    // texture token counts too.
    {"MipmapBeforeTexture", "mipmap rgba texture",
     Join({kPixelFormatStart, kRgba, {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1}, ColourSizes(4, 8)}),
     Join({kPbufferStart,
           {WGL_MIPMAP_TEXTURE_ARB, 1, WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB,
            WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGBA_ARB}})},
    {"MipmapWithoutTexture", "rgba mipmap", Join({kPixelFormatStart, kRgba, ColourSizes(4, 8)}),
     Join({kPbufferStart})},
    // The float flag forces a rectangle target and adds the colour sizes twice.
    {"FloatTexture", "float=16 texture",
     Join({kPixelFormatStart,
           kRgba,
           {WGL_FLOAT_COMPONENTS_NV, 1},
           ColourSizes(4, 16),
           {WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RGBA_NV, 1},
           ColourSizes(4, 16)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_RECTANGLE_NV, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_FLOAT_RGBA_NV}})},
    {"FloatRedTexture", "float=32 r texture",
     Join({kPixelFormatStart,
           kRgba,
           {WGL_FLOAT_COMPONENTS_NV, 1, WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_R_NV, 1},
           ColourSizes(1, 32)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_RECTANGLE_NV, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_FLOAT_R_NV}})},
    {"FloatWithoutTexture", "rgb float=32",
     Join({kPixelFormatStart, kRgba, {WGL_FLOAT_COMPONENTS_NV, 1}, ColourSizes(3, 32)}),
     Join({kPbufferStart})},
    // The ATI float keeps the fixed-point formats and the requested target.
    {"AtiFloatTexture", "ati_float=16 texture",
     Join({kPixelFormatStart,
           {WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_FLOAT_ATI},
           ColourSizes(4, 16),
           {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1},
           ColourSizes(4, 16)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_RGBA_ARB}})},
    {"AtiFloatRgbRect", "ati_float=32 rgb textureRECT",
     Join({kPixelFormatStart,
           {WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_FLOAT_ATI},
           {WGL_BIND_TO_TEXTURE_RGB_ARB, 1},
           ColourSizes(3, 32)}),
     Join({kPbufferStart,
           {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_RECTANGLE_NV, WGL_TEXTURE_FORMAT_ARB,
            WGL_TEXTURE_RGB_ARB}})},
};
INSTANTIATE_TEST_SUITE_P(Textures, ModeTable, ::testing::ValuesIn(kTextureModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PbufferMode, CountsComponentsAndBits) {
    const PbufferTarget program("rgba depth=24 textureRECT=depth");
    EXPECT_EQ(program.Components(), 4);
    EXPECT_EQ(program.BitsPerComponent(), 8);
    const PbufferTarget floating("float=16 texture");
    EXPECT_EQ(floating.Components(), 4);
    EXPECT_EQ(floating.BitsPerComponent(), 16);
    const PbufferTarget empty("");
    EXPECT_EQ(empty.Components(), 0);
    EXPECT_EQ(empty.BitsPerComponent(), 0);
}

// Parsing appends to lists that already hold entries.
TEST(PbufferMode, ParseModeAppendsToGivenLists) {
    PbufferTarget target(nullptr);
    Attribs pixelFormat = {7, 7};
    Attribs pbuffer = {9, 9};
    target.ParseMode("depth=16 texture=depth", pixelFormat, pbuffer);
    EXPECT_EQ(pixelFormat, (Attribs{7, 7, WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB, WGL_DEPTH_BITS_ARB,
                                    16, WGL_BIND_TO_TEXTURE_DEPTH_NV, 1}));
    EXPECT_EQ(pbuffer, (Attribs{9, 9, WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB,
                                WGL_DEPTH_TEXTURE_FORMAT_NV, WGL_TEXTURE_DEPTH_COMPONENT_NV}));
}

struct IntegerCase {
    const char* token;
    int value;
};

TEST(PbufferMode, GetIntegerValue) {
    const IntegerCase cases[] = {
        {"depth", 1},
        {"depth=", 1},
        {"depth=24", 24},
        {"depth=x", 0},
        {"depth=24bits", 24},
        {"a=b=3", 0},
        {"=5", 5},
        {"depth=-3", -3},
        {"depth=99999999999", INT_MAX},
        {"depth=-99999999999", INT_MIN},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(PbufferTarget::GetIntegerValue(c.token), c.value) << c.token;
    }
}

TEST(PbufferMode, GetStringValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"textureRECT=depth", "depth"}, {"texture", ""}, {"texture=", ""}, {"a=b=c", "b=c"}};
    for (const auto& [token, value] : cases) {
        EXPECT_EQ(PbufferTarget::GetStringValue(token), value) << token;
    }
}

}  // namespace
