#include "scene/md2_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <random>

#include "scene/md2_model.h"
#include "tests/crypt/crypt_test_util.h"
#include "tests/scene/md2_writer.h"

namespace {

// Three frames of one triangle: header 68 bytes, skin name 64, texture
// coordinates at 132, the triangle at 144, frames of 52 bytes from 156 to 312.
std::vector<uint8_t> SmallModel() {
    return MovingTriangle({"wave01", "wave02", "wave03"}).Bytes();
}

void SetInt16(std::vector<uint8_t>& bytes, size_t at, int16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
}

void SetFloat(std::vector<uint8_t>& bytes, size_t at, float value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

TEST(Md2FileTest, PositionsTurnTheFileZAxisIntoTheSceneYAxis) {
    Md2Fixture model = MovingTriangle({"a01"});
    model.frames[0].vertices = {{1, 2, 3}, {10, 20, 30}, {0, 0, 0}};
    Md2File file;
    std::string error;
    ASSERT_TRUE(ParseMd2File(model.Bytes(), file, error)) << error;
    EXPECT_EQ(file.m_frames[0].m_pPositions[0], 1.0f);
    EXPECT_EQ(file.m_frames[0].m_pPositions[1], 3.0f);
    EXPECT_EQ(file.m_frames[0].m_pPositions[2], -2.0f);

    // Scale and translate apply per file axis before the turn.
    model.frames[0].scale = {0.5f, 2.0f, 1.0f};
    model.frames[0].translate = {1.0f, -1.0f, 2.0f};
    ASSERT_TRUE(ParseMd2File(model.Bytes(), file, error)) << error;
    const std::vector<float>& p = file.m_frames[0].m_pPositions;
    EXPECT_EQ(std::vector<float>(p.begin() + 3, p.begin() + 6), (std::vector<float>{6, 32, -39}));
    EXPECT_EQ(file.m_frames[0].m_szName, "a01");
}

TEST(Md2FileTest, TexCoordsAreDividedBySkinSizeInKeyFrameZeroOnly) {
    TempDir dir;
    WriteFileBytes(dir.Path("m.md2"), SmallModel());
    Md2Model model;
    std::string error;
    ASSERT_TRUE(model.LoadGeometry(dir.Path("m.md2").c_str(), error)) << error;
    EXPECT_EQ(model.m_ppKeyFrames[0]->m_pTexCoords, (std::vector<float>{0, 0, 0.5f, 0, 0, 0.5f}));
    EXPECT_TRUE(model.m_ppKeyFrames[1]->m_pTexCoords.empty());
    EXPECT_EQ(model.m_ppKeyFrames[2]->m_pTriangles, (std::vector<int32_t>{0, 1, 2, 0, 1, 2}));
}

struct DamagedFile {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    const char* message;
};

const DamagedFile DAMAGED_FILES[] = {
    {"cut inside the header", [](auto& b) { b.resize(40); },
     "the file is shorter than its 68-byte header"},
    {"negative count", [](auto& b) { SetHeaderField(b, MD2_TRIANGLE_COUNT, -1); },
     "the triangle count -1 is negative"},
    {"no frames", [](auto& b) { SetHeaderField(b, MD2_FRAME_COUNT, 0); }, "the file has no frames"},
    {"skin names past the end", [](auto& b) { SetHeaderField(b, MD2_SKIN_COUNT, 10); },
     "the skin names at offset 68 reach past the end of the file (312 bytes)"},
    {"negative offset", [](auto& b) { SetHeaderField(b, MD2_TEX_COORD_OFFSET, -4); },
     "the texture coordinates at offset -4 reach past the end of the file (312 bytes)"},
    {"triangles past the end", [](auto& b) { SetHeaderField(b, MD2_TRIANGLE_OFFSET, 310); },
     "the triangles at offset 310 reach past the end of the file (312 bytes)"},
    {"count times size beyond 32 bits",
     [](auto& b) { SetHeaderField(b, MD2_TRIANGLE_COUNT, 0x7FFFFFFF); },
     "the triangles at offset 144 reach past the end of the file (312 bytes)"},
    {"frames cut short", [](auto& b) { b.resize(300); },
     "the frames at offset 156 reach past the end of the file (300 bytes)"},
    {"frame too small for its vertices", [](auto& b) { SetHeaderField(b, MD2_FRAME_SIZE, 48); },
     "the frame size 48 is too small for 3 vertices"},
    {"vertex count beyond any frame",
     [](auto& b) { SetHeaderField(b, MD2_VERTEX_COUNT, 0x7FFFFFFF); },
     "the frame size 52 is too small for 2147483647 vertices"},
    {"zero skin width", [](auto& b) { SetHeaderField(b, MD2_SKIN_WIDTH, 0); },
     "the skin size 0 x 32 is not positive"},
    {"vertex index beyond the vertices", [](auto& b) { SetInt16(b, 144 + 2, 7); },
     "triangle 0 uses vertex 7, but the file has 3"},
    {"negative texture-coordinate index", [](auto& b) { SetInt16(b, 144 + 10, -1); },
     "triangle 0 uses texture coordinate -1, but the file has 3"},
    // Frame 1's header starts at 208: scale x, y, z, then translation x, y, z.
    {"a scale that is not a number",
     [](auto& b) { SetFloat(b, 208, std::numeric_limits<float>::quiet_NaN()); },
     "frame 1 has a position that is not a finite number"},
    {"a translation beyond the float range",
     [](auto& b) { SetFloat(b, 208 + 16, std::numeric_limits<float>::infinity()); },
     "frame 1 has a position that is not a finite number"},
    {"a scale that overflows the float range", [](auto& b) { SetFloat(b, 208 + 8, 3e38f); },
     "frame 1 has a position that is not a finite number"},
    {"frame name without its NUL", [](auto& b) { std::fill_n(b.begin() + 208 + 24, 16, 'x'); },
     "the name of frame 1 is not NUL-terminated"},
};

TEST(Md2FileTest, DamagedFilesAreRejectedWithTheirReason) {
    TempDir dir;
    for (const DamagedFile& c : DAMAGED_FILES) {
        std::vector<uint8_t> bytes = SmallModel();
        c.damage(bytes);
        WriteFileBytes(dir.Path("bad.md2"), bytes);
        Md2Model model;
        std::string error;
        EXPECT_FALSE(model.LoadGeometry(dir.Path("bad.md2").c_str(), error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
        EXPECT_TRUE(model.m_ppKeyFrames.empty()) << c.what;
        EXPECT_EQ(model.CycleLength(), 0) << c.what;
    }
}

TEST(Md2FileTest, FilesThatGiveNoModelAreRejected) {
    TempDir dir;
    Md2Model model;
    std::string error;
    EXPECT_FALSE(model.LoadGeometry(dir.Path("missing.md2").c_str(), error));
    EXPECT_EQ(error, "cannot open the file");

    // Names without a base name form no animation, so there is no cycle.
    WriteFileBytes(dir.Path("numbers.md2"), MovingTriangle({"01", "02"}).Bytes());
    EXPECT_FALSE(model.LoadGeometry(dir.Path("numbers.md2").c_str(), error));
    EXPECT_EQ(error, "no frame name gives an animation");
    EXPECT_FALSE(model.IsDrawable());
}

// A small file whose counts ask for gigabytes: every key frame holds every triangle, and the cycle
// holds every corner of every triangle ten times per key frame of the first animation.
TEST(Md2FileTest, ModelsThatWouldNeedTooMuchMemoryAreRejected) {
    struct Case {
        std::vector<std::string> frameNames;
        int triangles;
        const char* message;
    };
    const Case cases[] = {
        {std::vector<std::string>(700, "idle"), 2800,
         "the interpolated frames would need 1794 MiB, more than the 64 MiB allowed"},
        {FrameNames("pose", 1, 1200), 10000,
         "the key frames would need 274 MiB, more than the 64 MiB allowed"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        Md2Fixture fixture = MovingTriangle(c.frameNames);
        fixture.triangles.assign(c.triangles, fixture.triangles.front());
        WriteFileBytes(dir.Path("huge.md2"), fixture.Bytes());
        Md2Model model;
        std::string error;
        EXPECT_FALSE(model.LoadGeometry(dir.Path("huge.md2").c_str(), error)) << c.message;
        EXPECT_EQ(error, c.message);
        EXPECT_TRUE(model.m_ppKeyFrames.empty());
        EXPECT_EQ(model.CycleLength(), 0);
    }
}

// Whatever the header says, the reader either rejects the file or delivers
// arrays that match the header, with every triangle index inside its table.
TEST(Md2FileTest, RandomlyDamagedHeadersNeverLeadOutsideTheFile) {
    const std::vector<uint8_t> good = StandRunModel().Bytes();
    const int32_t interesting[] = {
        -1, 0, 1, 2, 3, 40, 68, 0x7FFF, 0x10000, 0x7FFFFFFF, static_cast<int32_t>(good.size())};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = good;
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
            const auto field = static_cast<Md2HeaderField>(2 + random() % 15);
            // A nearby value, wrapping around the int32 range.
            const int64_t nearby = int64_t{HeaderField(bytes, field)} + random() % 9 - 4;
            const int32_t value = random() % 2 == 0 ? interesting[random() % std::size(interesting)]
                                                    : static_cast<int32_t>(nearby);
            SetHeaderField(bytes, field, value);
        }
        Md2File file;
        std::string error;
        if (!ParseMd2File(bytes, file, error))
            continue;
        const Md2Header& h = file.m_header;
        ASSERT_EQ(file.m_frames.size(), static_cast<size_t>(h.m_iFrameCount));
        ASSERT_EQ(file.m_triangles.size(), 6u * h.m_iTriangleCount);
        for (size_t i = 0; i < file.m_triangles.size(); ++i)
            ASSERT_LT(file.m_triangles[i], i % 6 < 3 ? h.m_iVertexCount : h.m_iTexCoordCount);
        for (const Md2FileFrame& frame : file.m_frames)
            ASSERT_EQ(frame.m_pPositions.size(), 3u * h.m_iVertexCount);
    }
}

}  // namespace
