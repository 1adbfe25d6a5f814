#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/sound/sound_fixture.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

struct ZoneSphere {
    float fX;
    float fY;
    float fZ;
    float fRadius;
};

const ZoneSphere ZONE_SPHERES[] = {
    {50.0f, 24.0f, -60.0f, 40.0f}, {-90.0f, 25.0f, -15.0f, 50.0f}, {-10.0f, 20.0f, -65.0f, 30.0f},
    {72.0f, 8.5f, 5.0f, 20.0f},    {0.0f, 42.0f, 70.0f, 50.0f},
};

void ExpectSphere(const SoundZone& zone, const ZoneSphere& sphere) {
    EXPECT_EQ(zone.fX, sphere.fX);
    EXPECT_EQ(zone.fY, sphere.fY);
    EXPECT_EQ(zone.fZ, sphere.fZ);
    EXPECT_EQ(zone.fRadius, sphere.fRadius);
}

std::vector<std::string> ContainerNames() {
    return {"T030.dat", "T031.dat", "T032.dat", "T033.dat", "T034.dat", "T035.dat"};
}

using InitSoundTest = SoundFixture;

TEST_F(InitSoundTest, LoadsTheFiveZonesInOrderAndLoopsTheBackgroundOnChannelZero) {
    PlayLog log;
    ASSERT_TRUE(InitSound(m_state));

    ASSERT_EQ(m_state.m_soundZones.size(), 5u);
    std::set<FSOUND_SAMPLE*> samples{m_state.m_hBackgroundSample};
    for (int i = 0; i < ZONE_COUNT; ++i) {
        SCOPED_TRACE(i);
        ExpectSphere(m_state.m_soundZones[i], ZONE_SPHERES[i]);
        samples.insert(m_state.m_soundZones[i].pSample);
    }
    EXPECT_EQ(samples.size(), 6u);
    EXPECT_EQ(samples.count(nullptr), 0u);
    EXPECT_THAT(log.Take(), ElementsAre(PlayEvent{m_state.m_hBackgroundSample, 0}));
    EXPECT_EQ(m_dir.DataFiles(), ContainerNames());
}

TEST_F(InitSoundTest, NoAudioDeviceMeansNoSound) {
    UseAudioDriver("nonexistent");
    PlayLog log;
    EXPECT_FALSE(InitSound(m_state));
    EXPECT_THAT(m_state.m_soundZones, IsEmpty());
    EXPECT_EQ(m_state.m_hBackgroundSample, nullptr);
    EXPECT_THAT(log.Take(), IsEmpty());
    EXPECT_EQ(m_dir.DataFiles(), ContainerNames());
}

enum class Damage { MISSING, OTHER_KEY, CUT_SHORT, NOT_SOUND };

struct StartFailure {
    const char* name;
    int container;
    Damage damage;
    std::size_t zonesListed;
    const char* message;
};

void PrintTo(const StartFailure& failure, std::ostream* out) {
    *out << failure.name;
}

void Apply(Damage damage, const std::string& path) {
    switch (damage) {
        case Damage::MISSING:
            std::filesystem::remove(path);
            break;
        case Damage::OTHER_KEY:
            WriteContainer(path, ToneWav({500.0, 0.3, 11025}), "another");
            break;
        case Damage::CUT_SHORT:
            std::filesystem::resize_file(path, std::filesystem::file_size(path) - 3);
            break;
        case Damage::NOT_SOUND:
            WriteContainer(path, TestPattern(5000));
            break;
    }
}

class InitSoundFailureTest : public SoundFixture,
                             public testing::WithParamInterface<StartFailure> {};

// Sound start-up stops at the damaged container: the zones before it stay listed, but their
// samples are released, no scratch file is left, nothing plays, and the library is closed so
// that a later start-up works.
TEST_P(InitSoundFailureTest, StopsWithTheZonesBeforeItAndReleasesEverything) {
    const StartFailure& failure = GetParam();
    Apply(failure.damage, ContainerPath(failure.container));
    PlayLog log;

    testing::internal::CaptureStderr();
    EXPECT_FALSE(InitSound(m_state));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr(failure.message));

    ASSERT_EQ(m_state.m_soundZones.size(), failure.zonesListed);
    for (std::size_t i = 0; i < failure.zonesListed; ++i) {
        ExpectSphere(m_state.m_soundZones[i], ZONE_SPHERES[i]);
        EXPECT_EQ(m_state.m_soundZones[i].pSample, nullptr);
    }
    EXPECT_EQ(m_state.m_hBackgroundSample, nullptr);
    EXPECT_FALSE(m_state.m_pMemoryBlock);
    EXPECT_THAT(m_dir.DataFiles(), testing::Not(Contains("temp0")));
    EXPECT_THAT(log.Take(), IsEmpty());

    WriteTone(failure.container, {600.0, 0.3, 11025});
    SoundState again;
    EXPECT_TRUE(InitSound(again));
    ShutdownSound(again);
}

const StartFailure START_FAILURES[] = {
    {"FourthContainerMissing", 3, Damage::MISSING, 3,
     "FileCrypt ERROR: Cannot open File ./data/T033.dat!"},
    {"FourthContainerUnderAnotherKey", 3, Damage::OTHER_KEY, 3,
     "FileCrypt ERROR: File ./data/T033.dat cannot be Correctly Decrypted!"},
    {"FourthContainerCutShort", 3, Damage::CUT_SHORT, 3,
     "FileCrypt ERROR: File ./data/T033.dat is Truncated or has Bytes Appended"},
    {"FourthSampleUndecodable", 3, Damage::NOT_SOUND, 3, ""},
    {"FirstSampleUndecodable", 0, Damage::NOT_SOUND, 0, ""},
    {"BackgroundContainerMissing", 5, Damage::MISSING, 5,
     "FileCrypt ERROR: Cannot open File ./data/T035.dat!"},
};

INSTANTIATE_TEST_SUITE_P(Containers, InitSoundFailureTest, testing::ValuesIn(START_FAILURES),
                         [](const testing::TestParamInfo<StartFailure>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
