#pragma once

#include <GL/glew.h>

#include <string>

// Makes a GL texture from the image bound in DevIL and stores its name in
// *texture: repeat wrapping, linear filters without mipmaps, modulate, four
// components inside GL from RGB pixels. The image is turned into 8-bit RGB
// first if it is anything else. Returns "" when the image became the texture;
// when it cannot (DevIL cannot turn it into RGB, or it is larger than the
// driver takes) the texture is a plain one as CreatePlainTexture makes, and the
// result says what is wrong with the image, worded to follow "the image".
// Leaves the texture bound to GL_TEXTURE_2D; does not set the unpack
// alignment.
std::string CreateSceneTexture(GLuint* texture);

// Makes a texture of one mid-grey texel with the same settings, for a surface
// whose image cannot be used. Modulated by the scene's lighting and shadow it
// draws the surface in one plain colour, lit and shadowed; no texture at all
// would sample as black. Leaves the texture bound to GL_TEXTURE_2D.
void CreatePlainTexture(GLuint* texture);
