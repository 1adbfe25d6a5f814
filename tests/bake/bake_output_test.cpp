// Baked files are written whole or not at all: a full disk must not leave a file cut short that
// the containers would then carry.
#include "tools/bake/bake_output.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/bake/image.h"

namespace {

namespace fs = std::filesystem;

// A folder whose files all lead to /dev/full, the disk that is always full.
class FullDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/kvx_bake_full_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string FullFile(const char* name) const {
        const std::string path = m_dir + "/" + name;
        fs::create_symlink("/dev/full", path);
        return path;
    }

    std::string m_dir;
};

TEST_F(FullDisk, EveryKindOfBakedFileReportsTheFailedWrite) {
    const std::string text = FullFile("manifest.txt");
    EXPECT_THROW(bake::WriteTextFile(text, "T001.jpg\n"), std::runtime_error);
    const std::string binary = FullFile("T003.md2");
    EXPECT_THROW(bake::WriteBinaryFile(binary, std::vector<unsigned char>(100, 7)),
                 std::runtime_error);
    bake::Image image(8, 8);
    const std::string jpeg = FullFile("T001.jpg");
    EXPECT_THROW(bake::SaveJpeg(image, jpeg, 90), std::runtime_error);
    // The device behind the links is left as it was.
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
