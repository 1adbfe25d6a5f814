#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Whether bytes, the start of a file of fileSize bytes, begin a RIFF WAVE file of plain PCM
// samples: 1 or 2 channels of 8 or 16 bits at 8000 to 48000 samples a second, its format chunk
// whole among the bytes, followed there by the header of a data chunk that ends inside the file.
// The sound library decodes such a file to a small multiple of its own size; it would also
// decode compressed formats, module files or a rate of a few samples a second, where a few
// kilobytes can become gigabytes, and it sets aside the memory a chunk's header announces before
// reading the chunk, however short the file.
bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size, std::uint64_t fileSize);

// The same for a whole file in memory.
bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size);

// The same for the start of the file at path.
bool IsPlainPcmWavFile(const std::string& path);
