#pragma once

#include "math/camera.h"
#include "measure/pixel_grid.h"

// The lookups of a window of width x height pixels looking at the ground
// plane y = 0 through the eye, computed on the CPU: each pixel centre's ray
// meets the plane, and the point goes through the light's projection, N_T
// and the clip-to-texel scale of a square map of mapSize texels. Pixels whose
// ray misses the plane (or meets it beyond the far plane) are not visible.
PixelGrid<TexelLookup> PlaneLookups(const Camera& eye, const Camera& light,
                                    const gmtl::Matrix44f& nt, int width, int height, int mapSize);

// Texels per pixel on the ground straight below an eye looking straight
// down from height eyeHeight, with the light straight above at lightHeight,
// both with a 60 degree field of view, the standard map of mapSize texels
// and a window windowHeight pixels high: the ground spans
// 2 * h * tan(30 degrees) in either view, so the ratio of the two scales is
// mapSize * eyeHeight / (windowHeight * lightHeight).
double OverheadTexelsPerPixel(float eyeHeight, float lightHeight, int windowHeight, int mapSize);
