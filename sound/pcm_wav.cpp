#include "sound/pcm_wav.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// Where the format chunk is looked for: the baked sounds have it at byte 12.
constexpr std::size_t HEADER_BYTES = 4096;
constexpr std::uint32_t PCM = 1;

std::uint32_t Little(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

bool PlainPcmFormat(const std::uint8_t* format) {
    const std::uint32_t tag = Little(format, 2);
    const std::uint32_t channels = Little(format + 2, 2);
    const std::uint32_t rate = Little(format + 4, 4);
    const std::uint32_t bits = Little(format + 14, 2);
    return tag == PCM && (channels == 1 || channels == 2) && rate >= 8000 && rate <= 48000 &&
           (bits == 8 || bits == 16);
}

}  // namespace

bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size, std::uint64_t fileSize) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    bool plainFormat = false;
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::uint8_t* chunk = bytes + at;
        const std::uint32_t chunkSize = Little(chunk + 4, 4);
        if (std::memcmp(chunk, "data", 4) == 0)
            return plainFormat && at + 8 + std::uint64_t{chunkSize} <= fileSize;
        // The library reads the first format chunk only.
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !plainFormat) {
            if (chunkSize < 16 || at + 8 + std::size_t{chunkSize} > size ||
                !PlainPcmFormat(chunk + 8))
                return false;
            plainFormat = true;
        }
        at += 8 + std::size_t{chunkSize} + (chunkSize & 1);
    }
    return false;
}

bool IsPlainPcmWav(const std::uint8_t* bytes, std::size_t size) {
    return IsPlainPcmWav(bytes, size, size);
}

bool IsPlainPcmWavFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes(HEADER_BYTES);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    return !error && IsPlainPcmWav(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   static_cast<std::size_t>(file.gcount()), fileSize);
}
