#pragma once

#include <string>

// GLSL shaders that draw the depth-map picture of OutlinedMapPicture from
// the depth texture on the GPU, the same greys from the same texels.
// Uniforms: `depth` the rectangle depth texture (compared lookups off),
// `step` the texels between the picture's pixels.

// The drawn depths' range, one point per pixel of the picture (its column
// and row as the vertex's x and y): a vertex shader that sends the points of
// drawn texels to the single pixel of the
// target and a fragment shader that writes (depth, -depth), for blending with
// GL_MIN into (nearest, -farthest).
extern const char* const g_strDepthRangeVertexShader;
extern const char* const g_strDepthRangeFragmentShader;

// The picture itself over a rectangle whose lower-left window pixel is the
// uniform `origin`, with the range read from the uniform `range`: black where
// nothing was drawn, else nearer to the light brighter.
std::string DepthPictureShader();

// One colour (the uniform `colour`) for the outlines.
extern const char* const g_strPlainColourShader;
