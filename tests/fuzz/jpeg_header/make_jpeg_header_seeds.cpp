// Writes the seed corpus of the JPEG header fuzz target into SEED_DIR/jpeg_header: small images
// encoded by libjpeg in its several forms (baseline, progressive, arithmetic coding, restart
// markers, grey, CMYK, with comment and application markers), and headers that announce a size
// and stop right after the first scan's header, as a large image cut short would.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/fuzz/seed_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Form {
    const char* name;
    int width;
    int height;
    J_COLOR_SPACE space;
    int components;
    bool progressive;
    bool arithmetic;
    int restartRows;
    bool markers;
};

const Form FORMS[] = {
    {"baseline-rgb", 16, 8, JCS_RGB, 3, false, false, 0, false},
    {"grey-1x1", 1, 1, JCS_GRAYSCALE, 1, false, false, 0, false},
    {"progressive", 33, 17, JCS_RGB, 3, true, false, 0, false},
    {"arithmetic", 9, 40, JCS_RGB, 3, false, true, 0, false},
    {"progressive-arithmetic", 24, 24, JCS_GRAYSCALE, 1, true, true, 0, false},
    {"restarts", 64, 32, JCS_RGB, 3, false, false, 1, false},
    {"cmyk", 8, 8, JCS_CMYK, 4, false, false, 0, false},
    {"markers", 12, 5, JCS_RGB, 3, false, false, 0, true},
};

Bytes Encode(const Form& form) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(form.width);
    info.image_height = static_cast<JDIMENSION>(form.height);
    info.input_components = form.components;
    info.in_color_space = form.space;
    jpeg_set_defaults(&info);
    if (form.progressive)
        jpeg_simple_progression(&info);
    info.arith_code = form.arithmetic;
    info.restart_in_rows = form.restartRows;
    jpeg_start_compress(&info, TRUE);
    if (form.markers) {
        jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>("seed"), 4);
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>("Exif\0\0"), 6);
    }
    Bytes row(static_cast<std::size_t>(form.width * form.components));
    for (int y = 0; y < form.height; ++y) {
        for (std::size_t x = 0; x < row.size(); ++x)
            row[x] = static_cast<unsigned char>(x * 7 + static_cast<std::size_t>(y) * 13);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

// Where the first marker 0xFF code stands (its segment's length follows), or the end.
std::size_t MarkerAt(const Bytes& bytes, unsigned char code) {
    std::size_t at = 0;
    while (at + 4 <= bytes.size() && !(bytes[at] == 0xFF && bytes[at + 1] == code))
        ++at;
    return at;
}

// The image's header with the frame size set to width x height, cut after the scan header.
Bytes CutAfterScanHeader(Bytes bytes, unsigned width, unsigned height) {
    const std::size_t frame = MarkerAt(bytes, 0xC0);
    bytes[frame + 5] = static_cast<unsigned char>(height >> 8);
    bytes[frame + 6] = static_cast<unsigned char>(height);
    bytes[frame + 7] = static_cast<unsigned char>(width >> 8);
    bytes[frame + 8] = static_cast<unsigned char>(width);
    const std::size_t scan = MarkerAt(bytes, 0xDA);
    bytes.resize(scan + 2 + (bytes[scan + 2] << 8 | bytes[scan + 3]));
    return bytes;
}

void Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = SeedFolder(argc, argv, "jpeg_header");
    for (const Form& form : FORMS)
        Write(dir / form.name, Encode(form));
    const Bytes baseline = Encode(FORMS[0]);
    Write(dir / "header-4096x4096", CutAfterScanHeader(baseline, 4096, 4096));
    Write(dir / "header-65535x1", CutAfterScanHeader(baseline, 65535, 1));
    return EXIT_SUCCESS;
}
