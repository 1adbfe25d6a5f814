#pragma once

#include <cstddef>
#include <cstdint>

// The pixel size the frame header of a JPEG file held in memory gives, read without decoding the
// image. False when the bytes do not begin with a JPEG header.
bool ReadJpegSize(const std::uint8_t* bytes, std::size_t size, unsigned& width, unsigned& height);
