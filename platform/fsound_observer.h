#pragma once

#include <functional>

#include "platform/fsound.h"

// Called on every FSOUND_PlaySound with the sample and the channel it got (-1 when it did not
// start). Lets tests see which sound started where; playback is unchanged.
using FSoundPlayObserver = std::function<void(FSOUND_SAMPLE* sample, int channel)>;

// Replaces the observer; an empty function removes it.
void SetFSoundPlayObserver(FSoundPlayObserver observer);
