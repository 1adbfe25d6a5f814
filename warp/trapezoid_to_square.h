#pragma once

#include "math/gmtl.h"
#include "warp/plane_geometry.h"

// The projective map of the plane that sends the trapezoid t0, t1, t2, t3
// (t0-t1 the base, t3-t2 the top, the two parallel edges) onto the square:
// t0 to (-1, -1), t1 to (1, -1), t2 to (1, 1), t3 to (-1, 1). It acts on
// column vectors (x, y, 1); w is 1 on the top edge and grows towards the base.
gmtl::Matrix33f ComputeTrapezoidToSquare(const Point2D& t0, const Point2D& t1, const Point2D& t2,
                                         const Point2D& t3);

// The 4x4 form that acts on homogeneous post-perspective coordinates: x, y
// and w are warped as the plane map warps (x/w, y/w); z passes through.
gmtl::Matrix44f TrapezoidMatrix44(const gmtl::Matrix33f& n);
