// Small stand-in tables for the four static models, compiled when the baked
// tables are not part of the build: a tetrahedron each, its four faces split
// into one run per material.

#include "crypt/scratch_folder.h"
#include "scene/static_model.h"

namespace {

const float VERTICES[][3] = {
    {-0.5f, -0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {0.0f, 0.5f, 0.0f}, {0.0f, 0.0f, 1.0f}};
const float NORMALS[][3] = {
    {0.0f, 0.0f, -1.0f}, {0.0f, -0.9f, 0.45f}, {0.8f, 0.4f, 0.4f}, {-0.8f, 0.4f, 0.4f}};
const float TEX_COORDS[][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.5f, 1.0f}};
const StaticFace FACES[] = {
    {{0, 2, 1}, {0, 0, 0}, {0, 2, 1}},
    {{0, 1, 3}, {1, 1, 1}, {0, 1, 2}},
    {{1, 2, 3}, {2, 2, 2}, {0, 1, 2}},
    {{2, 0, 3}, {3, 3, 3}, {0, 1, 2}},
};
constexpr int32_t FACE_COUNT = 4;

StaticMaterial g_materialsS1[] = {{SCRATCH_FILES[0], 0}, {SCRATCH_FILES[1], 0}};
StaticMaterial g_materialsS2[] = {{SCRATCH_FILES[0], 0}};
StaticMaterial g_materialsS3[] = {
    {SCRATCH_FILES[0], 0}, {SCRATCH_FILES[1], 0}, {SCRATCH_FILES[2], 0}};
StaticMaterial g_materialsS4[] = {{SCRATCH_FILES[0], 0}};

const MaterialRun RUNS_S1[] = {{0, 2}, {1, 2}};
const MaterialRun RUNS_S2[] = {{0, 4}};
const MaterialRun RUNS_S3[] = {{0, 1}, {1, 1}, {2, 2}};
const MaterialRun RUNS_S4[] = {{0, 4}};

StaticModel Tetrahedron(int32_t materialCount, StaticMaterial* materials, const MaterialRun* runs) {
    return StaticModel{materialCount, materials, runs,       FACES, VERTICES, NORMALS,
                       TEX_COORDS,    0,         FACE_COUNT, 4,     4,        3};
}

}  // namespace

StaticModel g_staticModelS1 = Tetrahedron(2, g_materialsS1, RUNS_S1);
StaticModel g_staticModelS2 = Tetrahedron(1, g_materialsS2, RUNS_S2);
StaticModel g_staticModelS3 = Tetrahedron(3, g_materialsS3, RUNS_S3);
StaticModel g_staticModelS4 = Tetrahedron(1, g_materialsS4, RUNS_S4);
