#pragma once

#include <cstdint>
#include <vector>

// A JPEG file of width x height blue pixels written by libjpeg: one scan, or with progressive
// its usual progressive script (ten scans for colour).
std::vector<std::uint8_t> LibjpegImage(int width, int height, bool progressive);

// The JPEG with its last scan (marker, header and entropy-coded data) repeated times more
// before the end-of-image marker: the decoder warns about the odd progression but decodes
// every repeat, going over the whole image each time.
std::vector<std::uint8_t> RepeatLastScan(std::vector<std::uint8_t> jpeg, int times);
