#include "tests/sound/sound_fixture.h"

#include <cstdio>

SoundFixture::SoundFixture() {
    UseAudioDriver("dummy");
    for (int zone = 0; zone < ZONE_COUNT; ++zone)
        WriteTone(zone, {300.0 + 100.0 * zone, 0.3, 11025});
    WriteTone(BACKGROUND, {440.0, 0.25, 8000});
}

std::string SoundFixture::ContainerPath(int index) {
    char name[32];
    std::snprintf(name, sizeof(name), "./data/T%03d.dat", 30 + index);
    return name;
}

void SoundFixture::WriteTone(int index, const Tone& tone) {
    WriteContainer(ContainerPath(index), ToneWav(tone));
}
