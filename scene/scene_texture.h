#pragma once

#include <GL/glew.h>

// Makes a GL texture from the image bound in DevIL and stores its name in
// *texture: repeat wrapping, linear filters without mipmaps, modulate, four
// components inside GL from RGB pixels. The image is turned into 8-bit RGB
// first if it is anything else. Leaves the texture bound to GL_TEXTURE_2D;
// does not set the unpack alignment.
void CreateSceneTexture(GLuint* texture);
