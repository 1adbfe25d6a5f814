#include "sound/sound_sample_file.h"

#include "crypt/scratch_files.h"
#include "sound/pcm_wav.h"

namespace {

// 16-bit signed mono samples; the file's own header decides the format.
constexpr unsigned int SAMPLE_MODE = FSOUND_16BITS | FSOUND_MONO | FSOUND_SIGNED | FSOUND_HW2D;

}  // namespace

// The sound library reads the whole file, so the scratch file goes at once. Only plain PCM WAVE
// files are handed to it: it decodes whatever it knows whole, without a limit.
SampleHandle LoadContainerSample(FileCrypt& cipher, const std::string& container) {
    ScratchFiles scratch;
    scratch.Decrypt(cipher, container, 0);
    SampleHandle sample(
        IsPlainPcmWavFile(SCRATCH_FILES[0])
            ? FSOUND_Sample_Load(FSOUND_UNMANAGED, SCRATCH_FILES[0], SAMPLE_MODE, 0, 0)
            : nullptr);
    scratch.Remove();
    return sample;
}
