#pragma once

#include "scene/md2_model.h"
#include "scene/static_model.h"
#include "scene/terrain_mesh.h"

// The scene's process-wide objects, filled once by LoadSceneAssets and never
// freed. The static models S1 to S4 are declared with their tables.

extern TerrainMesh g_terrainMesh;

// The ten MD2 models, two per figure, drawn a then b at the figure's place.
enum Md2ModelId { F1A, F1B, F2A, F2B, F3A, F3B, F4A, F4B, F5A, F5B, MD2_MODEL_COUNT };
extern Md2Model g_md2Models[MD2_MODEL_COUNT];
