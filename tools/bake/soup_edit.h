#pragma once

#include <cstdint>
#include <vector>

#include "tools/bake/static_tables.h"

namespace bake {

struct Bounds {
    Vec3 low;
    Vec3 high;
};

Bounds BoundsOf(const std::vector<SoupTriangle>& triangles);

// Turns a model built with y up into one with z up (a quarter turn about x).
void TurnYUpToZUp(std::vector<SoupTriangle>& triangles);

// Scales the model uniformly so that its larger horizontal extent (the two axes other than
// `up`) is `size`, centres it horizontally on the origin and moves it along `up` so that its
// lowest point lies `bury` times its height below the origin.
void FitToGround(std::vector<SoupTriangle>& triangles, int up, float size, float bury);

// Reshapes a blocky model into a lumpy stone: every corner moves halfway towards the model's
// mean distance from its centre, then in or out by up to `lumps` of that distance following
// smooth noise. Corners at one position stay together.
void Roughen(std::vector<SoupTriangle>& triangles, float lumps, std::uint32_t seed);

// Replaces the normals with smooth ones: at each position the area-weighted mean of the normals
// of the faces around it.
void SmoothNormals(std::vector<SoupTriangle>& triangles);

// Gives every face texture coordinates by projecting it onto the axis plane it faces most,
// `tiles` texture repeats per model unit.
void ProjectTexCoords(std::vector<SoupTriangle>& triangles, float tiles);

}  // namespace bake
