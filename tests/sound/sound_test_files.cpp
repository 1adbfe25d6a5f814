#include "tests/sound/sound_test_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "crypt/blowfish.h"
#include "platform/fsound_observer.h"

namespace {

constexpr double PI = 3.14159265358979323846;

void PutLittleEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(Bytes& out, const char* text) {
    out.insert(out.end(), text, text + 4);
}

Bytes WavHeader(int rate, std::uint32_t dataBytes) {
    Bytes out;
    PutText(out, "RIFF");
    PutLittleEndian(out, 36 + dataBytes, 4);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 1, 2);  // mono
    PutLittleEndian(out, static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(rate) * 2, 4);
    PutLittleEndian(out, 2, 2);
    PutLittleEndian(out, 16, 2);
    PutText(out, "data");
    PutLittleEndian(out, dataBytes, 4);
    return out;
}

}  // namespace

Bytes ToneWav(const Tone& tone) {
    const auto frames = static_cast<std::uint32_t>(std::lround(tone.seconds * tone.rate));
    Bytes out = WavHeader(tone.rate, frames * 2);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double phase = 2.0 * PI * tone.frequency * i / tone.rate;
        const auto sample =
            static_cast<std::int16_t>(std::lround(TONE_AMPLITUDE * std::sin(phase)));
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

void WriteContainer(const std::string& path, const Bytes& plain, const std::string& key) {
    const std::string plainPath = path + ".plain";
    WriteBytes(plainPath, plain);
    CBlowfish cipher;
    cipher.Initialize(key.data(), static_cast<std::int32_t>(key.size()), BlowfishBlock{0, 0},
                      CBlowfish::MODE_ECB, 0);
    cipher.EncryptFile(plainPath, path);
    std::filesystem::remove(plainPath);
}

void UseAudioDriver(const char* name) {
    ::setenv("SDL_AUDIODRIVER", name, 1);
}

WorkingDirectory::WorkingDirectory() : m_previous(std::filesystem::current_path()) {
    std::filesystem::create_directory(m_dir.Path("data"));
    std::filesystem::current_path(m_dir.Path(""));
}

WorkingDirectory::~WorkingDirectory() {
    std::filesystem::current_path(m_previous);
}

std::vector<std::string> WorkingDirectory::DataFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path("data")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

PlayLog::PlayLog() {
    SetFSoundPlayObserver([this](FSOUND_SAMPLE* sample, int channel) {
        m_events.push_back({sample, channel});
    });
}

PlayLog::~PlayLog() {
    SetFSoundPlayObserver({});
}

std::vector<PlayEvent> PlayLog::Take() {
    std::vector<PlayEvent> events;
    events.swap(m_events);
    return events;
}

std::vector<FSOUND_SAMPLE*> PlayLog::TakeSamples() {
    std::vector<FSOUND_SAMPLE*> samples;
    for (const PlayEvent& event : Take())
        samples.push_back(event.pSample);
    return samples;
}
