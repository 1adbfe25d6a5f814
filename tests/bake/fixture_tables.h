#pragma once

#include <vector>

#include "tools/bake/static_tables.h"

namespace bake {

// A two-run model of three triangles over four distinct corners, with values that need every
// digit of a float literal; the generated source for it is compiled into the tests.
std::vector<SoupTriangle> FixtureTriangles();

}  // namespace bake
