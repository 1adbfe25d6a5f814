#include "gfx/pbuffer_glx_attribs.h"

#include <GL/glx.h>

#include <algorithm>

#include "gfx/wgl_constants.h"

namespace {

// Sets name to value, replacing an earlier setting of the same name.
void SetAttrib(std::vector<int>& attribs, int name, int value) {
    for (std::size_t i = 0; i + 1 < attribs.size(); i += 2) {
        if (attribs[i] == name) {
            attribs[i + 1] = value;
            return;
        }
    }
    attribs.push_back(name);
    attribs.push_back(value);
}

int GlxRenderTypeBit(int wglPixelType) {
    return wglPixelType == WGL_TYPE_RGBA_FLOAT_ATI ? GLX_RGBA_FLOAT_BIT_ARB : GLX_RGBA_BIT;
}

// GLX attribute with the same meaning as a WGL one, or 0 when there is none.
int GlxConfigName(int wglName) {
    switch (wglName) {
        case WGL_DOUBLE_BUFFER_ARB:
            return GLX_DOUBLEBUFFER;
        case WGL_RED_BITS_ARB:
            return GLX_RED_SIZE;
        case WGL_GREEN_BITS_ARB:
            return GLX_GREEN_SIZE;
        case WGL_BLUE_BITS_ARB:
            return GLX_BLUE_SIZE;
        case WGL_ALPHA_BITS_ARB:
            return GLX_ALPHA_SIZE;
        case WGL_DEPTH_BITS_ARB:
            return GLX_DEPTH_SIZE;
        case WGL_STENCIL_BITS_ARB:
            return GLX_STENCIL_SIZE;
        case WGL_AUX_BUFFERS_ARB:
            return GLX_AUX_BUFFERS;
        case WGL_SAMPLE_BUFFERS_ARB:
            return GLX_SAMPLE_BUFFERS;
        case WGL_SAMPLES_ARB:
            return GLX_SAMPLES;
        case WGL_FLOAT_COMPONENTS_NV:
            return GLX_FLOAT_COMPONENTS_NV;
        default:
            return 0;
    }
}

}  // namespace

int WglAttribValue(const std::vector<int>& attribs, int name, int absent) {
    int value = absent;
    for (std::size_t i = 0; i + 1 < attribs.size() && attribs[i] != 0; i += 2) {
        if (attribs[i] == name) {
            value = attribs[i + 1];
        }
    }
    return value;
}

std::vector<int> GlxConfigAttribs(const std::vector<int>& wglPixelFormatAttribs) {
    std::vector<int> glx;
    SetAttrib(glx, GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT | GLX_WINDOW_BIT);
    SetAttrib(glx, GLX_RENDER_TYPE,
              GlxRenderTypeBit(
                  WglAttribValue(wglPixelFormatAttribs, WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB)));
    SetAttrib(glx, GLX_DOUBLEBUFFER, False);
    const std::vector<int>& wgl = wglPixelFormatAttribs;
    for (std::size_t i = 0; i + 1 < wgl.size() && wgl[i] != 0; i += 2) {
        const int name = GlxConfigName(wgl[i]);
        if (name != 0) {
            SetAttrib(glx, name, wgl[i + 1]);
        }
    }
    glx.push_back(None);
    return glx;
}

int GlxRenderType(const std::vector<int>& wglPixelFormatAttribs) {
    const int pixelType =
        WglAttribValue(wglPixelFormatAttribs, WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB);
    return pixelType == WGL_TYPE_RGBA_FLOAT_ATI ? GLX_RGBA_FLOAT_TYPE_ARB : GLX_RGBA_TYPE;
}

std::vector<int> GlxPbufferAttribs(const std::vector<int>& wglPbufferAttribs, int width, int height,
                                   int maxWidth, int maxHeight) {
    const bool largest = WglAttribValue(wglPbufferAttribs, WGL_PBUFFER_LARGEST_ARB, 0) != 0;
    if (largest) {
        width = std::min(width, maxWidth);
        height = std::min(height, maxHeight);
    }
    return {GLX_PBUFFER_WIDTH,
            width,
            GLX_PBUFFER_HEIGHT,
            height,
            GLX_LARGEST_PBUFFER,
            largest ? True : False,
            GLX_PRESERVED_CONTENTS,
            True,
            None};
}
