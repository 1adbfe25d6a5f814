#include "sound/sound_sample_file.h"

#include "crypt/scratch_files.h"

namespace {

// 16-bit signed mono samples; the file's own header decides the format.
constexpr unsigned int SAMPLE_MODE = FSOUND_16BITS | FSOUND_MONO | FSOUND_SIGNED | FSOUND_HW2D;

}  // namespace

// The sound library reads the whole file, so the scratch file goes at once.
SampleHandle LoadContainerSample(FileCrypt& cipher, const std::string& container) {
    ScratchFiles scratch;
    scratch.Decrypt(cipher, container, 0);
    SampleHandle sample(FSOUND_Sample_Load(FSOUND_UNMANAGED, SCRATCH_FILES[0], SAMPLE_MODE, 0, 0));
    scratch.Remove();
    return sample;
}
