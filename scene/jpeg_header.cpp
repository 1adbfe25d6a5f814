#include "scene/jpeg_header.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>

namespace {

// The library reports a fatal error by calling error_exit, which must not return: jump back out
// of the read, quietly.
struct QuietErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<QuietErrors*>(info->err)->jump, 1);
}

void Ignore(j_common_ptr) {}

}  // namespace

bool ReadJpegSize(const std::uint8_t* bytes, std::size_t size, unsigned& width, unsigned& height) {
    jpeg_decompress_struct info;
    QuietErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpOut;
    errors.manager.output_message = Ignore;
    volatile bool read = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
        read = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
        width = info.image_width;
        height = info.image_height;
    }
    jpeg_destroy_decompress(&info);
    return read;
}
