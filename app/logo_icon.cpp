#include "app/logo_icon.h"

#include <cmath>

#include "app/logo_image.h"

namespace {

constexpr int SAMPLES = 4;  // a side of each pixel's sample grid
constexpr int OPAQUE = 255;

struct Sum {
    int r = 0, g = 0, b = 0, count = 0;
};

// Adds the logo's pixel under icon position (x, y), in logo pixels; nothing outside the logo.
void AddSample(const std::vector<unsigned char>& logo, double x, double y, Sum& sum) {
    const int col = static_cast<int>(std::floor(x));
    const int row = static_cast<int>(std::floor(y));
    if (col < 0 || row < 0 || col >= LOGO_WIDTH || row >= LOGO_HEIGHT)
        return;
    const unsigned char* p = &logo[(row * LOGO_WIDTH + col) * 3];
    sum.r += p[0];
    sum.g += p[1];
    sum.b += p[2];
    ++sum.count;
}

// Icon pixel (x, y), four bytes at p: the average of its samples, as opaque as the share of them
// that fall on the logo. scale is logo pixels per icon pixel, top the logo's top row on the icon.
void ShadePixel(const std::vector<unsigned char>& logo, double scale, double top, int x, int y,
                unsigned char* p) {
    Sum sum;
    for (int sy = 0; sy < SAMPLES; ++sy)
        for (int sx = 0; sx < SAMPLES; ++sx)
            AddSample(logo, (x + (sx + 0.5) / SAMPLES) * scale,
                      (y - top + (sy + 0.5) / SAMPLES) * scale, sum);
    if (sum.count == 0)
        return;
    p[0] = static_cast<unsigned char>(sum.r / sum.count);
    p[1] = static_cast<unsigned char>(sum.g / sum.count);
    p[2] = static_cast<unsigned char>(sum.b / sum.count);
    p[3] = static_cast<unsigned char>(OPAQUE * sum.count / (SAMPLES * SAMPLES));
}

}  // namespace

std::vector<unsigned char> LogoIconPixels(int size) {
    const std::vector<unsigned char> logo = LogoPixels();
    const double scale = static_cast<double>(LOGO_WIDTH) / size;
    const double top = (size - LOGO_HEIGHT / scale) / 2.0;
    std::vector<unsigned char> icon(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            ShadePixel(logo, scale, top, x, y, &icon[(static_cast<std::size_t>(y) * size + x) * 4]);
    return icon;
}
