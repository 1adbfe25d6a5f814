// Which sound files are handed to the sound library: plain PCM WAVE only, whatever else the
// library would decode.
#include "sound/pcm_wav.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "tests/sound/sound_test_files.h"

namespace {

void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A canonical header: "fmt " at 12 (tag 20, channels 22, rate 24, bits 34), "data" at 36.
TEST(PcmWav, OnlyPlainPcmWaveFilesPass) {
    const struct {
        const char* what;
        std::function<void(Bytes&)> change;
        bool plain;
    } cases[] = {
        {"16-bit mono at 11025 Hz", [](Bytes&) {}, true},
        {"8-bit stereo at 48000 Hz",
         [](Bytes& b) {
             Put(b, 22, 2, 2);
             Put(b, 24, 48000, 4);
             Put(b, 34, 8, 2);
         },
         true},
        {"a LIST chunk of odd size before the format",
         [](Bytes& b) {
             const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
             b.insert(b.begin() + 12, list.begin(), list.end());
         },
         true},
        {"8 samples a second", [](Bytes& b) { Put(b, 24, 8, 4); }, false},
        {"96000 samples a second", [](Bytes& b) { Put(b, 24, 96000, 4); }, false},
        {"floating-point samples", [](Bytes& b) { Put(b, 20, 3, 2); }, false},
        {"three channels", [](Bytes& b) { Put(b, 22, 3, 2); }, false},
        {"24-bit samples", [](Bytes& b) { Put(b, 34, 24, 2); }, false},
        {"a format chunk shorter than its fields", [](Bytes& b) { Put(b, 16, 8, 4); }, false},
        {"a format chunk longer than the file", [](Bytes& b) { Put(b, 16, 0xfffffff0, 4); }, false},
        {"a data chunk longer than the file", [](Bytes& b) { Put(b, 40, 0x80bb0001, 4); }, false},
        {"no data chunk", [](Bytes& b) { b.resize(36); }, false},
        {"cut inside the format chunk", [](Bytes& b) { b.resize(30); }, false},
        {"the data before the format",
         [](Bytes& b) {
             const Bytes data = {'d', 'a', 't', 'a', 0, 0, 0, 0};
             b.insert(b.begin() + 12, data.begin(), data.end());
         },
         false},
        {"a FLAC stream", [](Bytes& b) { b = {'f', 'L', 'a', 'C', 0, 0, 0, 34, 0, 0, 0, 0}; },
         false},
        {"a chunk size that leads past the end",
         [](Bytes& b) {
             const Bytes junk = {'J', 'U', 'N', 'K', 0xff, 0xff, 0xff, 0xff};
             b.insert(b.begin() + 12, junk.begin(), junk.end());
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = ToneWav({440.0, 0.01, 11025});
        c.change(bytes);
        EXPECT_EQ(IsPlainPcmWav(bytes.data(), bytes.size()), c.plain);
    }
}

// Only the start of a file is read; the data chunk must still end inside the file.
TEST(PcmWav, TheStartOfAFileIsJudgedWithTheFileSize) {
    const Bytes bytes = ToneWav({440.0, 0.01, 11025});
    EXPECT_TRUE(IsPlainPcmWav(bytes.data(), 44, bytes.size()));
    EXPECT_FALSE(IsPlainPcmWav(bytes.data(), 44, bytes.size() - 1));
}

}  // namespace
