#pragma once

#include <string>

#include "measure/pixel_grid.h"

// The live readout's line for one view: the parametrisation's label, the
// median texels per pixel of its lookups and the share of the map (0 to 1)
// that the eye frustum covers. The lookups are of a picture `reduction` times
// smaller on each axis than the window, whose texels per pixel are that many
// times the window's: the median is scaled back to the window's pixels.
std::string ReadoutLine(const char* label, const PixelGrid<TexelLookup>& lookups, int reduction,
                        double coverage);
