// Where the two scene draws put each object, as GL sees it: the modelview
// matrix at each of the scene's draw calls, against the scene's placement
// table written out here.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "scene/scene_objects.h"
#include "tests/scene/draw_call_recorder.h"
#include "tests/scene/scene_gl_fixture.h"

namespace {

// One glTranslatef, glRotatef about x or y, or glScalef.
struct Step {
    enum Kind { TRANSLATE, ROTATE_X, ROTATE_Y, SCALE } kind;
    float x, y, z;  // the angle in degrees in x for rotations
};

Step T(float x, float y, float z) {
    return {Step::TRANSLATE, x, y, z};
}
Step Rx(float degrees) {
    return {Step::ROTATE_X, degrees, 0, 0};
}
Step Ry(float degrees) {
    return {Step::ROTATE_Y, degrees, 0, 0};
}
Step S(float x, float y, float z) {
    return {Step::SCALE, x, y, z};
}
Step S(float s) {
    return S(s, s, s);
}

// An object of the scene in draw order: a figure (its two models) or a static
// model, and its steps in call order.
struct Placement {
    const char* name;
    std::vector<Md2ModelId> figure;
    const StaticModel* model;
    std::vector<Step> steps;
};

std::vector<Placement> Placements() {
    return {
        {"F1", {F1A, F1B}, nullptr, {T(-10, 20, -65), Ry(-130), S(0.8f)}},
        {"F2", {F2A, F2B}, nullptr, {T(10, 24, -15), Ry(65)}},
        {"F3", {F3A, F3B}, nullptr, {T(-90, 25, -15), Ry(-15), S(1.1f)}},
        {"F4", {F4A, F4B}, nullptr, {T(50, 24, -60), Ry(-90)}},
        {"S1 first", {}, &g_staticModelS1, {T(55, 20, 15), S(40), Rx(-90)}},
        {"S1 second", {}, &g_staticModelS1, {T(28, 13, 28), Ry(-90), S(25), Rx(-90)}},
        {"S1 third", {}, &g_staticModelS1, {T(72, 8.5f, 5), S(18), Rx(-90)}},
        {"S2", {}, &g_staticModelS2, {T(0, 42, 70), S(105)}},
        {"F5", {F5A, F5B}, nullptr, {T(72, 5, -28), Ry(45), S(0.1f)}},
        {"S3", {}, &g_staticModelS3, {T(110, 10, 45), Ry(-135), S(55), Rx(-90)}},
        {"S4", {}, &g_staticModelS4, {T(-95, 30, 0), S(110, 250, 150), Rx(-90)}},
    };
}

// The modelview the steps make from the identity.
std::array<float, 16> Modelview(const std::vector<Step>& steps) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (const Step& s : steps) {
        if (s.kind == Step::TRANSLATE)
            glTranslatef(s.x, s.y, s.z);
        else if (s.kind == Step::SCALE)
            glScalef(s.x, s.y, s.z);
        else
            glRotatef(s.x, s.kind == Step::ROTATE_X ? 1.0f : 0.0f,
                      s.kind == Step::ROTATE_Y ? 1.0f : 0.0f, 0.0f);
    }
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    glPopMatrix();
    return m;
}

const char* const MD2_MODEL_NAMES[] = {"F1a", "F1b", "F2a", "F2b", "F3a",
                                       "F3b", "F4a", "F4b", "F5a", "F5b"};
const StaticModel* const STATIC_MODELS[] = {&g_staticModelS1, &g_staticModelS2, &g_staticModelS3,
                                            &g_staticModelS4};

// "S1" to "S4", or "" for another model.
std::string StaticModelName(const StaticModel* model) {
    for (int s = 0; s < 4; ++s) {
        if (STATIC_MODELS[s] == model)
            return "S" + std::to_string(s + 1);
    }
    return "";
}

// What a draw call drew, named by the scene object it belongs to.
std::string Drawn(const DrawCall& call) {
    if (call.kind == DrawCall::ELEMENTS)
        return call.texture == g_terrainMesh.m_uTexture ? "terrain" : "elements";
    if (call.kind == DrawCall::LIST) {
        for (const StaticModel* model : STATIC_MODELS) {
            if (model->m_uList == call.list)
                return StaticModelName(model);
        }
        return "list " + std::to_string(call.list);
    }
    for (int id = 0; id < MD2_MODEL_COUNT; ++id) {
        if (g_md2Models[id].m_ppSkins[0]->m_uTexture == call.texture)
            return MD2_MODEL_NAMES[id];
    }
    return "arrays";
}

// The calls the placements should give, in order: one per static model, one
// per model of a figure, a before b.
struct Expected {
    std::string drawn;
    std::string placement;
    std::array<float, 16> modelview;
};

std::vector<Expected> ExpectedCalls(bool withTerrain) {
    std::vector<Expected> calls;
    if (withTerrain)
        calls.push_back({"terrain", "terrain", Modelview({})});
    for (const Placement& p : Placements()) {
        const std::array<float, 16> modelview = Modelview(p.steps);
        for (Md2ModelId id : p.figure)
            calls.push_back({MD2_MODEL_NAMES[id], p.name, modelview});
        if (p.model != nullptr)
            calls.push_back({StaticModelName(p.model), p.name, modelview});
    }
    return calls;
}

void ExpectCalls(const std::vector<DrawCall>& calls, const std::vector<Expected>& expected) {
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t n = 0; n < calls.size(); ++n) {
        SCOPED_TRACE("draw call " + std::to_string(n) + ", " + expected[n].placement);
        EXPECT_EQ(Drawn(calls[n]), expected[n].drawn);
        for (int e = 0; e < 16; ++e)
            EXPECT_NEAR(calls[n].modelview[e], expected[n].modelview[e], 1e-3f) << "element " << e;
    }
}

// The depth pass draws the objects without the terrain, the eye's pass the
// terrain first, then the same objects with the same placements; both from the
// identity the caller sets.
TEST_F(SceneGlTest, DrawsPlaceEveryObjectAsTheLayoutSays) {
    WriteData(SceneData());
    LoadSceneAssets();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawCallRecorder recorder;
    DrawSceneDepth();
    {
        SCOPED_TRACE("depth pass");
        ExpectCalls(recorder.Take(), ExpectedCalls(false));
    }
    DrawSceneTextured();
    {
        SCOPED_TRACE("eye pass");
        ExpectCalls(recorder.Take(), ExpectedCalls(true));
    }
}

// The vertices of each figure model's draws, in draw order.
std::vector<const void*> FigureVertices(const std::vector<DrawCall>& calls) {
    std::vector<const void*> vertices;
    for (const DrawCall& call : calls) {
        if (call.kind == DrawCall::ARRAYS)
            vertices.push_back(call.vertices);
    }
    return vertices;
}

// Each figure's shadow is cast by the pose its body shows: both passes of a
// frame draw every figure model from the same frame of its cycle, and the
// frames between them move each model on two frames.
TEST_F(SceneGlTest, BothPassesOfAFrameDrawEachFigureInTheSamePose) {
    WriteData(SceneData());
    LoadSceneAssets();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawCallRecorder recorder;
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        std::vector<const void*> expected;
        for (const Placement& placement : Placements()) {
            for (Md2ModelId id : placement.figure) {
                const Md2Model& model = g_md2Models[id];
                // The vertex positions follow s, t and the normal in each vertex.
                expected.push_back(model.m_ppFrames[2 * frame % model.CycleLength()] + 5);
            }
        }
        DrawSceneDepth();
        EXPECT_EQ(FigureVertices(recorder.Take()), expected) << "depth pass";
        DrawSceneTextured();
        EXPECT_EQ(FigureVertices(recorder.Take()), expected) << "eye pass";
        AdvanceFigures();
    }
}

// Two lists of draws that GL receives alike: the same calls with the same
// matrices, textures and vertices, so the same picture.
void ExpectSameDraws(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t n = 0; n < a.size(); ++n) {
        EXPECT_EQ(a[n].kind, b[n].kind) << n;
        EXPECT_EQ(a[n].list, b[n].list) << n;
        EXPECT_EQ(a[n].texture, b[n].texture) << n;
        EXPECT_EQ(a[n].modelview, b[n].modelview) << n;
        EXPECT_EQ(a[n].vertices, b[n].vertices) << n;
    }
}

// The figures' poses read back and set again, after the figures moved on,
// draw what was drawn when they were read; a pose with a frame beyond a
// model's cycle is refused whole.
TEST_F(SceneGlTest, FigurePosesSetAgainDrawTheSamePicture) {
    WriteData(SceneData());
    LoadSceneAssets();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (int frame = 0; frame < 3; ++frame)
        AdvanceFigures();
    const FigurePoseSet poses = FigurePoses();
    EXPECT_EQ(poses[0].frameA, 6);
    DrawCallRecorder recorder;
    DrawSceneTextured();
    const std::vector<DrawCall> read = recorder.Take();
    AdvanceFigures();
    ASSERT_NE(FigurePoses(), poses);

    ASSERT_TRUE(SetFigurePoses(poses));
    EXPECT_EQ(FigurePoses(), poses);
    DrawSceneTextured();
    ExpectSameDraws(recorder.Take(), read);

    for (const int beyond : {-1, g_md2Models[F5B].CycleLength()}) {
        FigurePoseSet refused = poses;
        refused[0].frameA = 0;
        refused[FIGURE_COUNT - 1].frameB = beyond;
        EXPECT_FALSE(SetFigurePoses(refused)) << beyond;
        EXPECT_EQ(FigurePoses(), poses) << beyond;
    }
}

// Whether outer holds every point of inner.
bool Holds(const gmtl::AABoxf& outer, const gmtl::AABoxf& inner) {
    for (unsigned a = 0; a < 3; ++a) {
        if (inner.getMin()[a] < outer.getMin()[a] || inner.getMax()[a] > outer.getMax()[a])
            return false;
    }
    return true;
}

// The casters the depth pass reports: one per placement, each with the matrix
// GL has at that placement's draws and a box holding every model drawn there.
TEST_F(SceneGlTest, DepthCastersStandWhereTheDepthPassDraws) {
    WriteData(SceneData());
    LoadSceneAssets();
    const std::vector<Placement> placements = Placements();
    const std::vector<CasterBounds> casters = SceneDepthCasters();
    ASSERT_EQ(casters.size(), placements.size());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawCallRecorder recorder;
    DrawSceneDepth();
    const std::vector<DrawCall> calls = recorder.Take();
    size_t call = 0;
    for (size_t i = 0; i < placements.size(); ++i) {
        SCOPED_TRACE(placements[i].name);
        std::vector<gmtl::AABoxf> models;
        for (Md2ModelId id : placements[i].figure)
            models.push_back(g_md2Models[id].Bounds());
        if (placements[i].model != nullptr)
            models.push_back(placements[i].model->Bounds());
        for (const gmtl::AABoxf& model : models) {
            ASSERT_LT(call, calls.size());
            for (unsigned e = 0; e < 16; ++e)
                EXPECT_NEAR(casters[i].world[e], calls[call].modelview[e], 1e-3f) << e;
            ++call;
            EXPECT_FALSE(model.isEmpty());
            EXPECT_TRUE(Holds(casters[i].box, model));
        }
    }
}

}  // namespace
