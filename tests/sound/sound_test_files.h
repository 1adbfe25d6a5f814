#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fsound.h"
#include "tests/crypt/crypt_test_util.h"

// A sine tone as a 16-bit mono WAV file at half of full scale.
struct Tone {
    double frequency;
    double seconds;
    int rate;
};
constexpr double TONE_AMPLITUDE = 16384.0;
Bytes ToneWav(const Tone& tone);

// Encrypts plain into a container at path the way the demo's containers are made, with the
// given key.
void WriteContainer(const std::string& path, const Bytes& plain,
                    const std::string& key = "r&e&v&o");

// Selects SDL's audio driver for the next FSOUND_Init.
void UseAudioDriver(const char* name);

// A temporary working directory with an empty data folder, current while the object lives.
class WorkingDirectory {
  public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    std::string Path(const std::string& name) const { return m_dir.Path(name); }
    // Names of the files in the data folder, sorted.
    std::vector<std::string> DataFiles() const;

  private:
    TempDir m_dir;
    std::filesystem::path m_previous;
};

// Every FSOUND_PlaySound while the object lives: which sample, on which channel.
struct PlayEvent {
    FSOUND_SAMPLE* pSample;
    int iChannel;
    bool operator==(const PlayEvent& other) const {
        return pSample == other.pSample && iChannel == other.iChannel;
    }
};

class PlayLog {
  public:
    PlayLog();
    ~PlayLog();
    PlayLog(const PlayLog&) = delete;
    PlayLog& operator=(const PlayLog&) = delete;

    // The events since the last call.
    std::vector<PlayEvent> Take();
    // The samples started since the last call, in order.
    std::vector<FSOUND_SAMPLE*> TakeSamples();

  private:
    std::vector<PlayEvent> m_events;
};
