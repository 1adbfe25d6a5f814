#include "tools/bake/wav_file.h"

#include <algorithm>

#include "tools/bake/byte_io.h"

namespace bake {

std::vector<std::int16_t> MixToMono(const Pcm& pcm) {
    const std::size_t frames = pcm.samples.size() / static_cast<std::size_t>(pcm.channels);
    std::vector<std::int16_t> mono(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        int sum = 0;
        for (int c = 0; c < pcm.channels; ++c) {
            sum += pcm.samples[f * pcm.channels + c];
        }
        mono[f] = static_cast<std::int16_t>(sum / pcm.channels);
    }
    return mono;
}

void CutWithFade(std::vector<std::int16_t>& mono, int rate, float maxSeconds, float fadeSeconds) {
    const auto limit = static_cast<std::size_t>(maxSeconds * rate);
    if (mono.size() <= limit) {
        return;
    }
    mono.resize(limit);
    const std::size_t fade = std::min(limit, static_cast<std::size_t>(fadeSeconds * rate));
    for (std::size_t i = 0; i < fade; ++i) {
        const float gain = static_cast<float>(i) / static_cast<float>(fade);
        std::int16_t& sample = mono[limit - 1 - i];
        sample = static_cast<std::int16_t>(sample * gain);
    }
}

std::vector<std::uint8_t> MonoWav(const std::vector<std::int16_t>& mono, int rate) {
    const auto dataBytes = static_cast<std::int32_t>(mono.size() * 2);
    ByteWriter out;
    out.Text("RIFF", 4);
    out.I32(36 + dataBytes);
    out.Text("WAVE", 4);
    out.Text("fmt ", 4);
    out.I32(16);        // format chunk size
    out.U16(1);         // PCM
    out.U16(1);         // mono
    out.I32(rate);      // frames per second
    out.I32(rate * 2);  // bytes per second
    out.U16(2);         // bytes per frame
    out.U16(16);        // bits per sample
    out.Text("data", 4);
    out.I32(dataBytes);
    for (std::int16_t sample : mono) {
        out.I16(sample);
    }
    return out.Take();
}

}  // namespace bake
