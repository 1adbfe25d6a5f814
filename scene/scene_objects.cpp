#include "scene/scene_objects.h"

#include "scene/scene.h"
#include "scene/terrain_height.h"

TerrainMesh g_terrainMesh;
Md2Model g_md2Models[MD2_MODEL_COUNT];

bool SceneGroundHeightAt(float x, float z, float& height) {
    return TerrainHeightAt(g_terrainMesh, x, z, height);
}
