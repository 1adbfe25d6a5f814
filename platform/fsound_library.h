#pragma once

#include <SDL_mixer.h>

#include "platform/fsound_observer.h"

// A loaded sample: the decoded sound in the device's format and its loop mode.
struct FSOUND_SAMPLE {
    Mix_Chunk* pChunk = nullptr;
    unsigned int uLoopMode = FSOUND_LOOP_OFF;
};

// The state of the process-wide sound library.
struct FSoundLibrary {
    bool bRunning = false;
    int iChannels = 0;
    FSoundPlayObserver observer;
};

FSoundLibrary& TheFSoundLibrary();
