#pragma once

#include <string>

// GLSL shaders that compute texels per pixel and the heat colours on the GPU
// exactly as TexelsPerPixel and DensityColour do on the CPU, in two passes.

// The scene pass's fragment shader of the first pass: each pixel's
// shadow-map lookup coordinates (x, y, z, w) as the scene vertex program
// writes them to texture coordinate set 1; the texel is (x / w, y / w).
extern const char* const g_strLookupShader;

// The second pass, over the whole window: a vertex shader that passes the
// window-filling rectangle through, and a fragment shader that reads the
// first pass's lookups (sampler `lookups`, cleared to 0 where nothing was
// drawn) and takes on each axis the difference towards the visible
// neighbour whose lookup lies nearer, as the CPU does. It writes each pixel
// in DensityColour's colour, NO_FIGURE_COLOUR where there is no figure.
extern const char* const g_strWindowRectangleShader;
std::string HeatColourShader();
