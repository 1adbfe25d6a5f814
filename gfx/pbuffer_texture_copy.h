#pragma once

#include <GL/glew.h>

#include <vector>

// How a buffer of the depth target reaches a texture: which texture target and
// binding receive it, which framebuffer buffer is read, and the internal format a
// fresh texture image gets. Derived from the WGL pbuffer attribute list. Pure: no
// GL calls.
struct TextureCopy {
    GLenum target = GL_NONE;          // GL_TEXTURE_RECTANGLE_ARB or GL_TEXTURE_2D
    GLenum binding = GL_NONE;         // query for the texture bound to target
    GLenum readBuffer = GL_NONE;      // colour buffer to read; GL_NONE for depth
    GLenum internalFormat = GL_NONE;  // format of a texture image made by the copy
    bool depth = false;               // the copy reads the depth buffer
};

// True when the pbuffer list asks for a colour or a depth texture format.
bool AsksForTexture(const std::vector<int>& wglPbufferAttribs);

// Fills copy for buffer (WGL_DEPTH_COMPONENT_NV, WGL_FRONT_LEFT_ARB,
// WGL_BACK_LEFT_ARB or WGL_AUXi_ARB). False when the list asks for no texture
// format for that buffer, or for a texture target other than rectangle or 2D.
bool DescribeTextureCopy(const std::vector<int>& wglPbufferAttribs, int bitsPerComponent,
                         int buffer, TextureCopy& copy);
