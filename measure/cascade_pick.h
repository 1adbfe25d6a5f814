#pragma once

#include "math/gmtl.h"
#include "warp/shadow_setup.h"

// What the cascaded lookup of the scene's fragment program does for a world
// point, done on the CPU: the part the point's eye depth picks (through the
// setup's own eye depth plane), and whether the point's lookup lands inside
// that part's square of the map rather than in a neighbour's.

size_t PickedPart(const ShadowSetup& setup, const gmtl::Vec3f& light, const gmtl::Vec3f& point);

// lightMatrix: the light's projection times its view; light: its position.
bool LooksUpInsideItsPart(const ShadowSetup& setup, const gmtl::Matrix44f& lightMatrix,
                          const gmtl::Vec3f& light, const gmtl::Vec3f& point);
