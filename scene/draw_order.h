#pragma once

#include <cstddef>
#include <vector>

#include "math/gmtl.h"
#include "scene/scene.h"

// The positions of objects in the order nearest to eye first, by the centre
// of each one's box in the world; an object that draws nothing counts as at
// the eye, and objects at equal distances keep their listed order.
std::vector<size_t> NearestFirst(const std::vector<CasterBounds>& objects, const gmtl::Vec3f& eye);
