#include "sound/sound_zone.h"

bool IsInsideSoundZone(const float sphere[4], const float point[3]) {
    const float dx = point[0] - sphere[0];
    const float dy = point[1] - sphere[1];
    const float dz = point[2] - sphere[2];
    return dx * dx + dy * dy + dz * dz - sphere[3] * sphere[3] <= 0.0f;
}
