#include "sound/last_zone_sample.h"
#include "sound/sound.h"

namespace {

// The background loop is the first sound started after the library starts, so it has channel 0.
constexpr int BACKGROUND_CHANNEL = 0;

}  // namespace

void ShutdownSound(SoundState& state) {
    FSOUND_Sample_Free(state.m_hBackgroundSample);
    state.m_hBackgroundSample = nullptr;
    for (SoundZone& zone : state.m_soundZones) {
        FSOUND_Sample_Free(zone.pSample);
        zone.pSample = nullptr;
    }
    FSOUND_Close();
    state.m_pMemoryBlock.reset();
    ForgetLastZoneSample();
}

void SetSoundPaused(bool paused) {
    FSOUND_SetPaused(BACKGROUND_CHANNEL, paused);
}
