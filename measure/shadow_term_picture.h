#pragma once

#include <cstdint>

#include "measure/pixel_grid.h"
#include "measure/rgb_image.h"

// The shadow term of a frame as greys, black shadowed to white lit, at the pixels marked
// shown; the others (the sky, or points the frame cannot read) in the heat maps' dark grey.
// The two grids have the same size.
RgbImage ShadowTermPicture(const PixelGrid<float>& term, const PixelGrid<uint8_t>& shown);
