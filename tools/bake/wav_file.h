#pragma once

#include <cstdint>
#include <vector>

namespace bake {

// Decoded sound: interleaved 16-bit samples.
struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
};

// The average of each frame's channels.
std::vector<std::int16_t> MixToMono(const Pcm& pcm);

// Cuts a mono sound to at most maxSeconds; a sound that was cut fades out over its last
// fadeSeconds so that it ends without a click.
void CutWithFade(std::vector<std::int16_t>& mono, int rate, float maxSeconds, float fadeSeconds);

// A RIFF WAVE file of 16-bit mono PCM.
std::vector<std::uint8_t> MonoWav(const std::vector<std::int16_t>& mono, int rate);

}  // namespace bake
