#include "tests/scene/libjpeg_image.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <stdexcept>

std::vector<std::uint8_t> LibjpegImage(int width, int height, bool progressive) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(3 * static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        row[3 * x] = static_cast<JSAMPLE>(40 + x % 50);
        row[3 * x + 1] = 90;
        row[3 * x + 2] = 200;
    }
    JSAMPROW rows[1] = {row.data()};
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, rows, 1);
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::vector<std::uint8_t> RepeatLastScan(std::vector<std::uint8_t> jpeg, int times) {
    std::size_t lastScan = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xff && jpeg[i + 1] == 0xda)
            lastScan = i;
    }
    const std::size_t end = jpeg.size() - 2;
    if (lastScan == 0 || jpeg[end] != 0xff || jpeg[end + 1] != 0xd9)
        throw std::runtime_error("not a JPEG file with a scan and an end marker");
    const std::vector<std::uint8_t> scan(jpeg.begin() + lastScan, jpeg.begin() + end);
    for (int i = 0; i < times; ++i)
        jpeg.insert(jpeg.begin() + end, scan.begin(), scan.end());
    return jpeg;
}
