#pragma once

#include <cstddef>
#include <cstdint>

// Whether bytes, a whole file, are a RIFF WAVE file of plain PCM samples: 1 or 2 channels of 8 or
// 16 bits at 8000 to 48000 samples a second, its format chunk whole before a data chunk that ends
// inside the file. The sound library decodes such a file to a small multiple of its own size; it
// would also decode compressed formats, module files or a rate of a few samples a second, where a
// few kilobytes can become gigabytes, and it sets aside the memory a chunk's header announces
// before reading the chunk, however short the file.
bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size);

// How many bytes the sound library holds once it has converted the samples of the plain PCM
// WAVE file in bytes to 16-bit stereo at outputRate samples a second, reckoned from the format
// and the data chunk's size: a long file, or a slow one resampled to a faster output, grows many
// times over. Zero when the bytes are not a plain PCM WAVE file (IsPlainPcmWav).
std::uint64_t DecodedPcmWavBytes(const std::uint8_t* bytes, std::size_t size, int outputRate);
