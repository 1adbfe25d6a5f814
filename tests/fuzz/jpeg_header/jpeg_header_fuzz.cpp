// Feeds arbitrary files to the checks a scene image passes before it is decoded: the scan count
// must come back for any bytes, and whatever ReadJpegSize accepts libjpeg's own header reader
// must accept too, with the same size.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>

#include "scene/jpeg_header.h"
#include "scene/jpeg_scans.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct HeaderSize {
    bool read = false;
    unsigned width = 0;
    unsigned height = 0;
};

struct Reference {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf fatal;
};

void Fatal(j_common_ptr info) {
    std::longjmp(static_cast<Reference*>(info->client_data)->fatal, 1);
}

void Silent(j_common_ptr) {}

// jpeg_read_header over the bytes; a fatal error of the library counts as not read.
HeaderSize LibjpegSize(const std::uint8_t* data, std::size_t size) {
    Reference reference;
    reference.info.err = jpeg_std_error(&reference.errors);
    reference.errors.error_exit = Fatal;
    reference.errors.output_message = Silent;
    HeaderSize result;
    reference.info.client_data = &reference;
    if (setjmp(reference.fatal) == 0) {
        jpeg_create_decompress(&reference.info);
        jpeg_mem_src(&reference.info, data, static_cast<unsigned long>(size));
        result.read = jpeg_read_header(&reference.info, TRUE) == JPEG_HEADER_OK;
        result.width = reference.info.image_width;
        result.height = reference.info.image_height;
    }
    jpeg_destroy_decompress(&reference.info);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CountJpegScans(data, size);
    HeaderSize checked;
    checked.read = ReadJpegSize(data, size, checked.width, checked.height);
    if (!checked.read) {
        return 0;
    }
    const HeaderSize reference = LibjpegSize(data, size);
    Require(reference.read);
    Require(checked.width == reference.width && checked.height == reference.height);
    return 0;
}
