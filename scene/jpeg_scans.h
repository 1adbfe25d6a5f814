#pragma once

#include <cstddef>
#include <cstdint>

// How many scans (start-of-scan markers) a JPEG file held in memory has before its end-of-image
// marker, counted from the markers alone. A progressive image is decoded scan by scan, each scan
// going over every coefficient of the image again, so the count bounds the decoding work where
// the pixel count alone does not: a small file can repeat scans by the thousand. Zero when the
// bytes do not start as a JPEG file.
std::size_t CountJpegScans(const std::uint8_t* bytes, std::size_t size);
