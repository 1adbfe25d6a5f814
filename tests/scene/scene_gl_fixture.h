#pragma once

#include <filesystem>
#include <string>

#include "tests/crypt/crypt_test_util.h"
#include "tests/platform/nv_gl_fixture.h"
#include "tests/scene/scene_data.h"

// A GL context and a fresh working directory for the scene loader, which reads
// ./data/ relative to it. Skips when there is no display.
class SceneGlTest : public NvGlTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the containers of data into ./data/.
    void WriteData(const SceneData& data) const;
    // The scratch files that exist in ./data/.
    static std::string ScratchFilesLeft();

  private:
    std::unique_ptr<TempDir> m_dir;
    std::filesystem::path m_previous;
};
