#include "tools/bake/terrain_colour.h"

#include <algorithm>
#include <cmath>

#include "tools/bake/noise.h"

namespace bake {

namespace {

using Colour = std::array<float, 3>;

constexpr Colour SAND{186, 170, 122};
constexpr Colour GRASS{78, 112, 46};
constexpr Colour DRY_GRASS{132, 126, 74};
constexpr Colour ROCK{112, 106, 98};

Colour Mix(const Colour& a, const Colour& b, float t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// Rise over run of the ground at a world position.
float Slope(const HeightField& field, float x, float z) {
    const float d = TerrainGrid::STEP;
    const float gx = (field.Sample(x + d, z) - field.Sample(x - d, z)) / (2 * d);
    const float gz = (field.Sample(x, z + d) - field.Sample(x, z - d)) / (2 * d);
    return std::hypot(gx, gz);
}

Colour GroundColour(const HeightField& field, float x, float z, std::uint32_t seed) {
    const float h = field.Sample(x, z);
    const float patches = FractalNoise(x / 25.0f, z / 25.0f, 3, seed);
    Colour c = Mix(SAND, GRASS, SmoothStep(2.0f, 6.0f, h + 4.0f * patches));
    c = Mix(c, DRY_GRASS, SmoothStep(30.0f, 42.0f, h + 10.0f * patches));
    c = Mix(c, ROCK, SmoothStep(0.5f, 0.9f, Slope(field, x, z) + 0.15f * patches));
    const float grain = 1.0f + 0.12f * FractalNoise(x * 1.7f, z * 1.7f, 3, seed + 7);
    return {c[0] * grain, c[1] * grain, c[2] * grain};
}

}  // namespace

Image TerrainColours(const HeightField& field, int size, std::uint32_t seed) {
    Image image(size, size);
    const float span = 2.0f * std::abs(TerrainGrid::X0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const float x = TerrainGrid::X0 + span * column / static_cast<float>(size - 1);
            const float z = -TerrainGrid::Z0 + span * row / static_cast<float>(size - 1);
            const Colour c = GroundColour(field, x, z, seed);
            for (int k = 0; k < 3; ++k) {
                image.At(column, row)[k] =
                    static_cast<unsigned char>(std::clamp(c[k], 0.0f, 255.0f));
            }
        }
    }
    return image;
}

}  // namespace bake
