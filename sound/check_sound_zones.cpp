#include "sound/last_zone_sample.h"
#include "sound/sound.h"

namespace {

// The zone sample started last, for the whole process: staying in a zone, or leaving and
// entering it again, starts nothing until another zone's sample has started.
FSOUND_SAMPLE* s_pLastZoneSample = nullptr;

}  // namespace

void CheckSoundZones(const SoundState& state, const gmtl::Vec3f& eye) {
    const float point[3] = {eye[0], eye[1], eye[2]};
    for (const SoundZone& zone : state.m_soundZones) {
        const float sphere[4] = {zone.fX, zone.fY, zone.fZ, zone.fRadius};
        if (IsInsideSoundZone(sphere, point) && zone.pSample != s_pLastZoneSample) {
            FSOUND_PlaySound(FSOUND_FREE, zone.pSample);
            s_pLastZoneSample = zone.pSample;
        }
    }
}

void ForgetLastZoneSample() {
    s_pLastZoneSample = nullptr;
}
