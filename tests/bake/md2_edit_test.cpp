#include "tools/bake/md2_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace bake {
namespace {

Md2Frame Frame(const std::string& name, float lift) {
    // A column of three stacked quads: vertices at heights 0, 10, 20 and 30.
    Md2Frame frame{name, {}, {}};
    for (int level = 0; level < 4; ++level) {
        frame.positions.push_back({0, 0, 10.0f * level + lift});
        frame.positions.push_back({4, 0, 10.0f * level + lift});
    }
    frame.normalIndices.assign(frame.positions.size(), 0);
    return frame;
}

Md2Mesh Column() {
    Md2Mesh mesh;
    mesh.skinWidth = mesh.skinHeight = 8;
    for (std::uint16_t v = 0; v < 8; ++v) {
        mesh.texCoords.push_back({static_cast<std::int16_t>(v), 0});
    }
    for (std::uint16_t q = 0; q < 3; ++q) {
        const std::uint16_t a = 2 * q;
        mesh.triangles.push_back(
            {{a, static_cast<std::uint16_t>(a + 1), static_cast<std::uint16_t>(a + 3)},
             {a, static_cast<std::uint16_t>(a + 1), static_cast<std::uint16_t>(a + 3)}});
        mesh.triangles.push_back(
            {{a, static_cast<std::uint16_t>(a + 3), static_cast<std::uint16_t>(a + 2)},
             {a, static_cast<std::uint16_t>(a + 3), static_cast<std::uint16_t>(a + 2)}});
    }
    for (const char* name : {"stand1", "stand2", "stand10", "run001", "run002", "stand3"}) {
        mesh.frames.push_back(Frame(name, 0));
    }
    return mesh;
}

TEST(Md2Edit, KeepAnimationRenumbersOneAnimationFromOne) {
    const Md2Mesh stand = KeepAnimation(Column(), "stand", "stand", 40);
    std::vector<std::string> names;
    for (const Md2Frame& f : stand.frames) {
        names.push_back(f.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"stand01", "stand02", "stand03", "stand04"}));
    EXPECT_EQ(KeepAnimation(Column(), "run", "walk", 1).frames.at(0).name, "walk01");
    EXPECT_EQ(KeepAnimation(Column(), "stand", "stand", 2).frames.size(), 2u);
    EXPECT_THROW(KeepAnimation(Column(), "jump", "jump", 40), std::runtime_error);
}

TEST(Md2Edit, StandOnOriginScalesToHeightAndPutsTheLowestPointAtZero) {
    Md2Mesh mesh = Column();
    mesh.frames[1] = Frame("stand2", -5);  // dips below the first frame
    StandOnOrigin(mesh, 60.0f);
    float low = 1e9f;
    float high = -1e9f;
    for (const Md2Frame& f : mesh.frames) {
        for (const Vec3& p : f.positions) {
            low = std::min(low, p[2]);
        }
    }
    for (const Vec3& p : mesh.frames[0].positions) {
        high = std::max(high, p[2]);
        EXPECT_FLOAT_EQ(std::abs(p[0]), 4.0f);  // centred: x from -2 to 2, times 2
    }
    EXPECT_FLOAT_EQ(low, 0.0f);
    EXPECT_FLOAT_EQ(high, 70.0f);  // 30 units scaled by 2, above the dip of 5 scaled by 2
}

TEST(Md2Edit, SplitPartsTogetherMakeTheWholeModel) {
    const Md2Mesh mesh = Column();
    const auto [lower, upper] = SplitAtHeight(mesh, 0.4f);
    EXPECT_EQ(lower.triangles.size(), 2u);  // the quad from 0 to 10
    EXPECT_EQ(upper.triangles.size(), 4u);
    EXPECT_EQ(lower.VertexCount(), 4u);  // only what its triangles use
    EXPECT_EQ(lower.texCoords.size(), 4u);
    // Every triangle of a part shows the same corners as one of the whole model, in every frame.
    for (const Md2Mesh* part : {&lower, &upper}) {
        ASSERT_EQ(part->frames.size(), mesh.frames.size());
        for (const Md2Triangle& t : part->triangles) {
            const auto same = [&](const Md2Triangle& whole) {
                for (int c = 0; c < 3; ++c) {
                    if (part->frames[5].positions[t.vertex[c]] !=
                            mesh.frames[5].positions[whole.vertex[c]] ||
                        part->texCoords[t.texCoord[c]] != mesh.texCoords[whole.texCoord[c]]) {
                        return false;
                    }
                }
                return true;
            };
            EXPECT_TRUE(std::any_of(mesh.triangles.begin(), mesh.triangles.end(), same));
        }
    }
}

}  // namespace
}  // namespace bake
