#pragma once

// The scene, built once at start-up with the window's context current, from
// the containers in ./data/. A container that cannot be decrypted stops the
// loading with a runtime error carrying the container's message, after every
// scratch file has been removed; an asset that decrypts but cannot be used is
// reported on standard error: a model file or the height image is left out of
// the scene, an image leaves the surface it covers plain grey.
void LoadSceneAssets();

// Everything, terrain included, for the pass seen from the eye. Expects the
// modelview to be the identity and texture unit 0 active; leaves the
// modelview as it found it.
void DrawSceneTextured();

// The same objects with the same placements, without the terrain, for the
// depth pass seen from the light.
void DrawSceneDepth();
