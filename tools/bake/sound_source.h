#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/bake/wav_file.h"

namespace bake {

// One file of a zip archive (a .pk3). Raises std::runtime_error when it cannot be read.
std::vector<std::uint8_t> ReadZipEntry(const std::string& archive, const std::string& entry);

// Decodes an Ogg Vorbis file held in memory. Raises std::runtime_error for a bad stream.
Pcm DecodeOggVorbis(const std::vector<std::uint8_t>& bytes);

}  // namespace bake
