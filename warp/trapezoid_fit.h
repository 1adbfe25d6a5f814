#pragma once

#include <vector>

#include "math/camera.h"
#include "math/gmtl.h"
#include "warp/plane_geometry.h"

// The trapezoid around the eye frustum as the light sees it, and the matrix
// N_T that stretches it over the shadow map.

// Corners of a trapezoid: t0, t1 on the base line, t2, t3 on the top line,
// t0, t3 on the first side line and t1, t2 on the second.
struct Trapezoid {
    Point2D t[4];
};

// Everything one fit computes, for callers that want to show or check it.
struct TrapezoidSearch {
    std::vector<Point2D> frustumHull;  // hull of the projected eye frustum
    std::vector<Point2D> focusHull;    // hull of the projected focus region
    Line2D centre;                     // projected near centre to far centre
    Line2D base;
    Line2D top;
    float focusReach = 0.0f;  // h: how far the focus region reaches from the top line
    Trapezoid trapezoid;      // the corners of the last search step
    int steps = 0;            // search steps run
    float percent = 0.0f;     // focus percentage of the last step
    bool degenerate = false;  // the fit was not finite and the identity stands instead
    gmtl::Matrix33f n;        // the plane map N_T
};

// Fits the trapezoid for the eye and light cameras. fFocusDistance is the
// far end of the focus region (measured like the eye's near and far
// distances); the search starts with that end placed fFocusPercent percent of
// the way from the top edge to the base edge of the map and lowers the
// percentage by 100 / iResolution per step while the focus region's warped
// area does not shrink. A fit that is not finite (degenerate views) yields
// the identity, the standard map.
TrapezoidSearch SearchTrapezoid(const Camera& eye, const Camera& light, float fFocusDistance,
                                float fFocusPercent, int iResolution);

// The 4x4 form of N_T of SearchTrapezoid.
void ComputeTrapezoidMatrix(gmtl::Matrix44f& out, const Camera& eye, const Camera& light,
                            float fFocusDistance, float fFocusPercent, int iResolution);

// One search step: the trapezoid that places the point at distance h from
// the top line at p percent of the map's height, bounded by the top and base
// lines and by side lines through the outermost far-plane points.
Trapezoid BuildTrapezoid(float p, float h, const Line2D& base, const Line2D& top,
                         const Line2D& centre, const Point2D frustum[8]);

// The plane map N_T of that trapezoid.
gmtl::Matrix33f FitTrapezoid(float p, float h, const Line2D& base, const Line2D& top,
                             const Line2D& centre, const Point2D frustum[8]);
