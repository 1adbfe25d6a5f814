#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "crypt/file_crypt.h"
#include "platform/fsound.h"

struct SampleDeleter {
    void operator()(FSOUND_SAMPLE* sample) const { FSOUND_Sample_Free(sample); }
};
using SampleHandle = std::unique_ptr<FSOUND_SAMPLE, SampleDeleter>;

// What a sound may take once decoded (DecodedPcmWavBytes at the output's rate): the scene's
// sounds are 16-bit mono files of up to half a megabyte at 44100 Hz, a few seconds each, which
// take at most 1.2 MB even at an output of 48000 Hz; this allows minutes of sound, and six
// sounds at the limit stay below 100 MiB.
constexpr std::uint64_t MAX_DECODED_SOUND_BYTES = std::uint64_t{16} << 20;

// Decrypts the container into the first scratch file, loads the sample from it and deletes the
// scratch file on every way out. Null when the sample is not a plain PCM WAVE file (pcm_wav.h),
// would take more than MAX_DECODED_SOUND_BYTES decoded, or the sound library cannot read it;
// container errors and a scratch file that cannot be created or deleted raise
// std::runtime_error.
SampleHandle LoadContainerSample(FileCrypt& cipher, const std::string& container);
