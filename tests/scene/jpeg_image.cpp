#include "tests/scene/jpeg_image.h"

#include <IL/il.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Pixels(int width, int height, int channels,
                            const std::array<uint8_t, 3>& colour) {
    std::vector<uint8_t> pixels;
    for (int n = 0; n < width * height; ++n)
        pixels.insert(pixels.end(), colour.begin(), colour.begin() + channels);
    return pixels;
}

}  // namespace

std::vector<uint8_t> JpegImage(int width, int height, int channels,
                               const std::array<uint8_t, 3>& colour) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    std::vector<uint8_t> pixels = Pixels(width, height, channels, colour);
    ilTexImage(width, height, 1, static_cast<ILubyte>(channels),
               channels == 3 ? IL_RGB : IL_LUMINANCE, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kvx-scene-" + std::to_string(::getpid()) + ".jpg"))
                                 .string();
    const bool saved = ilSave(IL_JPG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    if (!saved)
        throw std::runtime_error("DevIL cannot write " + path);
    std::vector<uint8_t> bytes = ReadAll(path);
    std::filesystem::remove(path);
    return bytes;
}
