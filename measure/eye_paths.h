#pragma once

#include "math/camera.h"

// The eye paths of a stability run, both from the same start: the eye
// turning in place (about its own up axis) and the eye moving along its view
// direction. Along either, only the map's fit changes what a surface point
// reads.
enum EyePathKind { EYE_TURN, EYE_MOVE };

struct EyePath {
    const char* key;  // "turn" or "move"
    EyePathKind kind;
    float step;  // a frame: degrees turned, or distance moved
};

constexpr float TURN_STEP_DEGREES = 0.1f;
constexpr float MOVE_STEP = 0.25f;
constexpr EyePath EYE_PATHS[] = {{"turn", EYE_TURN, TURN_STEP_DEGREES},
                                 {"move", EYE_MOVE, MOVE_STEP}};

// The eye `frame` steps along the path from `start`: the same projection,
// another view.
Camera EyeOnPath(const Camera& start, const EyePath& path, int frame);
