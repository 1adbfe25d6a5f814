#pragma once

#include <cstdlib>
#include <memory>
#include <vector>

#include "math/vec.h"
#include "platform/fsound.h"
#include "sound/sound_zone.h"

// What the view holds of the sound: the looping background sample, the zones in the order they
// were added, and the memory block handed to the sound library while it runs.
struct SoundState {
    FSOUND_SAMPLE* m_hBackgroundSample = nullptr;
    std::vector<SoundZone> m_soundZones;
    std::unique_ptr<void, decltype(&std::free)> m_pMemoryBlock{nullptr, &std::free};
};

// Starts the sound library, loads the five zone samples and the background sample from their
// containers in the data folder and starts the background loop on channel 0. False when sound
// cannot be had; then everything loaded is released and the library is closed again, while the
// zones added before the failure stay listed without samples.
bool InitSound(SoundState& state);

// Starts the sample of each zone that holds the eye, unless it is the zone sample started last.
void CheckSoundZones(const SoundState& state, const gmtl::Vec3f& eye);

// Frees the background sample and the zone samples, closes the library and releases the memory
// block. Handles are cleared, so a second call does nothing more.
void ShutdownSound(SoundState& state);

// Pauses or resumes the background loop (channel 0); zone samples already playing go on.
void SetSoundPaused(bool paused);
