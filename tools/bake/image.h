#pragma once

#include <string>
#include <vector>

#include "tools/bake/bake_types.h"

namespace bake {

// Tightly packed 8-bit RGB pixels, row 0 first as stored in the file.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}

    unsigned char* At(int column, int row) {
        return &rgb[(static_cast<std::size_t>(row) * width + column) * 3];
    }
    const unsigned char* At(int column, int row) const {
        return &rgb[(static_cast<std::size_t>(row) * width + column) * 3];
    }
};

// Reads any image DevIL knows (JPEG, BMP, PCX, TGA, PNG...) as 8-bit RGB with row 0 the first
// stored row, the way the program reads its JPEG files. Raises std::runtime_error on failure.
Image LoadImageRgb(const std::string& path);

// Writes the image as a baseline JPEG; quality 1..100.
void SaveJpeg(const Image& image, const std::string& path, int quality);

// Halves the image until neither side exceeds maxSide (box filter), to keep textures small.
Image ShrinkTo(const Image& image, int maxSide);

}  // namespace bake
