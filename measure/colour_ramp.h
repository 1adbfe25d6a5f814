#pragma once

#include <string>

#include "measure/pixel_grid.h"
#include "measure/rgb_image.h"

// The heat maps' colour where no figure is (the sky).
constexpr Rgb NO_FIGURE_COLOUR = {40, 40, 40};

// Colours for texels per pixel on a log scale: red at 1/8 or below (a texel
// smeared over eight pixels each way: blocky shadows), yellow at 1/2, green
// at 1 (one texel per pixel), cyan at 2 and blue at 8 or above (texels
// wasted on detail the screen cannot show).
Rgb DensityColour(float texelsPerPixel);

// The heat map of a density grid; pixels without a figure are dark grey.
RgbImage DensityHeatmap(const PixelGrid<float>& density);

// DensityColour as the GLSL function `vec3 DensityColour(float texelsPerPixel)`
// (channels 0 to 1), from the same stops.
std::string DensityColourGlsl();
