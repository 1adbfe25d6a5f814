// Loading a sound from its container: the budget on the decoded sound, and that the bytes checked
// are the bytes decoded.
#include "sound/sound_sample_file.h"

#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "crypt/blowfish.h"
#include "platform/fsound_library.h"
#include "tests/sound/sound_test_files.h"

namespace {

// Called with the name of every file SDL is asked to open while set.
std::function<void(const std::string&)> g_onOpen;

}  // namespace

// Every file the sound library opens by name passes here first, as a tracer would see it.
extern "C" SDL_RWops* SDL_RWFromFile(const char* file, const char* mode) {
    using Open = SDL_RWops* (*)(const char*, const char*);
    static const Open real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "SDL_RWFromFile"));
    if (g_onOpen)
        g_onOpen(file);
    return real(file, mode);
}

namespace {

// The sound library running at the demo's rate of 8000 Hz, and a working folder for containers.
class SampleFileTest : public testing::Test {
  protected:
    void SetUp() override {
        UseAudioDriver("dummy");
        ASSERT_TRUE(FSOUND_Init(8000, 8, 0));
        m_cipher.Initialize("r&e&v&o", 7, BlowfishBlock{0, 0}, CBlowfish::MODE_ECB, 0);
    }
    void TearDown() override {
        g_onOpen = nullptr;
        FSOUND_Close();
    }
    SampleHandle Load(const Bytes& wav) {
        WriteContainer("./data/T035.dat", wav);
        return LoadContainerSample(m_cipher, "./data/T035.dat");
    }

    WorkingDirectory m_dir;
    CBlowfish m_cipher;
};

// At 8000 Hz, a 16-bit mono tone of 8000 Hz doubles in size (it becomes stereo): 4 Mi frames
// take 16 MiB decoded, the whole budget.
TEST_F(SampleFileTest, ASoundIsRefusedFromItsHeaderWhenItWouldDecodeBeyondTheBudget) {
    const double budgetSeconds = (MAX_DECODED_SOUND_BYTES / 4) / 8000.0;
    const struct {
        const char* what;
        Bytes wav;
        bool loaded;
    } cases[] = {
        {"a tone that fills the budget", ToneWav({440.0, budgetSeconds, 8000}), true},
        {"a frame more", ToneWav({440.0, budgetSeconds + 1.0 / 8000, 8000}), false},
        // The library would set aside what the chunk claims before reading it.
        {"a short tone whose data chunk claims 4 GiB",
         [] {
             Bytes wav = ToneWav({440.0, 0.1, 8000});
             for (int i = 40; i < 44; ++i)
                 wav[i] = 0xff;
             return wav;
         }(),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Load(c.wav) != nullptr, c.loaded);
    }
}

// Whatever replaces the scratch file once it has been checked is never decoded: the library is
// handed the checked bytes and opens no file.
TEST_F(SampleFileTest, TheCheckedBytesAreTheDecodedBytes) {
    const Bytes checked = ToneWav({440.0, 0.1, 8000});
    const Bytes swapped = ToneWav({440.0, 2.0, 8000});
    int opens = 0;
    g_onOpen = [&](const std::string& file) {
        ++opens;
        WriteBytes(file + ".new", swapped);
        std::filesystem::rename(file + ".new", file);
    };
    const SampleHandle sample = Load(checked);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(opens, 0);
    EXPECT_LT(sample->pChunk->alen, 0.5 * 2.0 * 8000 * 4);
    EXPECT_TRUE(m_dir.DataFiles() == std::vector<std::string>{"T035.dat"});
}

}  // namespace
