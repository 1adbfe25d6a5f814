#include "crypt/double_buffering.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

#include "tests/crypt/crypt_test_util.h"

namespace {

constexpr std::int32_t RING = 1024;
constexpr std::int32_t CHUNK = 384;

class DoubleBufferingTest : public ::testing::Test {
  protected:
    std::string FileOf(std::size_t size) {
        const std::string path = m_dir.Path("input");
        m_content = TestPattern(size, static_cast<unsigned>(size));
        WriteBytes(path, m_content);
        return path;
    }

    TempDir m_dir;
    Bytes m_content;
    std::uint8_t m_ring[RING];
};

// Chunks of the default length, as the container code asks for them.
TEST_F(DoubleBufferingTest, ChunkCountsForFilesAroundTheHalves) {
    const struct {
        std::size_t size;
        std::vector<std::int32_t> counts;
    } cases[] = {
        {0, {0, 0}},
        {100, {100, 0}},
        {384, {384, 0, 0}},
        {512, {384, 128, 0}},
        {768, {384, 384, 0, 0}},
        {1000, {384, 384, 232, 0, 0}},
        {1024, {384, 384, 256, 0}},
        {3000, {384, 384, 384, 384, 384, 384, 384, 312, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        std::ifstream file(FileOf(c.size), std::ios::binary);
        CDoubleBuffering reader(file, m_ring, RING, CHUNK);
        Bytes delivered;
        for (std::int32_t expected : c.counts) {
            std::uint8_t chunk[CHUNK];
            const std::int32_t got = reader.GetData(chunk, -1);
            EXPECT_EQ(got, expected);
            delivered.insert(delivered.end(), chunk, chunk + got);
        }
        EXPECT_EQ(delivered, m_content);
    }
}

// Requests of random lengths, small rings included, deliver the file in order and then only 0.
TEST_F(DoubleBufferingTest, RandomRequestsDeliverTheFileExactlyOnce) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        const std::int32_t size = 2 * static_cast<std::int32_t>(1 + random() % 40);
        const std::int32_t half = size / 2;
        const std::size_t fileSize = random() % 400;
        SCOPED_TRACE(testing::Message() << "ring " << size << " file " << fileSize);
        std::ifstream file(FileOf(fileSize), std::ios::binary);
        std::vector<std::uint8_t> ring(static_cast<std::size_t>(size));
        CDoubleBuffering reader(file, ring.data(), size,
                                1 + static_cast<std::int32_t>(random() % half));
        Bytes delivered;
        std::int32_t got = 1;
        while (got > 0) {
            const std::int32_t request = random() % 4 == 0 ? -1 : 1 + random() % half;
            std::vector<std::uint8_t> chunk(static_cast<std::size_t>(half));
            got = reader.GetData(chunk.data(), request);
            delivered.insert(delivered.end(), chunk.begin(), chunk.begin() + got);
        }
        EXPECT_EQ(delivered, m_content);
        std::uint8_t spare[1];
        EXPECT_EQ(reader.GetData(spare, 1), 0);
    }
}

TEST_F(DoubleBufferingTest, ConstructionErrorsInOrder) {
    std::ifstream open(FileOf(10), std::ios::binary);
    std::ifstream closed;
    std::ifstream bad(FileOf(10), std::ios::binary);
    bad.setstate(std::ios::badbit);
    const struct {
        std::ifstream* file;
        std::int32_t size;
        std::int32_t dataLen;
        const char* message;
    } cases[] = {
        {&closed, 1023, 0, "CDoubleBuffering: m_iSize should be Even Number!"},
        {&closed, RING, CHUNK, "CDoubleBuffering: Referenced File not Opened or in Bad State!"},
        {&bad, RING, CHUNK, "CDoubleBuffering: Referenced File not Opened or in Bad State!"},
        {&open, RING, 0, "CDoubleBuffering: Illegal Construction Data!"},
        {&open, RING, -1, "CDoubleBuffering: Illegal Construction Data!"},
        {&open, RING, 513, "CDoubleBuffering: Illegal Construction Data!"},
        {&open, 0, 1, "CDoubleBuffering: Illegal Construction Data!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorOf([&] { CDoubleBuffering(*c.file, m_ring, c.size, c.dataLen); }),
                  c.message);
    }
}

TEST_F(DoubleBufferingTest, RequestLengthMustFitHalfTheRing) {
    std::ifstream file(FileOf(2000), std::ios::binary);
    CDoubleBuffering reader(file, m_ring, RING, CHUNK);
    std::uint8_t chunk[RING];
    for (std::int32_t length : {0, -2, 513}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(ErrorOf([&] { reader.GetData(chunk, length); }),
                  "CDoubleBuffering::GetData(): Illegal iDataLen!");
    }
    EXPECT_EQ(reader.GetData(chunk, 512), 512);
    EXPECT_EQ(Bytes(chunk, chunk + 512), Bytes(m_content.begin(), m_content.begin() + 512));
}

// A read that fails (here: a directory opened as a file) is an error, not an empty file.
TEST_F(DoubleBufferingTest, ReadErrorIsNotTakenForTheEndOfTheFile) {
    std::ifstream directory(m_dir.Path("."), std::ios::binary);
    ASSERT_TRUE(directory.is_open());
    EXPECT_EQ(ErrorOf([&] { CDoubleBuffering(directory, m_ring, RING, CHUNK); }),
              "CDoubleBuffering: Referenced File not Opened or in Bad State!");
}

}  // namespace
