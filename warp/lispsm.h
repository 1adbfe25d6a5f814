#pragma once

#include "math/camera.h"
#include "math/gmtl.h"

// The light-space perspective shadow map (LiSPSM, Wimmer, Scherzer and
// Purgathofer, "Light Space Perspective Shadow Maps", EGSR 2004), built in
// the light's post-perspective plane, where the light shines along z and the
// warp is a projective map of the plane like N_T. A perspective whose axis is
// the eye's view direction as the light sees it spreads the eye frustum over
// the map; its near distance n decides how strongly the near part is
// magnified.

// The paper's n_opt: (zNear + sqrt(zNear * zFar)) / sin(gamma), with gamma
// the angle between the eye's view direction and the light's rays. It grows
// without bound as the two directions meet, where the warp fades into an
// ordinary map fitted around the frustum.
float LispsmNearDistance(float zNear, float zFar, float sinGamma);

// Everything one fit computes, for callers that want to show or check it.
struct LispsmFit {
    float sinGamma = 0.0f;    // angle between the view direction and the light's ray at the eye
    float nearWorld = 0.0f;   // n_opt in the eye's units
    float nearPlane = 0.0f;   // the same share of the frustum's depth, in the light's plane
    float depthPlane = 0.0f;  // the frustum's depth along the warp's axis, in the light's plane
    bool warped = false;      // false: no usable direction, a plain fitted rectangle instead
    bool degenerate = false;  // the frustum reaches behind the light: the identity stands
    gmtl::Matrix33f n;        // the plane map
};

// The warp for the eye and light cameras. It maps the eye frustum's corners
// (as the light sees them) into the map square, the near ones towards the top
// edge (y = +1), and touches the square's edges with them.
LispsmFit FitLispsm(const Camera& eye, const Camera& light);

// The 4x4 form of FitLispsm's plane map.
gmtl::Matrix44f ComputeLispsmMatrix(const Camera& eye, const Camera& light);
