#include "platform/fsound_library.h"

namespace {

constexpr unsigned int LOOP_BITS = FSOUND_LOOP_OFF | FSOUND_LOOP_NORMAL;

unsigned int LoopModeOf(unsigned int mode, unsigned int fallback) {
    if (mode & FSOUND_LOOP_NORMAL)
        return FSOUND_LOOP_NORMAL;
    return (mode & LOOP_BITS) ? FSOUND_LOOP_OFF : fallback;
}

// The file's whole contents as SDL reads them: from memory, or from the file by name.
SDL_RWops* SampleSource(const char* name_or_data, unsigned int inputmode, int length) {
    if (inputmode & FSOUND_LOADMEMORY)
        return length > 0 ? SDL_RWFromConstMem(name_or_data, length) : nullptr;
    return length == 0 ? SDL_RWFromFile(name_or_data, "rb") : nullptr;
}

}  // namespace

FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name_or_data, unsigned int inputmode,
                                  int offset, int length) {
    if (!TheFSoundLibrary().bRunning || index != FSOUND_UNMANAGED || name_or_data == nullptr ||
        offset != 0)
        return nullptr;
    SDL_RWops* source = SampleSource(name_or_data, inputmode, length);
    Mix_Chunk* chunk = source != nullptr ? Mix_LoadWAV_RW(source, 1) : nullptr;
    if (chunk == nullptr)
        return nullptr;
    return new FSOUND_SAMPLE{chunk, LoopModeOf(inputmode, FSOUND_LOOP_OFF)};
}

int FSOUND_GetOutputRate() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    return TheFSoundLibrary().bRunning && Mix_QuerySpec(&rate, &format, &channels) != 0 ? rate : 0;
}

bool FSOUND_Sample_SetMode(FSOUND_SAMPLE* sptr, unsigned int mode) {
    if (sptr == nullptr)
        return false;
    sptr->uLoopMode = LoopModeOf(mode, sptr->uLoopMode);
    return true;
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* sptr) {
    if (sptr == nullptr)
        return;
    Mix_FreeChunk(sptr->pChunk);
    delete sptr;
}
