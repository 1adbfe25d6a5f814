#pragma once

#include <vector>

#include "math/camera.h"
#include "math/gmtl.h"

// The shadow-map parametrisations the demo draws and measures side by side,
// and what each hands the two passes: the warps of its depth renders and how
// the scene pass looks a pixel up.
enum Parametrisation { PARAM_SSM, PARAM_KVX, PARAM_LISPSM, PARAM_CSM, PARAM_CSM_STABLE };
constexpr int PARAMETRISATION_COUNT = 5;

// "ssm", "kvx", "lispsm", "csm", "csm-stable": the names on the command line
// and in the measuring reports' tables.
const char* ParametrisationKey(Parametrisation p);
// The key as a JSON member name: "csm_stable" for "csm-stable".
const char* ParametrisationJsonKey(Parametrisation p);
// "SSM", "KVX", "LiSPSM", "CSM", "CSM stable".
const char* ParametrisationLabel(Parametrisation p);
// False when the key names none.
bool ParametrisationFromKey(const char* key, Parametrisation& p);

// Cascades: four slices of the eye's depth by the practical split with equal
// weights, each on a quarter of the map, so that together they have the
// texels of one map.
constexpr int CSM_CASCADES = 4;
constexpr int CSM_TILES_PER_SIDE = 2;
constexpr float CSM_SPLIT_WEIGHT = 0.5f;

// One depth render: the warp from the light's clip coordinates to the map's
// (the 4x4 form of a plane map, as N_T), the square of the map it fills (in
// map coordinates, -1 to 1) and the eye depths whose pixels look it up.
struct MapPart {
    gmtl::Matrix44f nt;
    float left = -1.0f, bottom = -1.0f, right = 1.0f, top = 1.0f;
    float zNear = 0.0f, zFar = 0.0f;
};

struct ShadowSetup {
    std::vector<MapPart> parts;
    // False: one part over the whole map, looked up through its warp. True:
    // the pixel's eye depth picks the part.
    bool cascaded = false;
    // Cascaded: the eye depth plane (see EyeDepthPlane) of the eye the parts
    // were fitted for, which picks the part of every pixel.
    gmtl::Vec4f eyeDepthPlane;
};

// One warp over the whole map, for every depth of the eye.
ShadowSetup SingleMapSetup(const gmtl::Matrix44f& nt, const Camera& eye);
// The cascades of the eye frustum, each fitted onto its tile.
ShadowSetup CascadeSetup(const Camera& eye, const Camera& light);
// The same slices, each bounded by a sphere whose tile is snapped to whole
// texels of a map of mapSize texels a side (see warp/csm_stable_fit.h).
ShadowSetup StableCascadeSetup(const Camera& eye, const Camera& light, int mapSize);
