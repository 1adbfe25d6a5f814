#include "measure/colour_ramp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float LOG2_RANGE = 3.0f;  // the ramp spans 2^-3 to 2^3

struct Stop {
    float at;  // log2 of texels per pixel
    float r, g, b;
};

constexpr Stop STOPS[] = {
    {-3.0f, 1.0f, 0.0f, 0.0f}, {-1.0f, 1.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 0.8f, 0.0f},
    {1.0f, 0.0f, 1.0f, 1.0f},  {3.0f, 0.0f, 0.0f, 1.0f},
};

uint8_t Byte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Rgb DensityColour(float texelsPerPixel) {
    // No texels at all, or fewer than the ramp shows, is the worst end.
    const float l = texelsPerPixel > 0.0f
                        ? std::clamp(std::log2(texelsPerPixel), -LOG2_RANGE, LOG2_RANGE)
                        : -LOG2_RANGE;
    size_t i = 0;
    while (i + 2 < sizeof STOPS / sizeof STOPS[0] && l > STOPS[i + 1].at)
        ++i;
    const Stop& a = STOPS[i];
    const Stop& b = STOPS[i + 1];
    const float f = (l - a.at) / (b.at - a.at);
    return {Byte(a.r + (b.r - a.r) * f), Byte(a.g + (b.g - a.g) * f), Byte(a.b + (b.b - a.b) * f)};
}

RgbImage DensityHeatmap(const PixelGrid<float>& density) {
    RgbImage image(density.width, density.height);
    for (int y = 0; y < density.height; ++y) {
        for (int x = 0; x < density.width; ++x) {
            const float d = density.at(x, y);
            image.Set(x, y, std::isfinite(d) ? DensityColour(d) : NO_FIGURE_COLOUR);
        }
    }
    return image;
}

std::string DensityColourGlsl() {
    const auto stop = [](const Stop& s) {
        char text[64];
        std::snprintf(text, sizeof text, "vec3(%.9g, %.9g, %.9g)", s.r, s.g, s.b);
        return std::string(text);
    };
    const auto number = [](float v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", v);
        return std::string(text);
    };
    std::string glsl =
        "vec3 DensityColour(float texelsPerPixel) {\n"
        "    float l = texelsPerPixel > 0.0 ? clamp(log2(texelsPerPixel), " +
        number(-LOG2_RANGE) + ", " + number(LOG2_RANGE) + ") : " + number(-LOG2_RANGE) +
        ";\n    vec3 c = vec3(0.0);\n";
    const size_t count = sizeof STOPS / sizeof STOPS[0];
    for (size_t i = 0; i + 1 < count; ++i) {
        const Stop& a = STOPS[i];
        const Stop& b = STOPS[i + 1];
        const std::string mix = "c = mix(" + stop(a) + ", " + stop(b) + ", (l - " + number(a.at) +
                                ") / " + number(b.at - a.at) + ");\n";
        glsl += i == 0 ? "    " + mix : "    if (l > " + number(a.at) + ") " + mix;
    }
    return glsl + "    return c;\n}\n";
}
