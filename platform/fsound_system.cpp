#include <SDL.h>

#include "platform/fsound_library.h"

namespace {

// Sample frames per mixing buffer: 64 ms at 8000 Hz.
constexpr int MIX_CHUNK_FRAMES = 512;
constexpr int OUTPUT_CHANNELS = 2;

bool OpenAudioDevice(int mixrate) {
    // Opening audio starts SDL's event subsystem, whose handlers would turn
    // SIGINT and SIGTERM into quit events that no one reads: the program could
    // no longer be stopped from its terminal or by a terminate request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(mixrate, AUDIO_S16SYS, OUTPUT_CHANNELS, MIX_CHUNK_FRAMES) == 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

}  // namespace

FSoundLibrary& TheFSoundLibrary() {
    static FSoundLibrary library;
    return library;
}

bool FSOUND_SetOutput(int) {
    return !TheFSoundLibrary().bRunning;
}

bool FSOUND_SetDriver(int) {
    return !TheFSoundLibrary().bRunning;
}

bool FSOUND_SetMemorySystem(void* pool, int poollen, FSOUND_ALLOCCALLBACK, FSOUND_REALLOCCALLBACK,
                            FSOUND_FREECALLBACK) {
    if (TheFSoundLibrary().bRunning)
        return false;
    return pool == nullptr ? poollen == 0 : poollen > 0;
}

bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int) {
    FSoundLibrary& library = TheFSoundLibrary();
    if (library.bRunning || mixrate <= 0 || maxsoftwarechannels <= 0)
        return false;
    if (!OpenAudioDevice(mixrate))
        return false;
    library.iChannels = Mix_AllocateChannels(maxsoftwarechannels);
    library.bRunning = true;
    return true;
}

void FSOUND_Close() {
    FSoundLibrary& library = TheFSoundLibrary();
    if (!library.bRunning)
        return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    library.bRunning = false;
    library.iChannels = 0;
}
