#pragma once

#include <cstddef>
#include <cstdint>

// Whether bytes, the start of a file, begin a RIFF WAVE file of plain PCM samples: 1 or 2
// channels of 8 or 16 bits at 8000 to 48000 samples a second, its format chunk among the bytes.
// The sound library decodes such a file to a small multiple of its own size; it would also
// decode compressed formats, module files or a rate of a few samples a second, where a few
// kilobytes can become gigabytes.
bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size);

// How many bytes the sound library holds once it has converted the samples of the plain PCM
// WAVE file in bytes to 16-bit stereo at outputRate samples a second, reckoned from the format
// and the data chunk's size (no more than the bytes that follow it): a long file, or a slow one
// resampled to a faster output, grows many times over. Zero when the bytes are not a plain PCM
// WAVE file (IsPlainPcmWav) or have no data chunk.
std::uint64_t DecodedPcmWavBytes(const std::uint8_t* bytes, std::size_t size, int outputRate);
