// The depth-pass programs through the layer: a vertex lands where
// N_T * (P_L * C_L) * M puts x, y and w, with the light's own depth z / w.
// Matrices are column-major float[16], as OpenGL loads them.

#include <array>
#include <cmath>
#include <vector>

#include "platform/nv_program_layer.h"
#include "tests/platform/nv_gl_fixture.h"
#include "view/gpu_programs.h"

namespace {

using Matrix = std::array<float, 16>;
using Vec4 = std::array<float, 4>;

Vec4 Transform(const Matrix& m, const Vec4& v) {
    Vec4 r{};
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col)
            r[row] += m[col * 4 + row] * v[col];
    }
    return r;
}

constexpr Matrix IDENTITY = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// World matrix M: scale 1.5, then translate (2, -1, 0.5).
constexpr Matrix WORLD = {1.5f, 0, 0, 0, 0, 1.5f, 0, 0, 0, 0, 1.5f, 0, 2, -1, 0.5f, 1};
// P_L: glFrustum(-4, 4, -4, 4, 5, 20); C_L: the light 12 units up the z axis.
constexpr Matrix LIGHT_PROJECTION = {
    1.25f, 0, 0, 0, 0, 1.25f, 0, 0, 0, 0, -25.0f / 15.0f, -1, 0, 0, -200.0f / 15.0f, 0};
constexpr Matrix LIGHT_VIEW = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -12, 1};
// A projective warp in the spirit of N_T: x, y and w mixed, z passed on.
constexpr Matrix WARP = {1.1f, -0.1f, 0, 0.05f, 0.2f, 0.9f,  0, 0.02f,
                         0,    0,     1, 0,     0.1f, 0.05f, 0, 1.0f};

struct Expected {
    int x;
    int y;
    float depth;
};

Expected Place(const Matrix& warp, const Matrix& world, const Vec4& vertex) {
    const Vec4 light = Transform(LIGHT_PROJECTION, Transform(LIGHT_VIEW, Transform(world, vertex)));
    const Vec4 warped = Transform(warp, light);
    const float half = NvGlTest::SIZE / 2.0f;
    return {static_cast<int>(std::floor((warped[0] / warped[3] + 1.0f) * half)),
            static_cast<int>(std::floor((warped[1] / warped[3] + 1.0f) * half)),
            (light[2] / light[3] + 1.0f) * 0.5f};
}

class NvDepthProgram : public NvGlTest {
  protected:
    void SetUp() override {
        NvGlTest::SetUp();
        if (IsSkipped())
            return;
        Load(GL_VERTEX_PROGRAM_NV, g_strDepthVertexProgram);
        Load(GL_FRAGMENT_PROGRAM_NV, g_strDepthFragmentProgram);
        glEnable(NV_VERTEX_PROGRAM_TARGET);
        glEnable(NV_FRAGMENT_PROGRAM_TARGET);
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The depth pass's tracking: c[8] N_T, c[4] P_L * C_L, c[0] M.
    void TrackDepthPassMatrices(const Matrix& warp, const Matrix& world) {
        glMatrixMode(NV_MATRIX0);
        glLoadMatrixf(warp.data());
        glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 8, GL_MATRIX0_NV, GL_IDENTITY_NV);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(LIGHT_PROJECTION.data());
        glMultMatrixf(LIGHT_VIEW.data());
        glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 4, GL_PROJECTION, GL_IDENTITY_NV);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(world.data());
        glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV);
    }

    static void DrawPoint(const Vec4& v) {
        glBegin(GL_POINTS);
        glVertex4f(v[0], v[1], v[2], v[3]);
        glEnd();
    }

    // The pass writes only depth: a drawn pixel is one whose depth is no
    // longer the cleared 1.
    void ExpectPoint(const Expected& e) {
        ASSERT_GE(e.x, 0);
        ASSERT_LT(e.x, SIZE);
        ASSERT_GE(e.y, 0);
        ASSERT_LT(e.y, SIZE);
        EXPECT_NEAR(ReadDepth(e.x, e.y), e.depth, 1e-5f) << "at " << e.x << ", " << e.y;
    }

    int CountDrawnPixels() {
        std::vector<float> depths(SIZE * SIZE);
        glReadPixels(0, 0, SIZE, SIZE, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        int drawn = 0;
        for (float d : depths)
            drawn += d < 1.0f ? 1 : 0;
        return drawn;
    }
};

TEST_F(NvDepthProgram, AVertexLandsWhereTheWarpedLightClipPositionPutsIt) {
    const Vec4 vertices[] = {
        {0.3f, 0.4f, -0.2f, 1}, {-1.7f, 0.6f, 0.9f, 1}, {-0.5f, 2.1f, -1.5f, 1}};
    for (const Matrix* warp : {&WARP, &IDENTITY}) {
        for (const Vec4& v : vertices) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            TrackDepthPassMatrices(*warp, WORLD);
            DrawPoint(v);
            ExpectPoint(Place(*warp, WORLD, v));
            EXPECT_EQ(CountDrawnPixels(), 1);
        }
    }
}

TEST_F(NvDepthProgram, ModelviewChangesAfterTrackingReachTheProgram) {
    TrackDepthPassMatrices(WARP, IDENTITY);
    const Vec4 vertex = {0.2f, -0.3f, 0.1f, 1};
    glPushMatrix();
    glMultMatrixf(WORLD.data());
    DrawPoint(vertex);
    glPopMatrix();
    DrawPoint(vertex);
    ExpectPoint(Place(WARP, WORLD, vertex));
    ExpectPoint(Place(WARP, IDENTITY, vertex));
    EXPECT_EQ(CountDrawnPixels(), 2);
}

}  // namespace
