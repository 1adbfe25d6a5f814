#include <IL/il.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "tools/bake/bake_output.h"
#include "tools/bake/image.h"

namespace bake {

namespace {

// One DevIL image name for the length of a scope.
class IlImage {
  public:
    IlImage() {
        static const bool initialised = [] {
            ilInit();
            return true;
        }();
        (void)initialised;
        ilGenImages(1, &m_name);
        ilBindImage(m_name);
    }
    ~IlImage() { ilDeleteImages(1, &m_name); }
    IlImage(const IlImage&) = delete;
    IlImage& operator=(const IlImage&) = delete;

  private:
    ILuint m_name = 0;
};

}  // namespace

Image LoadImageRgb(const std::string& path) {
    IlImage scope;
    ilDisable(IL_ORIGIN_SET);
    if (!ilLoadImage(path.c_str())) {
        throw std::runtime_error("cannot read image " + path);
    }
    const bool upperLeft = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT;
    if (!ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE)) {
        throw std::runtime_error("cannot convert image " + path + " to RGB");
    }
    Image image(ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT));
    std::memcpy(image.rgb.data(), ilGetData(), image.rgb.size());
    if (!upperLeft) {
        // Formats stored bottom-up (BMP, TGA) come in bottom row first: put the top row first.
        Image flipped(image.width, image.height);
        for (int row = 0; row < image.height; ++row) {
            std::memcpy(flipped.At(0, row), image.At(0, image.height - 1 - row),
                        static_cast<std::size_t>(image.width) * 3);
        }
        return flipped;
    }
    return image;
}

void SaveJpeg(const Image& image, const std::string& path, int quality) {
    IlImage scope;
    if (!ilTexImage(image.width, image.height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
                    const_cast<unsigned char*>(image.rgb.data()))) {
        throw std::runtime_error("cannot make image for " + path);
    }
    // Row 0 of the pixel data is the top of the picture, the first row the JPEG stores.
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilSetInteger(IL_JPG_QUALITY, quality);
    // Encoded in memory, since writing a file DevIL does not report a full disk.
    std::vector<unsigned char> bytes(ilSaveL(IL_JPG, nullptr, 0));
    if (!bytes.empty())
        bytes.resize(ilSaveL(IL_JPG, bytes.data(), static_cast<ILuint>(bytes.size())));
    if (bytes.empty())
        throw std::runtime_error("cannot encode JPEG " + path);
    WriteBinaryFile(path, bytes);
}

Image ShrinkTo(const Image& image, int maxSide) {
    Image current = image;
    while (current.width > maxSide || current.height > maxSide) {
        Image half(current.width / 2, current.height / 2);
        for (int row = 0; row < half.height; ++row) {
            for (int column = 0; column < half.width; ++column) {
                for (int c = 0; c < 3; ++c) {
                    const int sum = current.At(2 * column, 2 * row)[c] +
                                    current.At(2 * column + 1, 2 * row)[c] +
                                    current.At(2 * column, 2 * row + 1)[c] +
                                    current.At(2 * column + 1, 2 * row + 1)[c];
                    half.At(column, row)[c] = static_cast<unsigned char>((sum + 2) / 4);
                }
            }
        }
        current = std::move(half);
    }
    return current;
}

}  // namespace bake
