#include "measure/png_file.h"

#include <IL/il.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/small_files.h"

namespace {

// The picture as the bytes of a PNG file; empty when it cannot be encoded.
std::vector<ILubyte> EncodePng(const RgbImage& image) {
    ilInit();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    // Rows run bottom-up, as DevIL's lower-left origin expects.
    ilTexImage(image.width, image.height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
               const_cast<uint8_t*>(image.rgb.data()));
    std::vector<ILubyte> bytes(ilSaveL(IL_PNG, nullptr, 0));
    if (!bytes.empty())
        bytes.resize(ilSaveL(IL_PNG, bytes.data(), static_cast<ILuint>(bytes.size())));
    ilDeleteImages(1, &name);
    return bytes;
}

// Writes every byte and closes, checking each step: a full disk must not pass for a saved file.
// A regular file left part-written is removed.
bool WriteWholeFile(const std::string& path, const std::vector<ILubyte>& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool closed = close(fd) == 0;
    const bool saved = written && closed;
    if (!saved && regular)
        unlink(path.c_str());
    return saved;
}

}  // namespace

bool SavePng(const std::string& path, const RgbImage& image, std::string& error) {
    const std::vector<ILubyte> bytes = EncodePng(image);
    const bool saved = !bytes.empty() && WriteWholeFile(path, bytes);
    if (!saved)
        error = "cannot write the image '" + path + "'";
    return saved;
}
