#include "tools/bake/bake_steps.h"
#include "tools/bake/sound_source.h"

namespace bake {

namespace {

constexpr float FADE_SECONDS = 0.4f;

struct SoundBake {
    int container;
    const char* entry;  // inside the archive
    float maxSeconds;
    const char* use;
};

// Zone samples play once when the eye walks in; the background loops.
const SoundBake SOUNDS[] = {
    {30, "sound/ambience/jingle.ogg", 5.0f, "sound zone 1 (the fairy, F4), a chime"},
    {31, "sound/ambience/fire1.ogg", 6.0f,
     "sound zone 2 (F3, by the standing stone), a crackling fire"},
    {32, "sound/ambience/arcticwind.ogg", 6.0f, "sound zone 3 (F1), wind"},
    {33, "sound/ambience/water.ogg", 6.0f, "sound zone 4 (the smallest boulder), running water"},
    {34, "sound/ugv/diesel-idle.ogg", 5.0f, "sound zone 5 (the jeep), an idling diesel"},
    {35, "sound/ambience/cricket_loop.ogg", 30.0f, "background loop, crickets"},
};

}  // namespace

void BakeSounds(const SourceDirs& dirs, BakeOutput& out) {
    for (const SoundBake& s : SOUNDS) {
        const Pcm pcm = DecodeOggVorbis(ReadZipEntry(dirs.ufoaiSounds, s.entry));
        std::vector<std::int16_t> mono = MixToMono(pcm);
        CutWithFade(mono, pcm.rate, s.maxSeconds, FADE_SECONDS);
        WriteBinaryFile(out.Stage(s.container, "wav"), MonoWav(mono, pcm.rate));
        out.AddCredit({ContainerName(s.container), s.use, dirs.ufoaiSounds + " : " + s.entry,
                       "ufoai-sound", PackageLicence("ufoai-sound", std::string("base/") + s.entry),
                       ""});
    }
}

}  // namespace bake
