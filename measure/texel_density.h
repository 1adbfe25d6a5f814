#pragma once

#include "measure/pixel_grid.h"

// Shadow-map texels per screen pixel at every pixel: the square root of the
// absolute Jacobian determinant of the pixel-to-texel map, so 1 means one
// texel per pixel, 2 means a pixel spans two texels in each direction, 0.25
// that a texel is smeared over four pixels each way.
//
// On each axis the difference is taken towards the visible neighbour whose
// lookup lies nearer, so that a silhouette, where the neighbour shows another
// surface, does not count as a jump in the map. A pixel that is not visible
// or has no visible neighbour on an axis gets NaN.
PixelGrid<float> TexelsPerPixel(const PixelGrid<TexelLookup>& lookups);
