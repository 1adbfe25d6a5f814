#pragma once

#include <vector>

#include "math/vec.h"

// Points, lines and polygons in the light's post-perspective plane.
using Point2D = gmtl::Vec2f;

// The infinite line through p0 and p1, directed from p0 to p1.
class Line2D {
  public:
    Line2D() = default;
    Line2D(const Point2D& p0, const Point2D& p1) : m_p0(p0), m_p1(p1) {}

    const Point2D& P0() const { return m_p0; }
    const Point2D& P1() const { return m_p1; }
    Point2D Direction() const { return m_p1 - m_p0; }

    // Positive on the right of the directed line (y up), negative on the left.
    float SignedDistance(const Point2D& p) const;
    // Through p0, at right angles: the direction turned by +90 degrees.
    Line2D Perpendicular() const;
    // Through p, with the same direction.
    Line2D ParallelThrough(const Point2D& p) const;
    // The point farthest from the line; ties go to the earliest point.
    Point2D FarthestPoint(const std::vector<Point2D>& points) const;

  private:
    Point2D m_p0;
    Point2D m_p1;
};

// Intersection of two infinite lines. Returns false and leaves out unchanged
// when the lines are parallel or coincide.
bool IntersectLines(Point2D& out, const Line2D& a, const Line2D& b);

// Twice the signed area of the triangle a, b, c: positive when c lies left of
// the directed line from a to b (y up), negative right of it, 0 on it.
float Orientation(const Point2D& a, const Point2D& b, const Point2D& c);

// Area of a convex polygon as a fan of triangles from its first vertex, each
// counted with its absolute area. 0 for fewer than three points.
float PolygonArea(const std::vector<Point2D>& corners);
