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
        {"a data chunk one byte longer than the file",
         [](Bytes& b) { Put(b, 40, static_cast<std::uint32_t>(b.size() - 43), 4); }, false},
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

// What the sound library holds once the samples are converted to 16-bit stereo at the output's
// rate, reckoned from the header: 4 bytes an output frame.
TEST(PcmWav, DecodedSizeFollowsTheFormatTheDataAndTheOutputRate) {
    const struct {
        const char* what;
        std::function<void(Bytes&)> change;
        int outputRate;
        std::uint64_t decoded;
    } cases[] = {
        {"16-bit mono 8000 Hz at 8000 Hz: twice the data", [](Bytes&) {}, 8000, 4 * 800},
        {"resampled to 48000 Hz: six times as many frames", [](Bytes&) {}, 48000, 4 * 4800},
        {"8-bit stereo: half the frames of the same bytes",
         [](Bytes& b) {
             Put(b, 22, 2, 2);
             Put(b, 34, 8, 2);
         },
         8000, 4 * 800},
        {"a data chunk claiming more than the file holds is refused",
         [](Bytes& b) { Put(b, 40, 0xffffffff, 4); }, 8000, 0},
        {"a data chunk claiming less counts its claim", [](Bytes& b) { Put(b, 40, 100, 4); }, 8000,
         4 * 50},
        {"a rate that does not divide evenly rounds up", [](Bytes& b) { Put(b, 24, 11025, 4); },
         8000, 4 * 581},
        {"no data chunk", [](Bytes& b) { b.resize(36); }, 8000, 0},
        {"not plain PCM", [](Bytes& b) { Put(b, 20, 3, 2); }, 8000, 0},
        {"no output", [](Bytes&) {}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = ToneWav({440.0, 0.1, 8000});
        c.change(bytes);
        EXPECT_EQ(DecodedPcmWavBytes(bytes.data(), bytes.size(), c.outputRate), c.decoded);
    }
}

}  // namespace
