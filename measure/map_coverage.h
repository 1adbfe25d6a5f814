#pragma once

#include <vector>

#include "math/camera.h"
#include "math/gmtl.h"
#include "warp/plane_geometry.h"
#include "warp/shadow_setup.h"

// Where the eye frustum lies in the shadow map, and how much of the map it
// takes. Map coordinates run from -1 to 1 across the map in x and y, after
// the light's projection and N_T (the identity for the standard map).

// A point of the map plane in homogeneous form (x, y, w).
using MapPoint = gmtl::Vec3f;

// The outline of the eye frustum in map coordinates: the convex hull of its
// eight corners as the light sees them, carried through N_T, counter-
// clockwise. Empty when a corner lies on or behind the light's eye plane,
// where the light's view of the frustum is not one polygon.
std::vector<MapPoint> FrustumOutlineInMap(const Camera& eye, const Camera& light,
                                          const gmtl::Matrix44f& nt);

// The part of a convex polygon given in homogeneous map points that lies on
// the map (-1 <= x/w, y/w <= 1, w > 0), as plain points. Clipping happens
// before the division, so a polygon that crosses w = 0 is cut correctly.
std::vector<Point2D> ClipToMap(const std::vector<MapPoint>& polygon);

// The share of the map's area (0 to 1) that the eye frustum covers.
float MapCoverage(const Camera& eye, const Camera& light, const gmtl::Matrix44f& nt);

// The share of the whole map that the eye frustum covers in a setup: each
// part's slice of the frustum in that part's warp, summed (the parts do not
// overlap: each lies in a tile of its own, and the tiles cover the map).
float SetupCoverage(const Camera& eye, const Camera& light, const ShadowSetup& setup);

// The outline of each part's slice of the eye frustum in map coordinates,
// clipped to the map.
std::vector<std::vector<Point2D>> SetupFrustumOutlines(const Camera& eye, const Camera& light,
                                                       const ShadowSetup& setup);

// The plane part of a 4x4 N_T: rows and columns 0, 1 and 3.
gmtl::Matrix33f PlaneWarp(const gmtl::Matrix44f& nt);

// Carries a point of the light's plane by N_T.
MapPoint WarpMapPoint(const gmtl::Matrix44f& nt, const Point2D& p);

// The quadrilateral that N_T stretches over the whole map (the trapezoid of
// the fit), in the light's plane: the map's corners carried back. Empty when
// N_T cannot be inverted.
std::vector<Point2D> WarpedSquare(const gmtl::Matrix44f& nt);
