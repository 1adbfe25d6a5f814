#pragma once

#include "math/camera.h"
#include "math/gmtl.h"

// Stable cascades: each slice of the eye frustum is bounded by a sphere, so
// its tile keeps its size while the eye turns, and the tile's origin in the
// light's plane moves in whole texels, so the texel grid stays put on the
// scene while the eye moves.

struct SliceSphere {
    gmtl::Vec3f centre;  // world
    float radius = 0.0f;
};

// The smallest sphere with its centre on the eye's view axis that holds the
// slice of the eye frustum from depth zNear to zFar. With k the slope of the
// frustum's corner rays, its centre lies at depth
// min(zFar, (zNear + zFar) (1 + k^2) / 2), where the near and far corners
// are equally far from it. It depends on the frustum's shape alone, so
// turning the eye only carries it round the eye.
SliceSphere SliceBoundingSphere(const Camera& eye, float zNear, float zFar);

// The half-width of the sphere's tile in the light's plane (where the
// light's frustum spans -1 to 1), rounded up to the next of eight steps an
// octave: the sphere's outline seen by the light, widened by two texels of a
// tile of tileTexels for the snapped origin. Zero when the sphere reaches
// the light's eye plane.
float StableTileHalfWidth(const SliceSphere& sphere, const Camera& light, int tileTexels);

// The plane map of one stable cascade onto the square -1..1: the tile of
// half-width StableTileHalfWidth around the sphere's centre as the light
// sees it, that centre rounded to whole texels of the tile. The tight fit
// of the slice (SliceCrop) when the sphere reaches the light's eye plane.
gmtl::Matrix33f StableSliceCrop(const Camera& eye, float zNear, float zFar, const Camera& light,
                                int tileTexels);
