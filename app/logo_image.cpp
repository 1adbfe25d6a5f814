#include "app/logo_image.h"

#include <FL/Fl_RGB_Image.H>

#include <algorithm>

#include "app/logo_icon.h"

namespace {

// An image of width x height pixels of depth bytes that owns a copy of pixels.
std::unique_ptr<Fl_RGB_Image> OwningImage(const std::vector<unsigned char>& pixels, int width,
                                          int height, int depth) {
    auto* data = new unsigned char[pixels.size()];
    std::copy(pixels.begin(), pixels.end(), data);
    auto image = std::make_unique<Fl_RGB_Image>(data, width, height, depth);
    image->alloc_array = 1;  // the image deletes data with itself
    return image;
}

}  // namespace

std::unique_ptr<Fl_RGB_Image> CreateLogoImage() {
    return OwningImage(LogoPixels(), LOGO_WIDTH, LOGO_HEIGHT, 3);
}

std::unique_ptr<Fl_RGB_Image> CreateLogoIcon(int size) {
    return OwningImage(LogoIconPixels(size), size, size, 4);
}
