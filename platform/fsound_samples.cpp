#include "platform/fsound_library.h"

namespace {

constexpr unsigned int LOOP_BITS = FSOUND_LOOP_OFF | FSOUND_LOOP_NORMAL;

unsigned int LoopModeOf(unsigned int mode, unsigned int fallback) {
    if (mode & FSOUND_LOOP_NORMAL)
        return FSOUND_LOOP_NORMAL;
    return (mode & LOOP_BITS) ? FSOUND_LOOP_OFF : fallback;
}

}  // namespace

FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name_or_data, unsigned int inputmode,
                                  int offset, int length) {
    if (!TheFSoundLibrary().bRunning || index != FSOUND_UNMANAGED || name_or_data == nullptr ||
        offset != 0 || length != 0)
        return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(name_or_data);
    if (chunk == nullptr)
        return nullptr;
    return new FSOUND_SAMPLE{chunk, LoopModeOf(inputmode, FSOUND_LOOP_OFF)};
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
