// The scene's fixed layout and its two draw functions: everything for the
// eye's pass, everything but the terrain for the light's depth pass.

#include <GL/glew.h>

#include "scene/scene.h"
#include "scene/scene_objects.h"

namespace {

// One call of glTranslatef, glRotatef or glScalef.
struct TransformStep {
    enum Kind { NONE, TRANSLATE, ROTATE_X, ROTATE_Y, SCALE } kind;
    float x, y, z;  // offset or scale factors; the angle in degrees in x for rotations
};

constexpr TransformStep Translate(float x, float y, float z) {
    return {TransformStep::TRANSLATE, x, y, z};
}
constexpr TransformStep RotateX(float degrees) {
    return {TransformStep::ROTATE_X, degrees, 0.0f, 0.0f};
}
constexpr TransformStep RotateY(float degrees) {
    return {TransformStep::ROTATE_Y, degrees, 0.0f, 0.0f};
}
constexpr TransformStep Scale(float x, float y, float z) {
    return {TransformStep::SCALE, x, y, z};
}
constexpr TransformStep Scale(float s) {
    return Scale(s, s, s);
}

// A figure (its two MD2 models, a then b) or a static model, with the steps
// applied in order inside its own push and pop.
struct SceneObject {
    Md2ModelId figureA;
    StaticModel* model;  // null for a figure
    TransformStep steps[4];
};

constexpr Md2ModelId NO_FIGURE = MD2_MODEL_COUNT;

// The figures' pace: cycle frames a rendered frame.
constexpr int CYCLE_FRAMES_PER_FRAME = 2;

// In draw order. The static models' final rotation turns their +z axis into
// the scene's +y axis; S2 is modelled y-up already.
const SceneObject SCENE_OBJECTS[] = {
    {F1A, nullptr, {Translate(-10, 20, -65), RotateY(-130), Scale(0.8f)}},
    {F2A, nullptr, {Translate(10, 24, -15), RotateY(65)}},
    {F3A, nullptr, {Translate(-90, 25, -15), RotateY(-15), Scale(1.1f)}},
    {F4A, nullptr, {Translate(50, 24, -60), RotateY(-90)}},
    {NO_FIGURE, &g_staticModelS1, {Translate(55, 20, 15), Scale(40), RotateX(-90)}},
    {NO_FIGURE, &g_staticModelS1, {Translate(28, 13, 28), RotateY(-90), Scale(25), RotateX(-90)}},
    {NO_FIGURE, &g_staticModelS1, {Translate(72, 8.5f, 5), Scale(18), RotateX(-90)}},
    {NO_FIGURE, &g_staticModelS2, {Translate(0, 42, 70), Scale(105)}},
    {F5A, nullptr, {Translate(72, 5, -28), RotateY(45), Scale(0.1f)}},
    {NO_FIGURE, &g_staticModelS3, {Translate(110, 10, 45), RotateY(-135), Scale(55), RotateX(-90)}},
    {NO_FIGURE, &g_staticModelS4, {Translate(-95, 30, 0), Scale(110, 250, 150), RotateX(-90)}},
};

void Apply(const TransformStep& step) {
    switch (step.kind) {
        case TransformStep::TRANSLATE:
            glTranslatef(step.x, step.y, step.z);
            break;
        case TransformStep::ROTATE_X:
            glRotatef(step.x, 1.0f, 0.0f, 0.0f);
            break;
        case TransformStep::ROTATE_Y:
            glRotatef(step.x, 0.0f, 1.0f, 0.0f);
            break;
        case TransformStep::SCALE:
            glScalef(step.x, step.y, step.z);
            break;
        case TransformStep::NONE:
            break;
    }
}

// The matrix Apply multiplies onto the current one.
gmtl::Matrix44f StepMatrix(const TransformStep& step) {
    gmtl::Matrix44f m;
    switch (step.kind) {
        case TransformStep::TRANSLATE:
            gmtl::setTrans(m, gmtl::Vec3f(step.x, step.y, step.z));
            break;
        case TransformStep::ROTATE_X:
            gmtl::setRot(m, gmtl::AxisAnglef(step.x * gmtl::Math::DEG_TO_RAD, 1.0f, 0.0f, 0.0f));
            break;
        case TransformStep::ROTATE_Y:
            gmtl::setRot(m, gmtl::AxisAnglef(step.x * gmtl::Math::DEG_TO_RAD, 0.0f, 1.0f, 0.0f));
            break;
        case TransformStep::SCALE:
            m(0, 0) = step.x;
            m(1, 1) = step.y;
            m(2, 2) = step.z;
            m.setState(gmtl::Matrix44f::AFFINE | gmtl::Matrix44f::NON_UNIFORM_SCALE);
            break;
        case TransformStep::NONE:
            break;
    }
    return m;
}

CasterBounds BoundsOf(const SceneObject& object) {
    CasterBounds caster;
    for (const TransformStep& step : object.steps)
        caster.world = caster.world * StepMatrix(step);
    if (object.model != nullptr) {
        caster.box = object.model->Bounds();
    } else {
        caster.box = g_md2Models[object.figureA].Bounds();
        gmtl::extendVolume(caster.box, g_md2Models[object.figureA + 1].Bounds());
    }
    return caster;
}

// Draws one object; with cullBackFaces a static model's faces turned away
// from the eye are left out (its meshes are closed, so they are hidden anyway).
void DrawObject(const SceneObject& object, bool cullBackFaces) {
    glPushMatrix();
    for (const TransformStep& step : object.steps)
        Apply(step);
    if (object.model != nullptr) {
        if (cullBackFaces)
            glEnable(GL_CULL_FACE);
        object.model->Draw();
        glDisable(GL_CULL_FACE);
    } else {
        g_md2Models[object.figureA].Draw();
        g_md2Models[object.figureA + 1].Draw();
    }
    glPopMatrix();
}

void DrawObjects() {
    for (const SceneObject& object : SCENE_OBJECTS)
        DrawObject(object, false);
}

// The terrain's vertices and colour texture, ready for its chunks' draws.
void BindTerrain() {
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, g_terrainMesh.m_pVertices.data());
    glBindTexture(GL_TEXTURE_2D, g_terrainMesh.m_uTexture);
}

// One indexed strip over the interleaved vertices, with the colour texture on
// unit 0. A terrain that was not built is skipped.
void DrawTerrain() {
    if (g_terrainMesh.m_iIndexCount <= 0)
        return;
    BindTerrain();
    glPushMatrix();
    glDrawElements(GL_TRIANGLE_STRIP, g_terrainMesh.m_iIndexCount, GL_UNSIGNED_INT,
                   g_terrainMesh.m_pIndices.data());
    glPopMatrix();
}

}  // namespace

void DrawSceneTextured() {
    glEnable(GL_TEXTURE_2D);
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
    DrawTerrain();
    DrawObjects();
}

void DrawSceneDepth() {
    DrawObjects();
}

void DrawObjectsInOrder(const std::vector<size_t>& order) {
    glEnable(GL_TEXTURE_2D);
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    constexpr size_t COUNT = sizeof SCENE_OBJECTS / sizeof SCENE_OBJECTS[0];
    for (size_t i : order) {
        if (i < COUNT)
            DrawObject(SCENE_OBJECTS[i], true);
    }
}

std::vector<gmtl::AABoxf> TerrainChunkBoxes() {
    std::vector<gmtl::AABoxf> boxes;
    for (const TerrainChunk& chunk : g_terrainMesh.m_chunks)
        boxes.push_back(chunk.box);
    return boxes;
}

// The chosen chunks go in one draw: a draw call costs more than a small
// chunk's triangles.
void DrawTerrainChunks(const std::vector<bool>& chosen, bool drawn) {
    if (g_terrainMesh.m_iIndexCount <= 0)
        return;
    std::vector<uint32_t> indices;
    for (size_t i = 0; i < g_terrainMesh.m_chunks.size() && i < chosen.size(); ++i) {
        const std::vector<uint32_t>& chunk = g_terrainMesh.m_chunks[i].indices;
        if (chosen[i] == drawn)
            indices.insert(indices.end(), chunk.begin(), chunk.end());
    }
    if (indices.empty())
        return;
    glEnable(GL_TEXTURE_2D);
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
    BindTerrain();
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                   indices.data());
}

std::vector<CasterBounds> SceneDepthCasters() {
    std::vector<CasterBounds> casters;
    for (const SceneObject& object : SCENE_OBJECTS)
        casters.push_back(BoundsOf(object));
    return casters;
}

void AdvanceFigures() {
    for (Md2Model& model : g_md2Models) {
        if (!model.IsDrawable())
            continue;
        for (int step = 0; step < CYCLE_FRAMES_PER_FRAME; ++step)
            model.AdvanceFrame();
    }
}
