#include "scene/jpeg_scans.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/scene/libjpeg_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::size_t Scans(const Bytes& bytes) {
    return CountJpegScans(bytes.data(), bytes.size());
}

// The bytes up to a little after the start of the scan-th scan.
Bytes CutInsideScan(const Bytes& jpeg, int scan) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xff && jpeg[i + 1] == 0xda && --scan == 0)
            return Bytes(jpeg.begin(), jpeg.begin() + i + 20);
    }
    return jpeg;
}

// Entropy-coded data full of 0xff bytes (stuffed zeros, restarts) is not read as markers; a
// repeated scan counts each time; what follows the end-of-image marker is not part of the image.
TEST(JpegScans, CountsTheScansTheDecoderWouldDecode) {
    const Bytes baseline = LibjpegImage(64, 48, false);
    const Bytes progressive = LibjpegImage(64, 48, true);
    Bytes trailing = progressive;
    const Bytes extraScan = {0xff, 0xda, 0x00, 0x02, 0xff, 0xd9};
    trailing.insert(trailing.end(), extraScan.begin(), extraScan.end());
    const struct {
        const char* what;
        Bytes bytes;
        std::size_t scans;
    } cases[] = {
        {"baseline", baseline, 1},
        {"progressive", progressive, 10},
        {"progressive with its last scan repeated 500 times", RepeatLastScan(progressive, 500),
         510},
        {"a scan after the end of the image", trailing, 10},
        {"cut inside the third scan", CutInsideScan(progressive, 3), 3},
        {"not a JPEG", Bytes{'R', 'I', 'F', 'F', 0xff, 0xda, 0, 2}, 0},
        {"empty", Bytes{}, 0},
        {"only a start marker", Bytes{0xff, 0xd8}, 0},
        {"a segment length running past the end", Bytes{0xff, 0xd8, 0xff, 0xe0, 0xff, 0xff}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Scans(c.bytes), c.scans);
    }
}

}  // namespace
