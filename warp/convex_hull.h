#pragma once

#include <vector>

#include "warp/plane_geometry.h"

// The convex hull of a small point set, by a monotone chain over the points
// sorted in descending order. The vertices run counter-clockwise (y up),
// starting at the point with the largest x (largest y among near-ties).
// Points on an edge, or closer to one than the tolerance, are not vertices;
// coincident points appear once.
class ConvexHull2D {
  public:
    // Tolerance for equal x in the sort and for collinearity: 2^-23.
    static constexpr float EPSILON = 1.1920929e-7f;

    ConvexHull2D(const Point2D* points, unsigned count);

    std::vector<Point2D> m_points;
    int m_iCount = 0;
};
