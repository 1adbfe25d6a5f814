#pragma once

// Where one camera sits on its orbit about the origin: elevation and azimuth
// in degrees, and its distance from the origin (positive).
struct OrbitPlace {
    float elevation = 0.0f;
    float azimuth = 0.0f;
    float distance = 0.0f;
};

// Where the eye and the light are.
struct CameraPlacement {
    OrbitPlace eye;
    OrbitPlace light;
};
