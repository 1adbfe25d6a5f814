#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/sound/sound_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The sound start-up asks for 8000 Hz; the disk driver writes 16-bit stereo frames at that rate.
constexpr double OUTPUT_RATE = 8000.0;
constexpr std::size_t FRAME_BYTES = 4;
constexpr double PI = 3.14159265358979323846;

constexpr double BACKGROUND_HZ = 440.0;
constexpr double ZONE_HZ = 1000.0;
constexpr auto ZONE_LENGTH = milliseconds(2000);

// Output written after settle has passed, for the next length. The settle time covers the
// mixer's buffer and the file's write buffer, so everything read was mixed after the call.
class DiskOutput {
  public:
    explicit DiskOutput(std::string path) : m_path(std::move(path)) {}

    std::vector<double> Next(milliseconds settle, milliseconds length) const {
        std::this_thread::sleep_for(settle);
        const std::uintmax_t from = Size();
        std::this_thread::sleep_for(length);
        return Read(from, Size());
    }

  private:
    std::uintmax_t Size() const {
        const std::uintmax_t size = std::filesystem::file_size(m_path);
        return size - size % FRAME_BYTES;
    }

    // Mono samples: the mean of each frame's two channels.
    std::vector<double> Read(std::uintmax_t from, std::uintmax_t to) const {
        std::ifstream file(m_path, std::ios::binary);
        file.seekg(static_cast<std::streamoff>(from));
        std::vector<std::int16_t> pcm((to - from) / 2);
        file.read(reinterpret_cast<char*>(pcm.data()), static_cast<std::streamsize>(to - from));
        std::vector<double> mono;
        for (std::size_t i = 0; i + 1 < pcm.size(); i += 2)
            mono.push_back((pcm[i] + pcm[i + 1]) / 2.0);
        return mono;
    }

    std::string m_path;
};

// Amplitude of one frequency in the samples (Goertzel).
double ToneLevel(const std::vector<double>& samples, double frequency) {
    const double coefficient = 2.0 * std::cos(2.0 * PI * frequency / OUTPUT_RATE);
    double s1 = 0.0;
    double s2 = 0.0;
    for (double x : samples) {
        const double s = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(samples.size());
}

double Rms(const std::vector<double>& samples) {
    double sum = 0.0;
    for (double x : samples)
        sum += x * x;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

constexpr double HEARD = 0.4 * TONE_AMPLITUDE;
constexpr double SILENT = 0.01 * TONE_AMPLITUDE;
constexpr std::size_t ENOUGH_SAMPLES = 2000;

// Sound through SDL's disk driver: the mixed output lands in a raw file as it plays.
class DiskAudioTest : public SoundFixture {
  protected:
    DiskAudioTest() : m_output(m_dir.Path("mixed.raw")) {
        ::setenv("SDL_DISKAUDIOFILE", m_dir.Path("mixed.raw").c_str(), 1);
        UseAudioDriver("disk");
        WriteTone(1, {ZONE_HZ, std::chrono::duration<double>(ZONE_LENGTH).count(), 11025});
    }

    DiskOutput m_output;
};

TEST_F(DiskAudioTest, PausingStopsTheBackgroundLoopButNotAZoneSampleAlreadyPlaying) {
    ASSERT_TRUE(InitSound(m_state));
    const std::vector<double> looping = m_output.Next(milliseconds(500), milliseconds(600));
    ASSERT_GT(looping.size(), ENOUGH_SAMPLES);
    EXPECT_GT(ToneLevel(looping, BACKGROUND_HZ), HEARD) << "background loop";

    CheckSoundZones(m_state, gmtl::Vec3f(-90.0f, 25.0f, -15.0f));
    const Clock::time_point zoneStarted = Clock::now();
    SetSoundPaused(true);
    const std::vector<double> zone = m_output.Next(milliseconds(500), milliseconds(600));
    ASSERT_GT(zone.size(), ENOUGH_SAMPLES);
    EXPECT_GT(ToneLevel(zone, ZONE_HZ), HEARD) << "zone sample plays on";
    EXPECT_LT(ToneLevel(zone, BACKGROUND_HZ), SILENT) << "background paused";

    std::this_thread::sleep_until(zoneStarted + ZONE_LENGTH);
    const std::vector<double> paused = m_output.Next(milliseconds(500), milliseconds(500));
    ASSERT_GT(paused.size(), ENOUGH_SAMPLES);
    EXPECT_LT(Rms(paused), SILENT) << "zone sample over, background still paused";

    SetSoundPaused(false);
    const std::vector<double> resumed = m_output.Next(milliseconds(500), milliseconds(500));
    ASSERT_GT(resumed.size(), ENOUGH_SAMPLES);
    EXPECT_GT(ToneLevel(resumed, BACKGROUND_HZ), HEARD) << "background resumed";
}

}  // namespace
