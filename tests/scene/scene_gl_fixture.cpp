#include "tests/scene/scene_gl_fixture.h"

#include "crypt/scratch_files.h"

void SceneGlTest::SetUp() {
    NvGlTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_dir = std::make_unique<TempDir>();
    m_previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir->Path(""));
}

void SceneGlTest::TearDown() {
    if (m_dir != nullptr) {
        std::filesystem::current_path(m_previous);
        m_dir.reset();
    }
    NvGlTest::TearDown();
}

void SceneGlTest::WriteData(const SceneData& data) const {
    data.WriteContainers("data");
}

std::string SceneGlTest::ScratchFilesLeft() {
    std::string left;
    for (const char* path : SCRATCH_FILES) {
        if (std::filesystem::exists(path))
            left += std::string(left.empty() ? "" : " ") + path;
    }
    return left;
}
