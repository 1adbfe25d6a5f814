#pragma once

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

// Gives every face texture coordinates by projecting it onto the axis plane it faces most,
// `tiles` texture repeats per model unit.
void ProjectTexCoords(std::vector<SoupTriangle>& triangles, float tiles);

}  // namespace bake
