#include "scene/md2_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/crypt/crypt_test_util.h"
#include "tests/scene/md2_writer.h"

namespace {

constexpr int FLOATS_PER_CORNER = 8;

// Loads a fixture model through a file, as the scene does.
class Md2ModelTest : public testing::Test {
  protected:
    void Load(const Md2Fixture& fixture) {
        WriteFileBytes(m_dir.Path("model.md2"), fixture.Bytes());
        std::string error;
        ASSERT_TRUE(m_model.LoadGeometry(m_dir.Path("model.md2").c_str(), error)) << error;
    }

    // x, y, z of corner c of the only triangle in frame f of the cycle.
    std::array<float, 3> CornerPosition(int f, int c) const {
        const float* corner = m_model.m_ppFrames[f] + FLOATS_PER_CORNER * c;
        return {corner[5], corner[6], corner[7]};
    }

    // Scene position of vertex j in key frame k of MovingTriangle.
    static std::array<float, 3> KeyPosition(float k, int j) {
        return {k + static_cast<float>(j), 3 * k + static_cast<float>(j), -2 * k};
    }

    TempDir m_dir;
    Md2Model m_model;
};

struct Animations {
    std::vector<std::string> names;
    std::vector<std::tuple<std::string, int, int>> expected;  // name, start, end
};

TEST_F(Md2ModelTest, RunsOfOneBaseNameBecomeAnimations) {
    const auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Animations cases[] = {
        {join(FrameNames("stand", 1, 40), FrameNames("run", 1, 6)),
         {{"stand", 0, 40}, {"run", 40, 46}}},
        {FrameNames("idle", 1, 5), {{"idle", 0, 5}}},
        {join(FrameNames("idle", 1, 4), {"jump01"}), {{"idle", 0, 4}, {"jump", 4, 5}}},
        // Digits before the last two characters stay in the base name.
        {{"pain101", "pain102", "pain201"}, {{"pain1", 0, 2}, {"pain2", 2, 3}}},
        // A later run numbered from 0 starts one before its first frame.
        {join(FrameNames("stand", 1, 2), FrameNames("walk", 0, 2)),
         {{"stand", 0, 2}, {"walk", 1, 5}}},
        // A start outside the key frames becomes the run's first frame.
        {FrameNames("walk", 0, 3), {{"walk", 0, 4}}},
        {{"wave50", "wave51", "jump01"}, {{"wave", 0, 2}, {"jump", 2, 3}}},
        // A run without a base name is not an animation.
        {{"01", "02", "fall01"}, {{"fall", 2, 3}}},
    };
    for (const Animations& c : cases) {
        Load(MovingTriangle(c.names));
        std::vector<std::tuple<std::string, int, int>> found;
        for (const auto& a : m_model.m_ppAnimations)
            found.emplace_back(a->m_szName, a->m_iStart, a->m_iEnd);
        EXPECT_EQ(found, c.expected) << c.names.front();
        EXPECT_EQ(m_model.m_iAnimationCount, static_cast<int>(c.expected.size()));
    }
}

TEST(Md2FrameNameTest, NumberIsTakenFromTheLastTwoCharacters) {
    const std::tuple<std::string, std::string, int> cases[] = {
        {"stand01", "stand", 1},
        {"stand10", "stand", 10},
        {"pain101", "pain1", 1},
        {"walk0", "walk", 0},
        {"run", "run", 0},
        {"7", "", 7},
        {"", "", 0},
        {"a1b", "a", 1},
    };
    for (const auto& [name, base, number] : cases) {
        std::string foundBase = "?";
        int foundNumber = -1;
        SplitFrameName(name, foundBase, foundNumber);
        EXPECT_EQ(foundBase, base) << name;
        EXPECT_EQ(foundNumber, number) << name;
    }
}

TEST_F(Md2ModelTest, CycleInterpolatesTenStepsPerKeyFrameAndLoopsToTheStart) {
    Load(StandRunModel());
    ASSERT_EQ(m_model.CycleLength(), 400);
    EXPECT_EQ(m_model.m_iTriangleCount, 1);
    EXPECT_EQ(m_model.m_iFrameFloats, 24);
    EXPECT_EQ(m_model.m_iCurrentFrame, 0);
    EXPECT_EQ(m_model.FrameBytes(), 400u * 96u);

    const std::pair<int, float> frames[] = {{0, 0.0f},  {1, 0.1f},    {10, 1.0f},
                                            {15, 1.5f}, {389, 38.9f}, {390, 39.0f}};
    for (const auto& [f, k] : frames) {
        for (int c = 0; c < 3; ++c) {
            const auto expected = KeyPosition(k, c);
            const auto found = CornerPosition(f, c);
            for (int a = 0; a < 3; ++a)
                EXPECT_NEAR(found[a], expected[a], 1e-4f) << "frame " << f << " corner " << c;
        }
    }
    // The last frame blends key frame 39 nine tenths of the way back to key frame 0.
    for (int c = 0; c < 3; ++c) {
        const auto k39 = KeyPosition(39, c);
        const auto k0 = KeyPosition(0, c);
        const auto found = CornerPosition(399, c);
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(found[a], k39[a] + 0.9f * (k0[a] - k39[a]), 1e-4f) << c;
    }
}

// The box spans every frame the draws show: the stand cycle's key frames 0 to
// 39, not the run that follows them in the file.
TEST_F(Md2ModelTest, BoundsHoldTheWholeCycleAndNoMore) {
    Load(StandRunModel());
    m_model.m_iSkinCount = 1;
    const gmtl::AABoxf box = m_model.Bounds();
    ASSERT_FALSE(box.isEmpty());
    const auto low = KeyPosition(39, 0);
    const auto high = KeyPosition(39, 2);
    EXPECT_EQ(box.getMin(), gmtl::Vec3f(0, 0, low[2]));
    EXPECT_EQ(box.getMax(), gmtl::Vec3f(high[0], high[1], 0));

    m_model.m_iSkinCount = 0;
    EXPECT_TRUE(m_model.Bounds().isEmpty()) << "a model that draws nothing";
}

TEST_F(Md2ModelTest, CycleOfARunNumberedFromZeroStaysWithinTheKeyFrames) {
    Load(MovingTriangle(FrameNames("walk", 0, 3)));
    ASSERT_EQ(m_model.CycleLength(), 40);
    const auto found = CornerPosition(39, 0);
    EXPECT_NEAR(found[0], 3.0f + 0.9f * (0.0f - 3.0f), 1e-4f);
}

TEST_F(Md2ModelTest, FrameCornersCarryTexCoordNormalAndPosition) {
    Md2Fixture fixture = MovingTriangle({"a01", "a02"});
    fixture.triangles = {{2, 0, 1, 1, 2, 0}};
    Load(fixture);
    const float* corner = m_model.m_ppFrames[0];
    // Corner 0: vertex 2 with texture coordinate 1 (32 / 64, 0 / 32).
    EXPECT_EQ(corner[0], 0.5f);
    EXPECT_EQ(corner[1], 0.0f);
    const float* n = m_model.m_ppKeyFrames[0]->m_pNormals.data() + 3 * 2;
    EXPECT_EQ(std::vector<float>(corner + 2, corner + 5), std::vector<float>(n, n + 3));
    EXPECT_EQ(std::vector<float>(corner + 5, corner + 8), (std::vector<float>{2, 2, 0}));
}

// Two triangles of equal area folded along their shared edge, one in the
// x-y plane and one in the y-z plane, and a vertex that no triangle uses.
TEST_F(Md2ModelTest, VertexNormalsAreTheMeanOfTheFaceVectorsAround) {
    Md2Fixture fixture = MovingTriangle({"fold01"});
    // File (x, y, z) -> scene (x, z, -y).
    fixture.frames[0].vertices = {{0, 0, 0}, {0, 0, 2}, {2, 0, 0}, {0, 2, 0}, {9, 9, 9}};
    fixture.triangles = {{0, 1, 2, 0, 0, 0}, {0, 3, 1, 0, 0, 0}};
    Load(fixture);
    const std::vector<float>& normals = m_model.m_ppKeyFrames[0]->m_pNormals;
    // Face vectors (p0 - p2) x (p2 - p1): (0, 0, 4) for the first, (-4, 0, 0)
    // for the second; the shared vertices get their normalised sum.
    const float h = 1.0f / std::sqrt(2.0f);
    const std::vector<std::vector<float>> expected = {
        {-h, 0, h}, {-h, 0, h}, {0, 0, 1}, {-1, 0, 0}, {0, 0, 0}};
    for (size_t v = 0; v < expected.size(); ++v)
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(normals[3 * v + a], expected[v][a], 1e-6f) << "vertex " << v;
}

TEST_F(Md2ModelTest, DegenerateTrianglesGiveZeroNormalsNotNaN) {
    Md2Fixture fixture = MovingTriangle({"line01"});
    fixture.frames[0].vertices = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    Load(fixture);
    for (float n : m_model.m_ppKeyFrames[0]->m_pNormals)
        EXPECT_EQ(n, 0.0f);
}

TEST_F(Md2ModelTest, EveryDrawAdvancesTheCursorAndTheCycleWraps) {
    Load(MovingTriangle(FrameNames("idle", 1, 3)));
    ASSERT_EQ(m_model.CycleLength(), 30);
    int shown = -1;
    for (int draw = 1; draw <= 20; ++draw)
        shown = m_model.AdvanceFrame();
    EXPECT_EQ(shown, 19);
    for (int draw = 21; draw <= 30; ++draw)
        shown = m_model.AdvanceFrame();
    EXPECT_EQ(shown, 29);
    EXPECT_EQ(m_model.AdvanceFrame(), 0);
}

}  // namespace
