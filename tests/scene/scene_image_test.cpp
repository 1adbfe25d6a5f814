#include "scene/scene_image.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/crypt/crypt_test_util.h"
#include "tests/scene/jpeg_image.h"
#include "tests/scene/libjpeg_image.h"

namespace {

namespace fs = std::filesystem;

// The image library's file reading, replaced through its own hooks: each time it opens a file
// by name, the file waiting in g_replacement is first renamed over that name, as another program
// racing with the loader could do between the loader's checks and the library's read.
std::string g_replacement;
int g_opens = 0;

ILHANDLE ILAPIENTRY OpenAfterSwap(ILconst_string name) {
    ++g_opens;
    if (!g_replacement.empty())
        fs::rename(g_replacement, name);
    return std::fopen(name, "rb");
}
void ILAPIENTRY Close(ILHANDLE file) {
    std::fclose(static_cast<FILE*>(file));
}
ILboolean ILAPIENTRY AtEnd(ILHANDLE file) {
    return std::feof(static_cast<FILE*>(file)) ? IL_TRUE : IL_FALSE;
}
ILint ILAPIENTRY GetByte(ILHANDLE file) {
    return std::fgetc(static_cast<FILE*>(file));
}
ILint ILAPIENTRY Read(void* buffer, ILuint size, ILuint count, ILHANDLE file) {
    return static_cast<ILint>(std::fread(buffer, size, count, static_cast<FILE*>(file)));
}
ILint ILAPIENTRY Seek(ILHANDLE file, ILint offset, ILint origin) {
    return std::fseek(static_cast<FILE*>(file), offset, origin);
}
ILint ILAPIENTRY Tell(ILHANDLE file) {
    return static_cast<ILint>(std::ftell(static_cast<FILE*>(file)));
}

// The file checked is the file decoded: a swap after the checks does not reach the decoder,
// which is handed the bytes that were checked and opens nothing itself.
TEST(SceneImage, DecodesTheBytesItCheckedWhateverHappensToThePathMeanwhile) {
    ilInit();
    TempDir dir;
    const std::string path = dir.Path("image.jpg");
    WriteBytes(path, JpegImage(8, 8, 3, {90, 140, 60}));
    g_replacement = dir.Path("replacement.jpg");
    WriteBytes(g_replacement, JpegImage(24, 16, 3, {200, 10, 10}));
    g_opens = 0;
    ilSetRead(OpenAfterSwap, Close, AtEnd, GetByte, Read, Seek, Tell);
    SceneImage image;
    const bool loaded = image.Load(path.c_str());
    ilResetRead();
    g_replacement.clear();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(image.Width(), 8);
    EXPECT_EQ(image.Height(), 8);
    EXPECT_EQ(g_opens, 0) << "the image library opened the file again after the checks";
}

// A progressive image is refused from its markers when it repeats scans beyond any encoder's
// script; the usual scripts load.
TEST(SceneImage, RefusesImagesOfMoreScansThanAnyEncoderWrites) {
    ilInit();
    const std::vector<std::uint8_t> progressive = LibjpegImage(64, 48, true);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool loaded;
        std::string refused;
    } cases[] = {
        {"baseline", LibjpegImage(64, 48, false), true, ""},
        {"progressive", progressive, true, ""},
        {"progressive, 100 scans", RepeatLastScan(progressive, 90), true, ""},
        {"progressive, 101 scans", RepeatLastScan(progressive, 91), false,
         "made of 101 scans, more than the 100 scans an image of the scene may have"},
        {"progressive, 3010 scans", RepeatLastScan(progressive, 3000), false,
         "made of 3010 scans, more than the 100 scans an image of the scene may have"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SceneImage image;
        EXPECT_EQ(image.Load(c.bytes.data(), c.bytes.size()), c.loaded);
        EXPECT_EQ(image.RefusedSize(), c.refused);
        if (c.loaded) {
            EXPECT_EQ(image.Width(), 64);
        }
    }
}

}  // namespace
