#pragma once

#include <vector>

#include "math/camera.h"
#include "math/gmtl.h"

// The shadow-map parametrisations the demo draws and measures side by side,
// and what each hands the two passes: the warps of its depth renders and how
// the scene pass looks a pixel up.
enum Parametrisation { PARAM_SSM, PARAM_KVX, PARAM_LISPSM, PARAM_CSM };
constexpr int PARAMETRISATION_COUNT = 4;

// "ssm", "kvx", "lispsm", "csm": the names on the command line and in the
// measuring reports.
const char* ParametrisationKey(Parametrisation p);
// "SSM", "KVX", "LiSPSM", "CSM".
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
};

// One warp over the whole map, for every depth of the eye.
ShadowSetup SingleMapSetup(const gmtl::Matrix44f& nt, const Camera& eye);
// The cascades of the eye frustum, each fitted onto its tile.
ShadowSetup CascadeSetup(const Camera& eye, const Camera& light);
