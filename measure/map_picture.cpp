#include "measure/map_picture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float DARKEST = 60.0f;  // grey of the farthest drawn depth
constexpr float BRIGHTEST = 255.0f;

}  // namespace

RgbImage DepthMapPicture(const std::vector<float>& depth, int width, int height) {
    float nearest = 1.0f, farthest = 0.0f;
    for (float d : depth) {
        if (d < 1.0f) {
            nearest = std::min(nearest, d);
            farthest = std::max(farthest, d);
        }
    }
    const float span = farthest > nearest ? farthest - nearest : 1.0f;
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float d = depth[static_cast<size_t>(y) * width + x];
            if (!(d < 1.0f))
                continue;
            const float f = (farthest - d) / span;
            const auto grey =
                static_cast<uint8_t>(std::lround(DARKEST + f * (BRIGHTEST - DARKEST)));
            image.Set(x, y, {grey, grey, grey});
        }
    }
    return image;
}
