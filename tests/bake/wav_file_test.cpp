#include "tools/bake/wav_file.h"

#include <gtest/gtest.h>

#include "tools/bake/byte_io.h"

namespace bake {
namespace {

TEST(WavFile, MonoWavHeaderDescribes16BitMonoPcm) {
    const std::vector<std::uint8_t> wav = MonoWav({1, -2, 300}, 22050);
    const ByteReader in(wav);
    ASSERT_EQ(wav.size(), 44u + 6u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(in.I32(4), 36 + 6);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(in.I32(16), 16);
    EXPECT_EQ(in.U16(20), 1);  // PCM
    EXPECT_EQ(in.U16(22), 1);  // one channel
    EXPECT_EQ(in.I32(24), 22050);
    EXPECT_EQ(in.I32(28), 44100);
    EXPECT_EQ(in.U16(32), 2);
    EXPECT_EQ(in.U16(34), 16);
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(in.I32(40), 6);
    EXPECT_EQ(in.I16(44), 1);
    EXPECT_EQ(in.I16(46), -2);
    EXPECT_EQ(in.I16(48), 300);
}

TEST(WavFile, MixToMonoAveragesEachFrame) {
    const Pcm stereo{8000, 2, {100, 300, -32768, -32768, 32767, -32767}};
    EXPECT_EQ(MixToMono(stereo), (std::vector<std::int16_t>{200, -32768, 0}));
}

TEST(WavFile, CutWithFadeShortensLongSoundsOnlyAndEndsSilent) {
    std::vector<std::int16_t> shortSound(100, 1000);
    CutWithFade(shortSound, 100, 2.0f, 0.5f);
    EXPECT_EQ(shortSound, std::vector<std::int16_t>(100, 1000));

    std::vector<std::int16_t> longSound(1000, 1000);
    CutWithFade(longSound, 100, 3.0f, 0.5f);
    ASSERT_EQ(longSound.size(), 300u);
    EXPECT_EQ(longSound[249], 1000);  // before the fade
    EXPECT_EQ(longSound[299], 0);
    for (std::size_t i = 251; i < 300; ++i) {
        EXPECT_LE(longSound[i], longSound[i - 1]);
    }
}

}  // namespace
}  // namespace bake
