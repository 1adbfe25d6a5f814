
#include "tests/view/fixture_scene.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

const FixtureBox BOXES[] = {
    {0.0f, 0.0f, 0.0f, 16.0f, 30.0f},    {-40.0f, 25.0f, 0.0f, 12.0f, 20.0f},
    {35.0f, -30.0f, 0.0f, 20.0f, 12.0f}, {45.0f, 40.0f, 0.0f, 8.0f, 45.0f},
    {-5.0f, 45.0f, 14.0f, 30.0f, 3.0f},  {30.0f, 20.0f, 22.0f, 10.0f, 10.0f},
};

GLuint g_groundTexture = 0;
GLuint g_boxTexture = 0;

// A checker of two colours, 64 x 64 texels in 8 x 8 squares.
GLuint MakeCheckerTexture(const uint8_t a[3], const uint8_t b[3]) {
    std::vector<uint8_t> texels;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const uint8_t* c = ((x / 8 + y / 8) % 2 == 0) ? a : b;
            texels.insert(texels.end(), c, c + 3);
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return name;
}

void Quad(const float n[3], const float corners[4][3], float repeat) {
    const float st[4][2] = {{0, 0}, {repeat, 0}, {repeat, repeat}, {0, repeat}};
    glNormal3fv(n);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2fv(st[i]);
        glVertex3fv(corners[i]);
    }
}

void DrawGround() {
    const float s = FIXTURE_GROUND_HALF_SIZE;
    const float up[3] = {0, 1, 0};
    const float corners[4][3] = {{-s, 0, s}, {s, 0, s}, {s, 0, -s}, {-s, 0, -s}};
    glBindTexture(GL_TEXTURE_2D, g_groundTexture);
    glBegin(GL_QUADS);
    Quad(up, corners, 8.0f);
    glEnd();
}

// A unit cube from (-0.5, 0, -0.5) to (0.5, 1, 0.5), counter-clockwise faces.
void DrawUnitCube() {
    const float n[6][3] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    const float f[6][4][3] = {
        {{-.5f, 0, .5f}, {.5f, 0, .5f}, {.5f, 1, .5f}, {-.5f, 1, .5f}},
        {{.5f, 0, -.5f}, {-.5f, 0, -.5f}, {-.5f, 1, -.5f}, {.5f, 1, -.5f}},
        {{.5f, 0, .5f}, {.5f, 0, -.5f}, {.5f, 1, -.5f}, {.5f, 1, .5f}},
        {{-.5f, 0, -.5f}, {-.5f, 0, .5f}, {-.5f, 1, .5f}, {-.5f, 1, -.5f}},
        {{-.5f, 1, .5f}, {.5f, 1, .5f}, {.5f, 1, -.5f}, {-.5f, 1, -.5f}},
        {{-.5f, 0, -.5f}, {.5f, 0, -.5f}, {.5f, 0, .5f}, {-.5f, 0, .5f}},
    };
    glBegin(GL_QUADS);
    for (int i = 0; i < 6; ++i)
        Quad(n[i], f[i], 1.0f);
    glEnd();
}

void DrawBoxes() {
    glBindTexture(GL_TEXTURE_2D, g_boxTexture);
    for (const FixtureBox& box : BOXES) {
        glPushMatrix();
        glTranslatef(box.x, box.bottom, box.z);
        glScalef(box.size, box.height, box.size);
        DrawUnitCube();
        glPopMatrix();
    }
}

}  // namespace

const FixtureBox* FixtureBoxes(int& count) {
    count = static_cast<int>(sizeof BOXES / sizeof BOXES[0]);
    return BOXES;
}

void LoadSceneAssets() {
    const uint8_t grass[3] = {120, 160, 90};
    const uint8_t moss[3] = {100, 140, 80};
    const uint8_t stone[3] = {200, 190, 170};
    const uint8_t sand[3] = {180, 165, 140};
    g_groundTexture = MakeCheckerTexture(grass, moss);
    g_boxTexture = MakeCheckerTexture(stone, sand);
    glClearColor(0.55f, 0.7f, 0.9f, 1.0f);
}

void DrawSceneTextured() {
    glEnable(GL_TEXTURE_2D);
    DrawGround();
    DrawBoxes();
}

void DrawSceneDepth() {
    DrawBoxes();
}

// The fixture's boxes do not move.
void AdvanceFigures() {}

bool SceneGroundHeightAt(float x, float z, float& height) {
    height = 0.0f;
    return std::abs(x) <= FIXTURE_GROUND_HALF_SIZE && std::abs(z) <= FIXTURE_GROUND_HALF_SIZE;
}

std::vector<CasterBounds> SceneDepthCasters() {
    std::vector<CasterBounds> casters;
    for (const FixtureBox& box : BOXES) {
        CasterBounds caster;
        gmtl::setTrans(caster.world, gmtl::Vec3f(box.x, box.bottom, box.z));
        caster.world(0, 0) = box.size;
        caster.world(1, 1) = box.height;
        caster.world(2, 2) = box.size;
        caster.world.setState(gmtl::Matrix44f::AFFINE | gmtl::Matrix44f::NON_UNIFORM_SCALE);
        caster.box = gmtl::AABoxf(gmtl::Vec3f(-0.5f, 0.0f, -0.5f), gmtl::Vec3f(0.5f, 1.0f, 0.5f));
        casters.push_back(caster);
    }
    return casters;
}

// The fixture's boxes are few: their order does not matter to the tests.
void DrawObjectsInOrder(const std::vector<size_t>&) {
    glEnable(GL_TEXTURE_2D);
    DrawBoxes();
}

// The ground is one chunk.
std::vector<gmtl::AABoxf> TerrainChunkBoxes() {
    const float s = FIXTURE_GROUND_HALF_SIZE;
    return {gmtl::AABoxf(gmtl::Vec3f(-s, 0.0f, -s), gmtl::Vec3f(s, 0.0f, s))};
}

void DrawTerrainChunks(const std::vector<bool>& chosen, bool drawn) {
    glEnable(GL_TEXTURE_2D);
    if (!chosen.empty() && chosen[0] == drawn)
        DrawGround();
}
