#include "sound/sound_sample_file.h"

#include <cstdint>

#include "crypt/scratch_files.h"
#include "platform/small_files.h"
#include "sound/pcm_wav.h"

namespace {

// 16-bit signed mono samples; the file's own header decides the format.
constexpr unsigned int SAMPLE_MODE = FSOUND_16BITS | FSOUND_MONO | FSOUND_SIGNED | FSOUND_HW2D;
// The largest file read: the largest container there may be.
constexpr std::size_t MAX_FILE_BYTES = std::size_t{256} << 20;

// Null unless bytes are a plain PCM WAVE file whose decoded sound fits the budget.
SampleHandle LoadPlainPcmWav(const std::string& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::uint64_t decoded = DecodedPcmWavBytes(data, bytes.size(), FSOUND_GetOutputRate());
    if (!IsPlainPcmWav(data, bytes.size()) || decoded > MAX_DECODED_SOUND_BYTES)
        return nullptr;
    return SampleHandle(FSOUND_Sample_Load(FSOUND_UNMANAGED, bytes.data(),
                                           SAMPLE_MODE | FSOUND_LOADMEMORY, 0,
                                           static_cast<int>(bytes.size())));
}

}  // namespace

// The scratch file is read once, and the sound library decodes the very bytes that were checked,
// from memory: the file goes at once and what replaces it meanwhile is never read. Only plain
// PCM WAVE files within the budget are handed to the library: it decodes whatever it knows whole,
// without a limit.
SampleHandle LoadContainerSample(FileCrypt& cipher, const std::string& container) {
    ScratchFiles scratch;
    scratch.Decrypt(cipher, container, 0);
    std::string bytes;
    const bool read = ReadSmallRegularFile(SCRATCH_FILES[0], MAX_FILE_BYTES, bytes);
    scratch.Remove();
    return read ? LoadPlainPcmWav(bytes) : nullptr;
}
