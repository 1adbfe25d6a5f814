#include "warp/shadow_setup.h"

#include <cstring>
#include <functional>

#include "warp/cascades.h"
#include "warp/csm_stable_fit.h"
#include "warp/trapezoid_to_square.h"

namespace {

struct Names {
    const char* key;
    const char* jsonKey;
    const char* label;
};

constexpr Names NAMES[PARAMETRISATION_COUNT] = {{"ssm", "ssm", "SSM"},
                                                {"kvx", "kvx", "KVX"},
                                                {"lispsm", "lispsm", "LiSPSM"},
                                                {"csm", "csm", "CSM"},
                                                {"csm-stable", "csm_stable", "CSM stable"}};

// The plane map of one slice, from the eye depth zNear to zFar, onto the
// square -1..1.
using SliceFit = std::function<gmtl::Matrix33f(float zNear, float zFar)>;

ShadowSetup Cascades(const Camera& eye, const Camera& light, const SliceFit& fit) {
    const std::vector<float> splits =
        PracticalSplits(eye.m_fNear, eye.m_fFar, CSM_CASCADES, CSM_SPLIT_WEIGHT);
    ShadowSetup setup;
    setup.cascaded = true;
    setup.eyeDepthPlane = EyeDepthPlane(eye, light.m_position);
    for (int i = 0; i < CSM_CASCADES; ++i) {
        const gmtl::Matrix33f tile = AtlasTile(i, CSM_TILES_PER_SIDE);
        MapPart part;
        part.zNear = splits[i];
        part.zFar = splits[i + 1];
        part.nt = TrapezoidMatrix44(tile * fit(part.zNear, part.zFar));
        part.left = tile(0, 2) - tile(0, 0);
        part.right = tile(0, 2) + tile(0, 0);
        part.bottom = tile(1, 2) - tile(1, 1);
        part.top = tile(1, 2) + tile(1, 1);
        setup.parts.push_back(part);
    }
    return setup;
}

}  // namespace

const char* ParametrisationKey(Parametrisation p) {
    return NAMES[p].key;
}

const char* ParametrisationJsonKey(Parametrisation p) {
    return NAMES[p].jsonKey;
}

const char* ParametrisationLabel(Parametrisation p) {
    return NAMES[p].label;
}

bool ParametrisationFromKey(const char* key, Parametrisation& p) {
    for (int i = 0; i < PARAMETRISATION_COUNT; ++i) {
        if (std::strcmp(key, NAMES[i].key) == 0) {
            p = static_cast<Parametrisation>(i);
            return true;
        }
    }
    return false;
}

ShadowSetup SingleMapSetup(const gmtl::Matrix44f& nt, const Camera& eye) {
    MapPart part;
    part.nt = nt;
    part.zNear = eye.m_fNear;
    part.zFar = eye.m_fFar;
    ShadowSetup setup;
    setup.parts.push_back(part);
    return setup;
}

ShadowSetup CascadeSetup(const Camera& eye, const Camera& light) {
    return Cascades(eye, light, [&](float zNear, float zFar) {
        return SliceCrop(EyeSlice(eye, zNear, zFar), light);
    });
}

ShadowSetup StableCascadeSetup(const Camera& eye, const Camera& light, int mapSize) {
    const int tileTexels = mapSize / CSM_TILES_PER_SIDE;
    return Cascades(eye, light, [&](float zNear, float zFar) {
        return StableSliceCrop(eye, zNear, zFar, light, tileTexels);
    });
}
