#pragma once

#include <gtest/gtest.h>

#include <string>

#include "sound/sound.h"
#include "tests/sound/sound_test_files.h"

// A temporary working directory whose data folder holds the six sound containers (five zone
// tones, then the background tone), the dummy audio driver, and the sound state, shut down after
// each test.
class SoundFixture : public testing::Test {
  protected:
    static constexpr int ZONE_COUNT = 5;
    static constexpr int BACKGROUND = ZONE_COUNT;

    SoundFixture();
    void TearDown() override { ShutdownSound(m_state); }

    // The container of zone 0 to 4, or of the background (index 5).
    static std::string ContainerPath(int index);
    void WriteTone(int index, const Tone& tone);

    WorkingDirectory m_dir;
    SoundState m_state;
};
