#pragma once

#include "platform/fsound.h"

// A sphere in the scene whose sample starts when the eye enters it.
struct SoundZone {
    FSOUND_SAMPLE* pSample;
    float fX;
    float fY;
    float fZ;
    float fRadius;
};

// True when the point (x, y, z) lies inside or on the sphere (centre x, y, z, radius).
bool IsInsideSoundZone(const float sphere[4], const float point[3]);
