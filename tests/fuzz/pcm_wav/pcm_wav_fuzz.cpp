// Feeds arbitrary files to IsPlainPcmWav. Whatever it passes is decoded by the sound library, as
// the program has it do, and the samples it gives must take at most a fixed multiple of the
// file's bytes. The mixer converts every sound to its device format once, on loading: the program
// opens it at 8000 frames a second of two 16-bit channels (4 bytes a frame), and the filter
// passes files of at least 8000 frames a second and at least one byte a frame (8-bit mono), so
// no passed sound grows by more than the device's bytes a frame times its rate over 8000: 4.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>

#include "sound/pcm_wav.h"

namespace {

// As the program opens the mixer.
constexpr int DEVICE_RATE = 8000;
constexpr int DEVICE_CHANNELS = 2;
constexpr int DEVICE_CHUNK_FRAMES = 512;
// The slowest rate and the smallest frame the filter passes.
constexpr std::uint64_t LOWEST_RATE = 8000;
constexpr std::uint64_t SMALLEST_FRAME_BYTES = 1;

// How many times its file's size a decoded sound may take, from the device format.
std::uint64_t growth = 0;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

// Opens the mixer once for the process, on SDL's dummy driver, and works out growth from the
// device format the mixer got.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    Require(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0);
    Require(Mix_OpenAudio(DEVICE_RATE, AUDIO_S16SYS, DEVICE_CHANNELS, DEVICE_CHUNK_FRAMES) == 0);
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    Require(Mix_QuerySpec(&rate, &format, &channels) == 1);
    const std::uint64_t frameBytes =
        static_cast<std::uint64_t>(channels) * SDL_AUDIO_BITSIZE(format) / 8;
    growth = (frameBytes * static_cast<std::uint64_t>(rate) + LOWEST_RATE - 1) /
             (SMALLEST_FRAME_BYTES * LOWEST_RATE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!IsPlainPcmWav(data, size)) {
        return 0;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
    if (chunk != nullptr) {
        Require(chunk->alen <= growth * size);
        Mix_FreeChunk(chunk);
    }
    return 0;
}
