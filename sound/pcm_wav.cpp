#include "sound/pcm_wav.h"

#include <cstring>

namespace {

constexpr std::uint32_t PCM = 1;
// Two channels of 16 bits: the frames of the sound library's output.
constexpr std::uint64_t OUTPUT_FRAME_BYTES = 4;

std::uint32_t Little(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// What a plain PCM format chunk's fields give.
struct PcmFormat {
    std::uint32_t channels;
    std::uint32_t rate;
    std::uint32_t bits;
};

PcmFormat FormatOf(const std::uint8_t* format) {
    return {Little(format + 2, 2), Little(format + 4, 4), Little(format + 14, 2)};
}

bool PlainPcmFormat(const std::uint8_t* format) {
    const PcmFormat pcm = FormatOf(format);
    return Little(format, 2) == PCM && (pcm.channels == 1 || pcm.channels == 2) &&
           pcm.rate >= 8000 && pcm.rate <= 48000 && (pcm.bits == 8 || pcm.bits == 16);
}

// Where the first chunk named id starts, or size when there is none; before names a chunk that
// must not come first (size itself when none), where the search ends as unsuccessful.
std::size_t FindChunk(const std::uint8_t* bytes, std::size_t size, const char* id,
                      const char* before) {
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::uint32_t chunkSize = Little(bytes + at + 4, 4);
        if (std::memcmp(bytes + at, id, 4) == 0)
            return at;
        if (before != nullptr && std::memcmp(bytes + at, before, 4) == 0)
            return size;
        at += 8 + std::size_t{chunkSize} + (chunkSize & 1);
    }
    return size;
}

}  // namespace

bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    const std::size_t format = FindChunk(bytes, size, "fmt ", "data");
    const std::size_t data = FindChunk(bytes, size, "data", nullptr);
    return format < size && Little(bytes + format + 4, 4) >= 16 &&
           format + 8 + std::uint64_t{Little(bytes + format + 4, 4)} <= size &&
           PlainPcmFormat(bytes + format + 8) && data < size &&
           data + 8 + std::uint64_t{Little(bytes + data + 4, 4)} <= size;
}

std::uint64_t DecodedPcmWavBytes(const std::uint8_t* bytes, std::size_t size, int outputRate) {
    if (!IsPlainPcmWav(bytes, size) || outputRate <= 0)
        return 0;
    const std::size_t data = FindChunk(bytes, size, "data", nullptr);
    const PcmFormat format = FormatOf(bytes + FindChunk(bytes, size, "fmt ", nullptr) + 8);
    const std::uint64_t frames = Little(bytes + data + 4, 4) / (format.channels * format.bits / 8);
    const std::uint64_t outputFrames =
        (frames * static_cast<std::uint64_t>(outputRate) + format.rate - 1) / format.rate;
    return outputFrames * OUTPUT_FRAME_BYTES;
}
