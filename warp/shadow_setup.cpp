#include "warp/shadow_setup.h"

#include <cstring>

#include "warp/cascades.h"
#include "warp/trapezoid_to_square.h"

namespace {

struct Names {
    const char* key;
    const char* label;
};

constexpr Names NAMES[PARAMETRISATION_COUNT] = {
    {"ssm", "SSM"}, {"kvx", "KVX"}, {"lispsm", "LiSPSM"}, {"csm", "CSM"}};

}  // namespace

const char* ParametrisationKey(Parametrisation p) {
    return NAMES[p].key;
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
    return {{part}, false};
}

ShadowSetup CascadeSetup(const Camera& eye, const Camera& light) {
    const std::vector<float> splits =
        PracticalSplits(eye.m_fNear, eye.m_fFar, CSM_CASCADES, CSM_SPLIT_WEIGHT);
    ShadowSetup setup;
    setup.cascaded = true;
    for (int i = 0; i < CSM_CASCADES; ++i) {
        const gmtl::Matrix33f tile = AtlasTile(i, CSM_TILES_PER_SIDE);
        MapPart part;
        part.zNear = splits[i];
        part.zFar = splits[i + 1];
        part.nt = TrapezoidMatrix44(tile * SliceCrop(EyeSlice(eye, part.zNear, part.zFar), light));
        part.left = tile(0, 2) - tile(0, 0);
        part.right = tile(0, 2) + tile(0, 0);
        part.bottom = tile(1, 2) - tile(1, 1);
        part.top = tile(1, 2) + tile(1, 1);
        setup.parts.push_back(part);
    }
    return setup;
}
