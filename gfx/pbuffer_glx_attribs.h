#pragma once

#include <vector>

// Translation of the depth target's WGL attribute lists into the GLX 1.3 lists
// that choose its fbconfig and create its pbuffer. Pure: no X or GL calls.

// Value of `name` in an attribute/value list ended by 0, or `absent` when the
// list does not name it. A later pair overrides an earlier one.
int WglAttribValue(const std::vector<int>& attribs, int name, int absent);

// glXChooseFBConfig attributes, ended by None. The config is always usable for
// both pbuffers and windows (a pbuffer-only config fails in the X server's image
// path), single-buffered unless the list asks for double buffering. Attributes
// with no GLX meaning (render-texture bindings, which are emulated) are dropped.
std::vector<int> GlxConfigAttribs(const std::vector<int>& wglPixelFormatAttribs);

// Render type for glXCreateNewContext: GLX_RGBA_FLOAT_TYPE_ARB for an ATI float
// pixel type, else GLX_RGBA_TYPE.
int GlxRenderType(const std::vector<int>& wglPixelFormatAttribs);

// glXCreatePbuffer attributes for the given size, ended by None. When the list
// asks for the largest buffer available, the size is first limited to the
// config's maximum, as some GLX implementations fail rather than give less.
std::vector<int> GlxPbufferAttribs(const std::vector<int>& wglPbufferAttribs, int width, int height,
                                   int maxWidth, int maxHeight);
