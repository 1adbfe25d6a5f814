#include <utility>

#include "platform/fsound_library.h"

namespace {

bool IsChannel(const FSoundLibrary& library, int channel) {
    return library.bRunning && channel >= 0 && channel < library.iChannels;
}

int StartSample(const FSoundLibrary& library, int channel, FSOUND_SAMPLE* sptr) {
    const bool known = channel == FSOUND_FREE ? library.bRunning : IsChannel(library, channel);
    if (!known || sptr == nullptr)
        return -1;
    const int loops = sptr->uLoopMode == FSOUND_LOOP_NORMAL ? -1 : 0;
    // Channel -1 makes SDL_mixer take the lowest channel that is not playing (a paused channel
    // counts as playing); it answers -1 when every channel is busy.
    const int mixerChannel = channel == FSOUND_FREE ? -1 : channel;
    return Mix_PlayChannel(mixerChannel, sptr->pChunk, loops);
}

}  // namespace

void SetFSoundPlayObserver(FSoundPlayObserver observer) {
    TheFSoundLibrary().observer = std::move(observer);
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sptr) {
    const FSoundLibrary& library = TheFSoundLibrary();
    const int started = StartSample(library, channel, sptr);
    if (library.observer)
        library.observer(sptr, started);
    return started;
}

bool FSOUND_SetPaused(int channel, bool paused) {
    if (!IsChannel(TheFSoundLibrary(), channel))
        return false;
    if (paused)
        Mix_Pause(channel);
    else
        Mix_Resume(channel);
    return true;
}
