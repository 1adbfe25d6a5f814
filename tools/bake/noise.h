#pragma once

#include <cstdint>

namespace bake {

// Smooth value noise in about [-1, 1]: lattice values from a hash, blended with a quintic fade.
float ValueNoise(float x, float y, std::uint32_t seed);

// Smooth value noise over three dimensions, in about [-1, 1].
float ValueNoise3(float x, float y, float z, std::uint32_t seed);

// Fractal sum of `octaves` noise layers, each at twice the frequency and half the amplitude.
float FractalNoise(float x, float y, int octaves, std::uint32_t seed);

// Ramp from 0 at edge0 to 1 at edge1 with zero slope at both ends.
float SmoothStep(float edge0, float edge1, float x);

}  // namespace bake
