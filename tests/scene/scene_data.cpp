#include "tests/scene/scene_data.h"

#include <cstdio>
#include <filesystem>

#include "crypt/blowfish.h"
#include "tests/scene/md2_writer.h"

namespace {

std::string ContainerPath(const std::string& dir, int container) {
    char name[16];
    std::snprintf(name, sizeof name, "T%03d.dat", container);
    return dir + "/" + name;
}

}  // namespace

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
