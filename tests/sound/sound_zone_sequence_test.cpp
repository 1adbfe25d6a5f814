#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "math/camera.h"
#include "tests/sound/sound_fixture.h"

namespace {

// Where the eye stands when the demo starts.
gmtl::Vec3f StartUpEye() {
    Camera eye;
    eye.SetPerspective(60.0f, 4.0f / 3.0f, 1.0f, 350.0f);
    eye.SetView(20.0f, -135.0f, 160.0f);
    return eye.m_position;
}

struct Step {
    const char* what;
    gmtl::Vec3f eye;
    std::vector<int> zonesStarted;  // 1 to 5
};

const gmtl::Vec3f ZONE_2_CENTRE(-90.0f, 25.0f, -15.0f);
const gmtl::Vec3f ZONES_1_AND_3(15.0f, 22.0f, -62.5f);

const std::vector<Step> WALK = {
    {"the start-up position is outside every zone", StartUpEye(), {}},
    {"entering zone 2 starts its sample", ZONE_2_CENTRE, {2}},
    {"moving inside zone 2 starts nothing", {-80.0f, 25.0f, -10.0f}, {}},
    {"leaving zone 2", {-90.0f, 25.0f, 60.0f}, {}},
    {"entering zone 2 again starts nothing", ZONE_2_CENTRE, {}},
    {"entering zone 4 starts its sample", {72.0f, 8.5f, 5.0f}, {4}},
    {"back in zone 2 its sample starts again", ZONE_2_CENTRE, {2}},
    {"inside zones 1 and 3 both start", ZONES_1_AND_3, {1, 3}},
    {"and both start again on the next tick", ZONES_1_AND_3, {1, 3}},
    {"and on every tick after", ZONES_1_AND_3, {1, 3}},
    {"a point on zone 4's surface is inside", {92.0f, 8.5f, 5.0f}, {4}},
    {"a point on zone 5's surface off the axes is inside", {30.0f, 82.0f, 70.0f}, {5}},
};

using SoundZoneSequenceTest = SoundFixture;

TEST_F(SoundZoneSequenceTest, AZoneStartsWhenEnteredUnlessItsSampleWasTheLastStarted) {
    ASSERT_TRUE(InitSound(m_state));
    PlayLog log;
    for (const Step& step : WALK) {
        SCOPED_TRACE(step.what);
        CheckSoundZones(m_state, step.eye);
        std::vector<FSOUND_SAMPLE*> expected;
        for (int zone : step.zonesStarted)
            expected.push_back(m_state.m_soundZones[zone - 1].pSample);
        EXPECT_EQ(log.TakeSamples(), expected);
    }
}

}  // namespace
