#pragma once

#include "math/camera.h"
#include "math/gmtl.h"
#include "warp/plane_geometry.h"

// The eye frustum as the light sees it: points of the light's
// post-perspective plane, where the light's frustum spans -1 to 1.

// The light's projection times its view, P_L * C_L.
gmtl::Matrix44f LightMatrix(const Camera& light);

// The eight world corners of the camera, each carried by l and divided by
// its w, in the camera's corner order. False when a corner lies on or behind
// the light's eye plane (w <= 0), where the projection folds over.
bool ProjectCorners(const gmtl::Matrix44f& l, const Camera& camera, Point2D out[8]);

// A plane map that sends the axis-aligned bounding box of the points onto the
// square -1..1 (the identity when the box is flat in either direction).
gmtl::Matrix33f BoxToSquare(const Point2D* points, int count);
