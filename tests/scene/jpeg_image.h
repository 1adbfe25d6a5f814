#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A JPEG file's bytes, written through DevIL: width x height pixels of one
// colour, with 3 channels or, for channels = 1, grey from the colour's red.
std::vector<uint8_t> JpegImage(int width, int height, int channels,
                               const std::array<uint8_t, 3>& colour);
