#pragma once

#include <vector>

#include "math/camera.h"
#include "math/gmtl.h"

// Cascaded shadow maps: the eye's depth range cut into slices, each slice's
// part of the frustum fitted by a rectangle in the light's plane onto a tile
// of one map. The lookup picks the slice by the pixel's eye depth.

// The practical split (Zhang et al., parallel-split shadow maps, 2006):
// count + 1 distances from zNear to zFar; the inner distance i is
// lambda * zNear * (zFar / zNear)^(i / count) + (1 - lambda) * (zNear +
// (zFar - zNear) * i / count), a blend of the logarithmic and the uniform
// split.
std::vector<float> PracticalSplits(float zNear, float zFar, int count, float lambda);

// The plane map that sends the square -1..1 onto tile `index` of a map cut
// into perSide x perSide tiles, row by row from the bottom left.
gmtl::Matrix33f AtlasTile(int index, int perSide);

// The eye camera cut to the depths zNear to zFar: same view, same rays.
Camera EyeSlice(const Camera& eye, float zNear, float zFar);

// The plane map of one cascade: the bounding rectangle of the slice's
// corners as the light sees them onto the square (the identity when a corner
// lies behind the light).
gmtl::Matrix33f SliceCrop(const Camera& slice, const Camera& light);

// What the cascade lookup does to the texel coordinates of the unwarped map
// to reach a cascade whose warp (the 4x4 form of an axis-aligned scale and
// offset) is nt: s' = k_s * s + o_s * w and t' = k_t * t + o_t * w, returned
// as (k_s, k_t, o_s, o_t).
gmtl::Vec4f CascadeTexelScale(const gmtl::Matrix44f& nt, int mapSize);

// The plane (x, y, z, d) for which dot((x, y, z), v) + d is the eye depth of
// the world point light - v, with v the light vector the scene vertex
// program hands the fragments.
gmtl::Vec4f EyeDepthPlane(const Camera& eye, const gmtl::Vec3f& light);
