#pragma once

#include <vector>

#include "math/aabox.h"
#include "math/gmtl.h"

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
