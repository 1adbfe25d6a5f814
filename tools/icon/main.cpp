// kvx-icon SIZE FILE: writes the logo as a square PNG icon of SIZE x SIZE pixels with a
// transparent surround, for the desktop's icon theme.
#include <IL/il.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/logo_icon.h"

namespace {

constexpr int MIN_SIZE = 16;
constexpr int MAX_SIZE = 1024;

// DevIL's images start with the bottom row.
std::vector<unsigned char> BottomUp(const std::vector<unsigned char>& rows, int size) {
    const std::size_t row = static_cast<std::size_t>(size) * 4;
    std::vector<unsigned char> flipped(rows.size());
    for (int y = 0; y < size; ++y)
        std::copy_n(&rows[y * row], row, &flipped[(size - 1 - y) * row]);
    return flipped;
}

bool SavePngIcon(int size, const std::string& path) {
    std::vector<unsigned char> pixels = BottomUp(LogoIconPixels(size), size);
    ilInit();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    ilTexImage(size, size, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSave(IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &name);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < MIN_SIZE || size > MAX_SIZE) {
        std::fprintf(stderr, "Usage: kvx-icon SIZE FILE (SIZE from %d to %d)\n", MIN_SIZE,
                     MAX_SIZE);
        return 2;
    }
    if (!SavePngIcon(size, argv[2])) {
        std::fprintf(stderr, "kvx-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
