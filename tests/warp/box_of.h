#pragma once

#include "math/aabox.h"

// The box from (x0, y0, z0) to (x1, y1, z1).
inline gmtl::AABoxf Box(float x0, float y0, float z0, float x1, float y1, float z1) {
    return gmtl::AABoxf(gmtl::Vec3f(x0, y0, z0), gmtl::Vec3f(x1, y1, z1));
}
