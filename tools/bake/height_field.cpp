#include "tools/bake/height_field.h"

#include <algorithm>
#include <cmath>

#include "tools/bake/noise.h"

namespace bake {

namespace {

constexpr float FAR_LEVEL = 18.0f;        // ground height away from every object
constexpr float HILL_AMPLITUDE = 14.0f;   // height of the fractal hills
constexpr float HILL_WAVELENGTH = 90.0f;  // world units per noise lattice cell
constexpr float RIM_HEIGHT = 20.0f;       // extra height towards the terrain's edge
constexpr float QUIET_DISTANCE = 55.0f;   // the hills fade in over this distance from a pad

float Distance(const GroundPad& pad, float x, float z) {
    return std::hypot(x - pad.x, z - pad.z);
}

// Inverse-distance blend of the pads' heights, so that the ground slopes gently between them.
float PadLevel(const std::vector<GroundPad>& pads, float x, float z) {
    float weights = 1.0f / (120.0f * 120.0f);
    float sum = FAR_LEVEL * weights;
    for (const GroundPad& pad : pads) {
        const float d = std::max(Distance(pad, x, z) - pad.radius, 0.0f);
        const float w = 1.0f / (d * d + 25.0f);
        weights += w;
        sum += w * pad.height;
    }
    return sum / weights;
}

// 0 on a pad, rising to 1 away from every pad: how much of the hills shows.
float HillShare(const std::vector<GroundPad>& pads, float x, float z) {
    float share = 1.0f;
    for (const GroundPad& pad : pads) {
        share = std::min(share,
                         SmoothStep(pad.radius, pad.radius + QUIET_DISTANCE, Distance(pad, x, z)));
    }
    return share;
}

}  // namespace

HeightField::HeightField(int size)
    : m_size(size), m_heights(static_cast<std::size_t>(size) * size, 0.0f) {}

float HeightField::Sample(float x, float z) const {
    const float fc =
        std::clamp((x - TerrainGrid::X0) / TerrainGrid::STEP, 0.0f, static_cast<float>(m_size - 1));
    const float fr =
        std::clamp((TerrainGrid::Z0 - z) / TerrainGrid::STEP, 0.0f, static_cast<float>(m_size - 1));
    const int c = std::min(static_cast<int>(fc), m_size - 2);
    const int r = std::min(static_cast<int>(fr), m_size - 2);
    const float u = fc - c;
    const float v = fr - r;
    const float top = At(c, r) * (1 - u) + At(c + 1, r) * u;
    const float bottom = At(c, r + 1) * (1 - u) + At(c + 1, r + 1) * u;
    return top * (1 - v) + bottom * v;
}

HeightField RollingHills(int size, const std::vector<GroundPad>& pads, std::uint32_t seed) {
    HeightField field(size);
    const float rimStart = 0.6f * std::abs(TerrainGrid::X0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const float x = HeightField::WorldX(column);
            const float z = HeightField::WorldZ(row);
            const float hills =
                HILL_AMPLITUDE * FractalNoise(x / HILL_WAVELENGTH, z / HILL_WAVELENGTH, 5, seed);
            const float rim = RIM_HEIGHT * SmoothStep(rimStart, std::abs(TerrainGrid::X0),
                                                      std::max(std::abs(x), std::abs(z)));
            const float h = PadLevel(pads, x, z) + HillShare(pads, x, z) * (hills + rim);
            field.At(column, row) = std::clamp(h, 0.0f, TerrainGrid::MAX_HEIGHT);
        }
    }
    return field;
}

void FlattenPads(HeightField& field, const std::vector<GroundPad>& pads, float blend) {
    for (const GroundPad& pad : pads) {
        for (int row = 0; row < field.Size(); ++row) {
            for (int column = 0; column < field.Size(); ++column) {
                const float d =
                    Distance(pad, HeightField::WorldX(column), HeightField::WorldZ(row));
                const float keep = SmoothStep(pad.radius, pad.radius + blend, d);
                float& h = field.At(column, row);
                h = pad.height + (h - pad.height) * keep;
            }
        }
    }
}

Image HeightImage(const HeightField& field) {
    Image image(field.Size(), field.Size());
    for (int row = 0; row < field.Size(); ++row) {
        for (int column = 0; column < field.Size(); ++column) {
            const float level = std::round(field.At(column, row) / TerrainGrid::HEIGHT_SCALE);
            const auto grey = static_cast<unsigned char>(std::clamp(level, 0.0f, 255.0f));
            unsigned char* pixel = image.At(column, row);
            pixel[0] = pixel[1] = pixel[2] = grey;
        }
    }
    return image;
}

}  // namespace bake
