// The scene fragment programs' shadow test through the layer: a rectangle
// depth texture with depth comparison on unit 1 gives 1 where the
// fragment's depth is at most the stored one and 0 elsewhere, floored at the
// diffuse colour; the five-lookup program averages five such tests.
// The depth texture is 8 x 8 texels: depth 0.3 in columns 0 to 3, 0.8 in
// columns 4 to 7; lookups compare depth 0.5.

#include <vector>

#include "platform/nv_program_layer.h"
#include "tests/platform/nv_gl_fixture.h"
#include "view/gpu_programs.h"

namespace {

constexpr int MAP = 8;
constexpr float BASE = 128.0f / 255.0f;  // the grey base texture
// Light colour for a light 36.87 degrees off the normal: diffuse * 0.8 + ambient.
constexpr float LIGHT[3] = {0.45f * 0.8f + 0.8f, 0.45f * 0.8f + 0.78f, 0.4f * 0.8f + 0.78f};
constexpr float DIFFUSE[3] = {0.45f, 0.45f, 0.4f};

class NvShadowLookup : public NvGlTest {
  protected:
    void SetUp() override {
        NvGlTest::SetUp();
        if (IsSkipped())
            return;
        glEnable(NV_FRAGMENT_PROGRAM_TARGET);
        m_base = MakeBaseTexture();
        m_depth = MakeDepthTexture();
        m_program = Load(GL_FRAGMENT_PROGRAM_NV, g_strSceneFragmentProgram);
        m_programHQ = Load(GL_FRAGMENT_PROGRAM_NV, g_strSceneFragmentProgramHQ);
    }

    static GLuint MakeBaseTexture() {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        const unsigned char grey[4] = {128, 128, 128, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, grey);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        return texture;
    }

    static GLuint MakeDepthTexture() {
        std::vector<float> depths(MAP * MAP);
        for (int i = 0; i < MAP * MAP; ++i)
            depths[i] = i % MAP < MAP / 2 ? 0.3f : 0.8f;
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glActiveTextureARB(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_RECTANGLE_NV, texture);
        glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_COMPARE_MODE_ARB,
                        GL_COMPARE_R_TO_TEXTURE_ARB);
        glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_DEPTH_TEXTURE_MODE_ARB, GL_LUMINANCE);
        glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_COMPARE_FUNC_ARB, GL_LEQUAL);
        glTexImage2D(GL_TEXTURE_RECTANGLE_NV, 0, GL_DEPTH_COMPONENT24_ARB, MAP, MAP, 0,
                     GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        glBindTexture(GL_TEXTURE_RECTANGLE_NV, 0);
        glActiveTextureARB(GL_TEXTURE0_ARB);
        return texture;
    }

    // Binds the program first and the textures after it, as the scene pass
    // does, then draws with the lookup at texel column s (divided by q = 2).
    std::array<float, 4> Draw(GLuint program, GLuint shadowTexture, float s) {
        glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, program);
        glActiveTextureARB(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_RECTANGLE_NV, shadowTexture);
        glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, m_base);
        const float q = 2.0f;
        glMultiTexCoord4fARB(GL_TEXTURE0_ARB, 0.5f, 0.5f, 0.0f, 1.0f);
        glMultiTexCoord4fARB(GL_TEXTURE1_ARB, s * q, 4.5f * q, 0.5f * q, q);
        glMultiTexCoord4fARB(GL_TEXTURE2_ARB, 0.0f, 0.0f, 1.0f, 0.0f);
        glMultiTexCoord4fARB(GL_TEXTURE3_ARB, 0.0f, 1.8f, 2.4f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        DrawFullViewportQuad();
        return ReadColor(SIZE / 2, SIZE / 2);
    }

    void ExpectShadowTerm(const std::array<float, 4>& color, float term, const char* name) {
        for (int c = 0; c < 3; ++c) {
            const float expected = BASE * LIGHT[c] * std::max(term, DIFFUSE[c]);
            EXPECT_NEAR(color[c], expected, COLOR_TOLERANCE) << name << ", component " << c;
        }
    }

    GLuint m_base = 0;
    GLuint m_depth = 0;
    GLuint m_program = 0;
    GLuint m_programHQ = 0;
};

TEST_F(NvShadowLookup, DepthComparedLookupsGiveLitOrShadowed) {
    ExpectShadowTerm(Draw(m_program, m_depth, 6.5f), 1.0f, "one lookup, lit");
    ExpectShadowTerm(Draw(m_program, m_depth, 1.5f), 0.0f, "one lookup, shadowed");
    ExpectShadowTerm(Draw(m_programHQ, m_depth, 6.5f), 1.0f, "five lookups, lit");
    ExpectShadowTerm(Draw(m_programHQ, m_depth, 1.5f), 0.0f, "five lookups, shadowed");
    // Centre and the two lookups 0.75 texel to the right fall on lit texels.
    ExpectShadowTerm(Draw(m_programHQ, m_depth, 4.1f), 0.6f, "three of five lit");
}

TEST_F(NvShadowLookup, ATextureWithoutComparisonIsReadAsItIs) {
    GLuint plain = 0;
    glGenTextures(1, &plain);
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glBindTexture(GL_TEXTURE_RECTANGLE_NV, plain);
    const std::vector<float> value(MAP * MAP, 0.7f);
    glTexImage2D(GL_TEXTURE_RECTANGLE_NV, 0, GL_LUMINANCE, MAP, MAP, 0, GL_LUMINANCE, GL_FLOAT,
                 value.data());
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glActiveTextureARB(GL_TEXTURE0_ARB);
    ExpectShadowTerm(Draw(m_program, plain, 1.5f), 0.7f, "luminance texture");
    ExpectShadowTerm(Draw(m_program, m_depth, 1.5f), 0.0f, "depth texture again");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
