#pragma once

#include <cstddef>
#include <vector>

#include "math/aabox.h"
#include "math/gmtl.h"
#include "scene/figure_pose.h"

// The scene, built once at start-up with the window's context current, from
// the containers in the data folder (./data/ unless chosen otherwise). A container that cannot be
// decrypted stops the loading with a runtime error carrying the container's message, after every
// scratch file has been removed; an asset that decrypts but cannot be used is
// reported on standard error: a model file or the height image is left out of
// the scene, an image leaves the surface it covers plain grey.
void LoadSceneAssets();

// Everything, terrain included, for the pass seen from the eye. Expects the
// modelview to be the identity and texture unit 0 active; leaves the
// modelview as it found it.
void DrawSceneTextured();

// The same objects with the same placements and poses, without the terrain,
// for the depth pass seen from the light.
void DrawSceneDepth();

// Moves every animated figure on by one rendered frame (two frames of its
// cycle). The draws themselves never move a figure, so the depth pass and the
// scene pass of a frame show the same pose and each shadow matches its figure.
void AdvanceFigures();

// The pose every figure shows now.
FigurePoseSet FigurePoses();

// Puts every figure in the given pose, or none: false, changing nothing, when
// a frame lies outside its model's cycle (a model that did not load has the
// one frame 0). The figures then draw as they did when the poses were read.
bool SetFigurePoses(const FigurePoseSet& poses);

// The ground's height under the point (x, z) of the ground plane; false where
// there is no ground under it.
bool SceneGroundHeightAt(float x, float z, float& height);

// One object of the depth pass: the matrix its draw multiplies onto the
// modelview, and a box in the object's own coordinates that holds every vertex
// any of its draws can send (empty when it draws nothing).
struct CasterBounds {
    gmtl::Matrix44f world;
    gmtl::AABoxf box;
};

// The objects DrawSceneDepth draws, in draw order.
std::vector<CasterBounds> SceneDepthCasters();

// The objects of the eye's pass in the given order of their positions in
// SceneDepthCasters, the static models without the faces turned away from the
// eye (their meshes are closed, so those faces are hidden anyway). With the
// terrain drawn after them, by DrawTerrainChunks, and every object in the
// order, the picture is that of DrawSceneTextured. Same state expectations.
void DrawObjectsInOrder(const std::vector<size_t>& order);

// The boxes (in world coordinates) of the terrain's chunks, in chunk order.
std::vector<gmtl::AABoxf> TerrainChunkBoxes();

// The terrain's chunks i for which chosen[i] equals drawn.
void DrawTerrainChunks(const std::vector<bool>& chosen, bool drawn);
