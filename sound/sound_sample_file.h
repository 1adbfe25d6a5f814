#pragma once

#include <memory>
#include <string>

#include "crypt/file_crypt.h"
#include "platform/fsound.h"

struct SampleDeleter {
    void operator()(FSOUND_SAMPLE* sample) const { FSOUND_Sample_Free(sample); }
};
using SampleHandle = std::unique_ptr<FSOUND_SAMPLE, SampleDeleter>;

// Decrypts the container into the first scratch file, loads the sample from it and deletes the
// scratch file on every way out. Null when the sample is not a plain PCM WAVE file (pcm_wav.h)
// or the sound library cannot read it; container errors and a scratch file that cannot be
// created or deleted raise std::runtime_error.
SampleHandle LoadContainerSample(FileCrypt& cipher, const std::string& container);
