#include "platform/fsound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/sound/sound_test_files.h"

namespace {

constexpr int CHANNELS = 8;

// The sound library running on SDL's dummy driver, which plays in real time without output.
class FSoundTest : public testing::Test {
  protected:
    void SetUp() override {
        UseAudioDriver("dummy");
        ASSERT_TRUE(FSOUND_Init(8000, CHANNELS, 0));
    }
    void TearDown() override {
        for (FSOUND_SAMPLE* sample : m_samples)
            FSOUND_Sample_Free(sample);
        FSOUND_Close();
    }

    FSOUND_SAMPLE* Load(const Bytes& file, unsigned int mode = 0) {
        const std::string path = m_dir.Path("sample");
        WriteBytes(path, file);
        FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_UNMANAGED, path.c_str(), mode, 0, 0);
        if (sample != nullptr)
            m_samples.push_back(sample);
        return sample;
    }
    FSOUND_SAMPLE* LoadTone(double seconds, unsigned int mode = 0) {
        return Load(ToneWav({440.0, seconds, 11025}), mode);
    }

    TempDir m_dir;
    std::vector<FSOUND_SAMPLE*> m_samples;
};

TEST_F(FSoundTest, FreeChannelsAreTakenFromZeroUpAndAPausedChannelStaysTaken) {
    FSOUND_SAMPLE* sample = LoadTone(5.0);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), 0);
    EXPECT_TRUE(FSOUND_SetPaused(0, true));
    for (int channel = 1; channel < CHANNELS; ++channel)
        EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), channel);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
    EXPECT_FALSE(FSOUND_SetPaused(CHANNELS, true));
}

TEST_F(FSoundTest, OnlyALoopingSampleKeepsItsChannel) {
    FSOUND_SAMPLE* looping = LoadTone(0.1);
    FSOUND_SAMPLE* loopedAtLoad = LoadTone(0.1, FSOUND_LOOP_NORMAL);
    FSOUND_SAMPLE* once = LoadTone(0.1, FSOUND_LOOP_NORMAL);
    ASSERT_TRUE(FSOUND_Sample_SetMode(looping, FSOUND_LOOP_NORMAL));
    ASSERT_TRUE(FSOUND_Sample_SetMode(once, FSOUND_LOOP_OFF));

    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, looping), 0);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, loopedAtLoad), 1);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, once), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, once), 2);
}

TEST_F(FSoundTest, FreeingAPlayingSampleStopsItsChannel) {
    FSOUND_SAMPLE* first = LoadTone(5.0);
    FSOUND_SAMPLE* second = LoadTone(5.0);
    ASSERT_EQ(FSOUND_PlaySound(FSOUND_FREE, first), 0);
    FSOUND_Sample_Free(first);
    m_samples.erase(m_samples.begin());
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, second), 0);
}

// A decrypted container ends in up to 7 zero bytes of padding; the sample is read into memory,
// so its file may go at once.
TEST_F(FSoundTest, ASampleFileMayEndInPaddingAndGoRightAfterLoading) {
    Bytes padded = ToneWav({440.0, 0.5, 11025});
    padded.insert(padded.end(), 7, 0);
    FSOUND_SAMPLE* sample = Load(padded);
    ASSERT_NE(sample, nullptr);
    std::filesystem::remove(m_dir.Path("sample"));
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), 0);
}

TEST_F(FSoundTest, FilesThatHoldNoSoundGiveNoSample) {
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_UNMANAGED, m_dir.Path("missing").c_str(), 0, 0, 0),
              nullptr);
    EXPECT_EQ(Load(TestPattern(4000)), nullptr);
    Bytes cutInHeader = ToneWav({440.0, 0.5, 11025});
    cutInHeader.resize(20);
    EXPECT_EQ(Load(cutInHeader), nullptr);
}

TEST(FSoundLifecycleTest, TheLibraryRunsOnlyBetweenASuccessfulInitAndClose) {
    TempDir dir;
    const std::string path = dir.Path("tone.wav");
    WriteBytes(path, ToneWav({440.0, 0.5, 11025}));

    UseAudioDriver("nonexistent");
    EXPECT_FALSE(FSOUND_Init(8000, CHANNELS, 0));
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_UNMANAGED, path.c_str(), 0, 0, 0), nullptr);

    UseAudioDriver("dummy");
    ASSERT_TRUE(FSOUND_Init(8000, CHANNELS, 0));
    EXPECT_FALSE(FSOUND_Init(8000, CHANNELS, 0));
    EXPECT_FALSE(FSOUND_SetMemorySystem(nullptr, 0, nullptr, nullptr, nullptr));
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_UNMANAGED, path.c_str(), 0, 0, 0);
    EXPECT_NE(sample, nullptr);
    FSOUND_Close();

    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
    EXPECT_FALSE(FSOUND_SetPaused(0, true));
    FSOUND_Sample_Free(sample);
    EXPECT_TRUE(FSOUND_Init(8000, CHANNELS, 0));
    FSOUND_Close();
}

}  // namespace
