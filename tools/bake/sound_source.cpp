#include "tools/bake/sound_source.h"

#include <unzip.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace bake {

namespace {

// A read cursor over the bytes for libvorbisfile's callbacks.
struct MemoryStream {
    const std::vector<std::uint8_t>* bytes;
    std::size_t position;
};

std::size_t ReadStream(void* buffer, std::size_t size, std::size_t count, void* source) {
    auto* stream = static_cast<MemoryStream*>(source);
    const std::size_t wanted = size * count;
    const std::size_t left = stream->bytes->size() - stream->position;
    const std::size_t n = std::min(wanted, left);
    std::memcpy(buffer, stream->bytes->data() + stream->position, n);
    stream->position += n;
    return size == 0 ? 0 : n / size;
}

void CloseZip(unzFile zip, const std::string& entry) {
    unzCloseCurrentFile(zip);
    unzClose(zip);
    throw std::runtime_error("cannot read " + entry + " from the archive");
}

}  // namespace

std::vector<std::uint8_t> ReadZipEntry(const std::string& archive, const std::string& entry) {
    unzFile zip = unzOpen(archive.c_str());
    if (zip == nullptr) {
        throw std::runtime_error("cannot open archive " + archive);
    }
    unz_file_info info{};
    if (unzLocateFile(zip, entry.c_str(), 1) != UNZ_OK ||
        unzGetCurrentFileInfo(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        unzOpenCurrentFile(zip) != UNZ_OK) {
        CloseZip(zip, entry);
    }
    std::vector<std::uint8_t> bytes(info.uncompressed_size);
    const int read = unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
    if (read != static_cast<int>(bytes.size())) {
        CloseZip(zip, entry);
    }
    unzCloseCurrentFile(zip);
    unzClose(zip);
    return bytes;
}

Pcm DecodeOggVorbis(const std::vector<std::uint8_t>& bytes) {
    MemoryStream stream{&bytes, 0};
    const ov_callbacks callbacks{ReadStream, nullptr, nullptr, nullptr};
    OggVorbis_File file;
    if (ov_open_callbacks(&stream, &file, nullptr, 0, callbacks) != 0) {
        throw std::runtime_error("not an Ogg Vorbis stream");
    }
    const vorbis_info* info = ov_info(&file, -1);
    Pcm pcm{static_cast<int>(info->rate), info->channels, {}};
    std::int16_t buffer[2048];
    int section = 0;
    char* out = reinterpret_cast<char*>(buffer);
    for (long n; (n = ov_read(&file, out, sizeof(buffer), 0, 2, 1, &section)) != 0;) {
        if (n < 0) {
            ov_clear(&file);
            throw std::runtime_error("damaged Ogg Vorbis stream");
        }
        pcm.samples.insert(pcm.samples.end(), buffer, buffer + n / 2);
    }
    ov_clear(&file);
    return pcm;
}

}  // namespace bake
