#include "sound/sound_sample_file.h"

#include <filesystem>
#include <system_error>

namespace {

// 16-bit signed mono samples; the file's own header decides the format.
constexpr unsigned int SAMPLE_MODE = FSOUND_16BITS | FSOUND_MONO | FSOUND_SIGNED | FSOUND_HW2D;

// Deletes the scratch file when the load is left by an error; Remove deletes it on the way out
// of a load that went through, and reports a failure.
class ScratchFile {
  public:
    explicit ScratchFile(const std::string& path) : m_path(path) {}
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }

    void Remove() { std::filesystem::remove(m_path); }

  private:
    std::filesystem::path m_path;
};

}  // namespace

SampleHandle LoadContainerSample(FileCrypt& cipher, const std::string& container,
                                 const std::string& scratch) {
    ScratchFile scratchFile(scratch);
    DecryptContainer(cipher, container, scratch);
    SampleHandle sample(FSOUND_Sample_Load(FSOUND_UNMANAGED, scratch.c_str(), SAMPLE_MODE, 0, 0));
    scratchFile.Remove();
    return sample;
}
