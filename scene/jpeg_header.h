#pragma once

#include <cstddef>
#include <cstdint>

// The pixel size a JPEG file's frame header gives, read without decoding the image. False when
// the file cannot be opened or its header is not a JPEG header.
bool ReadJpegSize(const char* path, unsigned& width, unsigned& height);

// The same for a JPEG file held in memory.
bool ReadJpegSize(const std::uint8_t* bytes, std::size_t size, unsigned& width, unsigned& height);
