#include "scene/scene_image.h"

#include <IL/il.h>

#include <string>

#include "platform/small_files.h"
#include "scene/jpeg_header.h"
#include "scene/jpeg_scans.h"

SceneImage::SceneImage() {
    ilGenImages(1, &m_uName);
    ilBindImage(m_uName);
}

SceneImage::~SceneImage() {
    ilDeleteImages(1, &m_uName);
}

bool SceneImage::Load(const char* path) {
    std::string bytes;
    if (!ReadSmallRegularFile(path, MAX_FILE_BYTES, bytes))
        bytes.clear();
    return Load(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool SceneImage::Load(const std::uint8_t* bytes, std::size_t size) {
    ilBindImage(m_uName);
    m_refusedSize.clear();
    unsigned width = 0, height = 0;
    if (!ReadJpegSize(bytes, size, width, height))
        return false;
    if (std::uint64_t{width} * height > MAX_PIXELS) {
        m_refusedSize = std::to_string(width) + " x " + std::to_string(height) +
                        " pixels, more than the " + std::to_string(MAX_PIXELS) +
                        " pixels an image of the scene may have";
        return false;
    }
    if (const std::size_t scans = CountJpegScans(bytes, size); scans > MAX_SCANS) {
        m_refusedSize = "made of " + std::to_string(scans) + " scans, more than the " +
                        std::to_string(MAX_SCANS) + " scans an image of the scene may have";
        return false;
    }
    return ilLoadL(IL_JPG, bytes, static_cast<ILuint>(size)) == IL_TRUE;
}

bool SceneImage::IsRgb8() const {
    ilBindImage(m_uName);
    return ilGetInteger(IL_IMAGE_FORMAT) == IL_RGB &&
           ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE &&
           ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL) == 3;
}

int SceneImage::Width() const {
    ilBindImage(m_uName);
    return ilGetInteger(IL_IMAGE_WIDTH);
}

int SceneImage::Height() const {
    ilBindImage(m_uName);
    return ilGetInteger(IL_IMAGE_HEIGHT);
}

const uint8_t* SceneImage::Data() const {
    ilBindImage(m_uName);
    return ilGetData();
}

bool ConvertBoundImageToRgb8() {
    if (ilGetInteger(IL_IMAGE_FORMAT) == IL_RGB && ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE)
        return true;
    return ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) == IL_TRUE;
}
