#include "tools/bake/noise.h"

#include <algorithm>
#include <cmath>

namespace bake {

namespace {

float Lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x8da6b343u) ^
                      (static_cast<std::uint32_t>(y) * 0xd8163841u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xffffff) / static_cast<float>(0x7fffff) - 1.0f;
}

float Fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const float u = Fade(x - fx);
    const float v = Fade(y - fy);
    const float bottom = Lattice(ix, iy, seed) * (1 - u) + Lattice(ix + 1, iy, seed) * u;
    const float top = Lattice(ix, iy + 1, seed) * (1 - u) + Lattice(ix + 1, iy + 1, seed) * u;
    return bottom * (1 - v) + top * v;
}

float ValueNoise3(float x, float y, float z, std::uint32_t seed) {
    const float fz = std::floor(z);
    const auto iz = static_cast<std::uint32_t>(static_cast<std::int32_t>(fz));
    const float w = Fade(z - fz);
    const float near = ValueNoise(x, y, seed ^ (iz * 0x27d4eb2du));
    const float far = ValueNoise(x, y, seed ^ ((iz + 1u) * 0x27d4eb2du));
    return near * (1 - w) + far * w;
}

float FractalNoise(float x, float y, int octaves, std::uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 0.5f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<std::uint32_t>(o) * 101u);
        x *= 2.0f;
        y *= 2.0f;
        amplitude *= 0.5f;
    }
    return sum;
}

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace bake
