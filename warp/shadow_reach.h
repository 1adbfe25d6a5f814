#pragma once

#include <vector>

#include "math/aabox.h"
#include "math/gmtl.h"
#include "math/texel_rect.h"

// Texels added to every side of a caster's rectangle before a receiver is
// tested against it: the linear filter reads one texel beyond a lookup, and
// the five-lookup filter looks 0.75 texels off its centre each way.
constexpr int LOOKUP_REACH_TEXELS = 2;

// For each receiver box (world coordinates), whether the shadow lookup of its
// points can give anything but "lit" in a width x height depth map whose
// depth lies only inside casterRects (the rest holds the cleared depth, 1).
// mapClip maps the world to the map's clip coordinates (N_T P_L C_L), and
// lightClip to the light's own (P_L C_L), whose depth the lookup compares.
// A box is kept (true) when its texels in the map, with MapRectOfBox's
// rounding margin, touch a caster's rectangle widened by LOOKUP_REACH_TEXELS;
// or when a corner lies behind the light or beyond its far plane, where the
// comparison with the cleared depth can fail; or when it lies wholly off the
// map, where a lookup reads the texels of the map's edge. An empty box is not
// kept: it draws nothing.
std::vector<bool> BoxesInShadowReach(const gmtl::Matrix44f& mapClip,
                                     const gmtl::Matrix44f& lightClip,
                                     const std::vector<gmtl::AABoxf>& boxes,
                                     const std::vector<TexelRect>& casterRects, int width,
                                     int height);
