#pragma once

#include "math/aabox.h"
#include "math/gmtl.h"
#include "math/texel_rect.h"

// The texels of a width x height map that the image of box under toClip (from
// the box's coordinates to clip coordinates, with the viewport covering the
// whole map) can reach when rasterised, widened by a margin for rounding.
// Where every point of the box has w > 0 its image lies within the hull of
// its corners' images; otherwise (or when a corner's image is not finite) it is
// unbounded and the answer is the whole map. Empty for an empty box or one whose
// image misses the map.
TexelRect MapRectOfBox(const gmtl::Matrix44f& toClip, const gmtl::AABoxf& box, int width,
                       int height);
