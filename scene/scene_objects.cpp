#include "scene/scene_objects.h"

TerrainMesh g_terrainMesh;
Md2Model g_md2Models[MD2_MODEL_COUNT];
