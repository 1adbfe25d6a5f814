#include "tests/support/screen_text.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

constexpr int SCALE = 3;

// The region as a binary PGM image, dark text on white, SCALE times larger.
std::string InvertedPgm(const Picture& picture, int left, int top, int right, int bottom) {
    const int w = std::max(0, right - left) * SCALE;
    const int h = std::max(0, bottom - top) * SCALE;
    std::string image = "P5\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image += char(255 - Brightness(picture.At(left + x / SCALE, top + y / SCALE)) / 3);
    }
    return image;
}

}  // namespace

std::string ReadText(const Picture& picture, int left, int top, int right, int bottom) {
    char path[] = "/tmp/kvx-ocr-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return "";
    close(fd);
    std::ofstream(path, std::ios::binary) << InvertedPgm(picture, left, top, right, bottom);
    const ProgramRun run = RunProgram("/usr/bin/tesseract", {path, "stdout", "--psm", "6"}, "/");
    unlink(path);
    return run.exitCode == 0 ? run.out : "";
}
