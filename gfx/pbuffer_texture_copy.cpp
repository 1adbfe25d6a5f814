#include "gfx/pbuffer_texture_copy.h"

#include "gfx/pbuffer_glx_attribs.h"
#include "gfx/wgl_constants.h"

namespace {

constexpr int kAuxBufferCount = 10;

bool SetTarget(int wglTarget, TextureCopy& copy) {
    if (wglTarget == WGL_TEXTURE_RECTANGLE_NV) {
        copy.target = GL_TEXTURE_RECTANGLE_ARB;
        copy.binding = GL_TEXTURE_BINDING_RECTANGLE_ARB;
    } else if (wglTarget == WGL_TEXTURE_2D_ARB) {
        copy.target = GL_TEXTURE_2D;
        copy.binding = GL_TEXTURE_BINDING_2D;
    } else {
        return false;
    }
    return true;
}

GLenum ReadBuffer(int buffer) {
    if (buffer == WGL_FRONT_LEFT_ARB) {
        return GL_FRONT_LEFT;
    }
    if (buffer == WGL_BACK_LEFT_ARB) {
        return GL_BACK_LEFT;
    }
    if (buffer >= WGL_AUX0_ARB && buffer < WGL_AUX0_ARB + kAuxBufferCount) {
        return GL_AUX0 + (buffer - WGL_AUX0_ARB);
    }
    return GL_NONE;
}

GLenum ColourFormat(int wglFormat, int bitsPerComponent) {
    const bool half = bitsPerComponent == 16;
    switch (wglFormat) {
        case WGL_TEXTURE_RGB_ARB:
            return GL_RGB8;
        case WGL_TEXTURE_RGBA_ARB:
            return GL_RGBA8;
        case WGL_TEXTURE_FLOAT_R_NV:
            return half ? GL_R16F : GL_R32F;
        case WGL_TEXTURE_FLOAT_RG_NV:
            return half ? GL_RG16F : GL_RG32F;
        case WGL_TEXTURE_FLOAT_RGB_NV:
            return half ? GL_RGB16F : GL_RGB32F;
        case WGL_TEXTURE_FLOAT_RGBA_NV:
            return half ? GL_RGBA16F : GL_RGBA32F;
        default:
            return GL_NONE;
    }
}

}  // namespace

bool AsksForTexture(const std::vector<int>& wglPbufferAttribs) {
    return WglAttribValue(wglPbufferAttribs, WGL_TEXTURE_FORMAT_ARB, WGL_NO_TEXTURE_ARB) !=
               WGL_NO_TEXTURE_ARB ||
           WglAttribValue(wglPbufferAttribs, WGL_DEPTH_TEXTURE_FORMAT_NV, WGL_NO_TEXTURE_ARB) !=
               WGL_NO_TEXTURE_ARB;
}

bool DescribeTextureCopy(const std::vector<int>& wglPbufferAttribs, int bitsPerComponent,
                         int buffer, TextureCopy& copy) {
    const int target =
        WglAttribValue(wglPbufferAttribs, WGL_TEXTURE_TARGET_ARB, WGL_NO_TEXTURE_ARB);
    if (!SetTarget(target, copy)) {
        return false;
    }
    if (buffer == WGL_DEPTH_COMPONENT_NV) {
        copy.depth = true;
        copy.readBuffer = GL_NONE;
        copy.internalFormat = GL_DEPTH_COMPONENT24;
        return WglAttribValue(wglPbufferAttribs, WGL_DEPTH_TEXTURE_FORMAT_NV, WGL_NO_TEXTURE_ARB) ==
               WGL_TEXTURE_DEPTH_COMPONENT_NV;
    }
    copy.depth = false;
    copy.readBuffer = ReadBuffer(buffer);
    copy.internalFormat =
        ColourFormat(WglAttribValue(wglPbufferAttribs, WGL_TEXTURE_FORMAT_ARB, WGL_NO_TEXTURE_ARB),
                     bitsPerComponent);
    return copy.readBuffer != GL_NONE && copy.internalFormat != GL_NONE;
}
