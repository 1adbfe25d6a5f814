#include "tests/scene/scene_data.h"

#include <IL/il.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "crypt/blowfish.h"
#include "tests/scene/md2_writer.h"

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ContainerPath(const std::string& dir, int container) {
    char name[16];
    std::snprintf(name, sizeof name, "T%03d.dat", container);
    return dir + "/" + name;
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

std::array<uint8_t, 3> ImageColour(int container) {
    if (container == 1)
        return {120, 0, 0};
    return {static_cast<uint8_t>(8 * container), static_cast<uint8_t>(255 - 8 * container), 128};
}

SceneData::SceneData() {
    m_plain[1] = JpegImage(5, 4, 3, ImageColour(1));
    m_plain[2] = JpegImage(5, 3, 3, ImageColour(2));
    for (int container = 19; container <= 25; ++container)
        m_plain[container] = JpegImage(4, 4, 3, ImageColour(container));
    for (int container : MD2_CONTAINERS) {
        Md2Fixture model = StandRunModel();
        for (Md2FixtureFrame& frame : model.frames)
            frame.translate[0] = static_cast<float>(container);
        m_plain[container] = model.Bytes();
        m_plain[container + 1] = JpegImage(8, 8, 3, ImageColour(container + 1));
    }
}

void SceneData::Set(int container, std::vector<uint8_t> plain) {
    m_plain[container] = std::move(plain);
}

void SceneData::Remove(int container) {
    m_plain.erase(container);
}

void SceneData::WriteContainers(const std::string& dataDir) const {
    std::filesystem::create_directories(dataDir);
    CBlowfish cipher;
    cipher.Initialize("r&e&v&o", 7, BlowfishBlock{0, 0}, CBlowfish::MODE_ECB, 0);
    const std::string plainPath = dataDir + "/plain.tmp";
    for (const auto& [container, plain] : m_plain) {
        WriteFileBytes(plainPath, plain);
        cipher.EncryptFile(plainPath, ContainerPath(dataDir, container));
    }
    std::filesystem::remove(plainPath);
}
