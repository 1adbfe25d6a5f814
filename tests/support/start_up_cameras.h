#pragma once

#include "math/camera.h"

// The demo's cameras at start-up in an 800 x 600 window: the eye 20 degrees
// up at azimuth -135, 160 from the origin; the light straight above it, 1200
// away.
inline void PlaceStartUpCameras(Camera& eye, Camera& light) {
    eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    eye.SetView(20, -135, 160);
    light.SetPerspective(60, 1, 500, 2000);
    light.SetView(90, -135, 1200);
}
