#include "scene/jpeg_scans.h"

namespace {

constexpr std::uint8_t MARKER = 0xff;
constexpr std::uint8_t START_OF_IMAGE = 0xd8;
constexpr std::uint8_t END_OF_IMAGE = 0xd9;
constexpr std::uint8_t START_OF_SCAN = 0xda;
constexpr std::uint8_t TEMPORARY = 0x01;

// Markers that stand alone, without a length: restarts and TEM.
bool StandsAlone(std::uint8_t code) {
    return code == TEMPORARY || (code >= 0xd0 && code <= 0xd7);
}

// Where the marker at or after at starts (its 0xff), skipping entropy-coded bytes: within them a
// 0xff is followed by a stuffed zero or a restart code, and fill bytes may repeat 0xff.
std::size_t NextMarker(const std::uint8_t* bytes, std::size_t size, std::size_t at) {
    while (at + 1 < size) {
        if (bytes[at] != MARKER) {
            ++at;
            continue;
        }
        const std::uint8_t next = bytes[at + 1];
        if (next == MARKER) {
            ++at;
        } else if (next == 0 || StandsAlone(next)) {
            at += 2;
        } else {
            return at;
        }
    }
    return size;
}

}  // namespace

std::size_t CountJpegScans(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2 || bytes[0] != MARKER || bytes[1] != START_OF_IMAGE)
        return 0;
    std::size_t scans = 0;
    for (std::size_t at = NextMarker(bytes, size, 2); at + 3 < size;
         at = NextMarker(bytes, size, at)) {
        const std::uint8_t code = bytes[at + 1];
        if (code == END_OF_IMAGE)
            break;
        scans += code == START_OF_SCAN;
        at += 2 + (std::size_t{bytes[at + 2]} << 8 | bytes[at + 3]);
    }
    return scans;
}
