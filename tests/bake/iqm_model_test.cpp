#include "tools/bake/iqm_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace bake {
namespace {

constexpr float HALF_SQRT2 = 0.70710678f;

// A root joint at the origin and a child one unit up z, with a vertex on each and one shared.
// Frame 0 is the bind pose; frame 1 turns the root a quarter about z; frame 2 also moves the
// child joint 2 more units up.
IqmModel TwoJoints() {
    IqmModel m;
    const std::array<float, 10> rest = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1};
    std::array<float, 10> up = rest;
    up[2] = 1;
    m.joints = {{-1, rest}, {0, up}};
    std::array<float, 10> turned = rest;
    turned[5] = HALF_SQRT2;  // quaternion z
    turned[6] = HALF_SQRT2;  // quaternion w
    std::array<float, 10> raised = up;
    raised[2] = 3;
    m.framePoses = {rest, up, turned, up, rest, raised};
    m.positions = {{1, 0, 0}, {1, 0, 1}, {0, 1, 1}};
    m.texCoords.assign(3, {0.5f, 0.25f});
    m.blendIndices = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}};
    m.blendWeights = {{255, 0, 0, 0}, {255, 0, 0, 0}, {128, 127, 0, 0}};
    m.triangles = {{0, 1, 2}};
    m.meshes = {{"body", "skin.jpg", 0, 3, 0, 1}};
    m.animations = {{"idle", 0, 3}};
    return m;
}

void ExpectNear(const Vec3& actual, const Vec3& expected) {
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(actual[k], expected[k], 1e-3f) << "axis " << k;
    }
}

TEST(IqmModel, BindPoseLeavesTheVerticesWhereTheyAre) {
    const std::vector<Vec3> pose = PoseAt(TwoJoints(), 0);
    ExpectNear(pose[0], {1, 0, 0});
    ExpectNear(pose[1], {1, 0, 1});
    ExpectNear(pose[2], {0, 1, 1});
}

TEST(IqmModel, JointMotionCarriesItsChildrenAndBlendsByWeight) {
    const IqmModel model = TwoJoints();
    const std::vector<Vec3> turned = PoseAt(model, 1);
    ExpectNear(turned[0], {0, 1, 0});   // the root's quarter turn about z
    ExpectNear(turned[1], {0, 1, 1});   // the child follows its parent
    ExpectNear(turned[2], {-1, 0, 1});  // both joints turn it alike
    const std::vector<Vec3> raised = PoseAt(model, 2);
    ExpectNear(raised[1], {1, 0, 3});
    ExpectNear(raised[2], {0, 1, 1 + 2 * 127.0f / 255.0f});
}

TEST(IqmModel, ConvertsToMd2WithSampledFramesAndPixelTexCoords) {
    const Md2Mesh mesh = IqmToMd2(TwoJoints(), 3, "idle", 64, 32);
    ASSERT_EQ(mesh.frames.size(), 3u);
    EXPECT_EQ(mesh.frames[2].name, "idle03");
    ExpectNear(mesh.frames[1].positions[0], {0, 1, 0});
    EXPECT_EQ(mesh.texCoords[0], (std::array<std::int16_t, 2>{32, 8}));
    EXPECT_EQ(mesh.triangles[0].vertex, (std::array<std::uint16_t, 3>{0, 1, 2}));
}

TEST(IqmModel, ReaderRejectsOtherFiles) {
    std::vector<std::uint8_t> bytes(124, 0);
    EXPECT_THROW(ReadIqm(bytes), std::runtime_error);
    const char magic[] = "INTERQUAKEMODEL";
    std::copy(magic, magic + 16, bytes.begin());
    bytes[16] = 1;  // version 1
    EXPECT_THROW(ReadIqm(bytes), std::runtime_error);
    EXPECT_THROW(ReadIqm({}), std::runtime_error);
}

}  // namespace
}  // namespace bake
