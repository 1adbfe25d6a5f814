#pragma once

#include "scene/terrain_mesh.h"

// The terrain's height at the point (x, z) of the ground plane, interpolated
// bilinearly between the four vertices around it. False where the point is
// outside the terrain, and for a terrain that was not built.
bool TerrainHeightAt(const TerrainMesh& mesh, float x, float z, float& height);
