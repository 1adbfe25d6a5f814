#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "crypt/blowfish.h"
#include "platform/data_folder.h"
#include "sound/sound.h"
#include "sound/sound_sample_file.h"

namespace {

constexpr char CONTAINER_KEY[] = "r&e&v&o";
constexpr int CONTAINER_KEY_LENGTH = 7;

constexpr int MEMORY_BLOCK_SIZE = 4194304;
constexpr int MIXING_RATE = 8000;
constexpr int SOFTWARE_CHANNELS = 8;

struct ZoneSource {
    const char* pContainer;
    float fX;
    float fY;
    float fZ;
    float fRadius;
};

constexpr ZoneSource ZONE_SOURCES[] = {
    {"T030.dat", 50.0f, 24.0f, -60.0f, 40.0f},  {"T031.dat", -90.0f, 25.0f, -15.0f, 50.0f},
    {"T032.dat", -10.0f, 20.0f, -65.0f, 30.0f}, {"T033.dat", 72.0f, 8.5f, 5.0f, 20.0f},
    {"T034.dat", 0.0f, 42.0f, 70.0f, 50.0f},
};
constexpr const char* BACKGROUND_CONTAINER = "T035.dat";

bool StartLibrary(SoundState& state) {
    FSOUND_SetOutput(FSOUND_OUTPUT_WINMM);
    state.m_pMemoryBlock.reset(std::malloc(MEMORY_BLOCK_SIZE));
    if (!FSOUND_SetMemorySystem(state.m_pMemoryBlock.get(), MEMORY_BLOCK_SIZE, nullptr, nullptr,
                                nullptr))
        return false;
    FSOUND_SetDriver(0);
    return FSOUND_Init(MIXING_RATE, SOFTWARE_CHANNELS, FSOUND_INIT_USEDEFAULTMIDISYNTH);
}

bool LoadZones(FileCrypt& cipher, SoundState& state) {
    for (const ZoneSource& source : ZONE_SOURCES) {
        SampleHandle sample = LoadContainerSample(cipher, DataFile(source.pContainer));
        if (!sample)
            return false;
        FSOUND_Sample_SetMode(sample.get(), FSOUND_LOOP_OFF);
        state.m_soundZones.push_back(
            {sample.get(), source.fX, source.fY, source.fZ, source.fRadius});
        sample.release();
    }
    return true;
}

// The first sound started after FSOUND_Init, so it plays on channel 0.
bool StartBackground(FileCrypt& cipher, SoundState& state) {
    SampleHandle sample = LoadContainerSample(cipher, DataFile(BACKGROUND_CONTAINER));
    if (!sample)
        return false;
    state.m_hBackgroundSample = sample.release();
    FSOUND_Sample_SetMode(state.m_hBackgroundSample, FSOUND_LOOP_NORMAL);
    FSOUND_PlaySound(FSOUND_FREE, state.m_hBackgroundSample);
    return true;
}

// A container that is missing or cannot be decrypted disables sound like any other failure; its
// message tells the user which file it was.
bool StartSound(FileCrypt& cipher, SoundState& state) {
    try {
        return StartLibrary(state) && LoadZones(cipher, state) && StartBackground(cipher, state);
    } catch (const std::runtime_error& error) {
        std::cerr << error.what() << '\n';
        return false;
    }
}

}  // namespace

bool InitSound(SoundState& state) {
    CBlowfish cipher;
    cipher.Initialize(CONTAINER_KEY, CONTAINER_KEY_LENGTH, BlowfishBlock{0, 0}, CBlowfish::MODE_ECB,
                      0);
    if (StartSound(cipher, state))
        return true;
    ShutdownSound(state);
    return false;
}
