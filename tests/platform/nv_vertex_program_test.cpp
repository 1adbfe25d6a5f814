// NV vertex programs run through the layer: what a program reads in its
// parameter registers under each kind of tracking, environment parameters,
// relative addressing over tracked and untracked registers, and the VP1.1
// additions. Each program writes a colour; the quad covers the viewport.

#include <array>
#include <string>

#include "platform/nv_program_layer.h"
#include "tests/platform/nv_gl_fixture.h"

namespace {

using Matrix = std::array<float, 16>;

// Column-major: scale (0.5, 0.25, 0.8), then translate (0.2, 0.4, 0.6).
// Its inverse has rows (2, 0, 0, -0.4), (0, 4, 0, -1.6), (0, 0, 1.25, -0.75).
constexpr Matrix SCALE_TRANSLATE = {0.5f, 0, 0,    0, 0,    0.25f, 0,    0,
                                    0,    0, 0.8f, 0, 0.2f, 0.4f,  0.6f, 1};

void LoadMatrix1(GLenum transform) {
    glMatrixMode(NV_MATRIX1);
    glLoadMatrixf(SCALE_TRANSLATE.data());
    glMatrixMode(GL_MODELVIEW);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 8, GL_MATRIX1_NV, transform);
}

struct VertexCase {
    const char* name;
    void (*setup)();
    const char* body;  // the program's instructions before it writes o[HPOS]
    std::array<float, 4> texcoord;
    std::array<float, 3> expected;
};

const VertexCase CASES[] = {
    {"environment parameter",
     [] { glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 5, 0.1f, 0.2f, 0.3f, 1); },
     "MOV o[COL0], c[5];",
     {1, 1, 1, 1},
     {0.1f, 0.2f, 0.3f}},
    {"tracked matrix rows",
     [] { LoadMatrix1(GL_IDENTITY_NV); },
     "MUL o[COL0], c[8], v[TEX0];",
     {1, 1, 1, 1},
     {0.5f, 0, 0}},
    {"transposed",
     [] { LoadMatrix1(GL_TRANSPOSE_NV); },
     "MOV o[COL0], c[11];",
     {1, 1, 1, 1},
     {0.2f, 0.4f, 0.6f}},
    {"inverted",
     [] { LoadMatrix1(GL_INVERSE_NV); },
     "MUL R0, c[8], v[TEX0];\nMAD o[COL0], c[9], v[TEX0].y, R0;",
     {0.25f, 0.125f, 1, 1},
     {0.5f, 0.5f, 0}},
    {"inverted and transposed",
     [] { LoadMatrix1(GL_INVERSE_TRANSPOSE_NV); },
     "MUL o[COL0], -c[11], v[TEX0];",
     {0.5f, 0.25f, 0.5f, 1},
     {0.2f, 0.4f, 0.375f}},
    {"modelview times projection",
     [] {
         glMatrixMode(GL_PROJECTION);
         glLoadIdentity();
         glScalef(0.5f, 0.5f, 0.5f);
         glMatrixMode(GL_MODELVIEW);
         glLoadIdentity();
         glTranslatef(0.2f, 0.4f, 0.6f);
         glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW_PROJECTION_NV, GL_IDENTITY_NV);
     },
     "MOV o[COL0].x, c[0].w;\nMOV o[COL0].y, c[1].w;\nMOV o[COL0].z, c[2].w;",
     {1, 1, 1, 1},
     {0.1f, 0.2f, 0.3f}},
    {"texture matrix of the active unit",
     [] {
         glActiveTextureARB(GL_TEXTURE2_ARB);
         glMatrixMode(GL_TEXTURE);
         glLoadIdentity();
         glTranslatef(0.3f, 0.5f, 0.7f);
         glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 12, GL_TEXTURE, GL_IDENTITY_NV);
         glActiveTextureARB(GL_TEXTURE0_ARB);
         glLoadIdentity();
         glMatrixMode(GL_MODELVIEW);
     },
     "MOV o[COL0].x, c[12].w;\nMOV o[COL0].y, c[13].w;\nMOV o[COL0].z, c[14].w;",
     {1, 1, 1, 1},
     {0.3f, 0.5f, 0.7f}},
    {"relative address of a tracked register",
     [] {
         LoadMatrix1(GL_TRANSPOSE_NV);
         glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 20, 0.9f, 0.8f, 0.7f, 1);
     },
     "ARL A0.x, v[TEX0].x;\nMOV o[COL0], c[A0.x + 11];",
     {0.0f, 0, 0, 1},
     {0.2f, 0.4f, 0.6f}},
    {"relative address of an environment parameter",
     [] {
         LoadMatrix1(GL_TRANSPOSE_NV);
         glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 20, 0.9f, 0.8f, 0.7f, 1);
     },
     "ARL A0.x, v[TEX0].x;\nMOV o[COL0], c[A0.x + 11];",
     {9.5f, 0, 0, 1},
     {0.9f, 0.8f, 0.7f}},
    {"temporaries start at zero",
     [] {},
     "MOV R0.x, v[TEX0].x;\nMOV o[COL0], R0;",
     {0.3f, 0.7f, 0.7f, 1},
     {0.3f, 0, 0}},
};

class NvVertexProgram : public NvGlTest {
  protected:
    void SetUp() override {
        NvGlTest::SetUp();
        if (IsSkipped())
            return;
        glEnable(NV_VERTEX_PROGRAM_TARGET);
    }

    std::array<float, 4> Run(const std::string& text, const std::array<float, 4>& texcoord) {
        Load(GL_VERTEX_PROGRAM_NV, text);
        glClear(GL_COLOR_BUFFER_BIT);
        glMultiTexCoord4fvARB(GL_TEXTURE0_ARB, texcoord.data());
        glBegin(GL_QUADS);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
        return ReadColor(SIZE / 2, SIZE / 2);
    }
};

void ExpectColor(const std::array<float, 4>& actual, const std::array<float, 3>& expected,
                 const char* name) {
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(actual[c], expected[c], COLOR_TOLERANCE) << name << ", component " << c;
    }
}

TEST_F(NvVertexProgram, RegistersReadWhatTheTrackingAndParametersHold) {
    for (const VertexCase& c : CASES) {
        c.setup();
        const std::string text =
            std::string("!!VP1.0\n") + c.body + "\nMOV o[HPOS], v[OPOS];\nEND\n";
        ExpectColor(Run(text, c.texcoord), c.expected, c.name);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.name;
    }
}

TEST_F(NvVertexProgram, Version11AddsClampedReciprocalAndPositionInvariance) {
    ExpectColor(Run("!!VP1.1\nOPTION NV_position_invariant;\nRCC R0, v[TEX0].x;\n"
                    "MOV o[COL0], -R0;\nEND\n",
                    {-4, 0, 0, 1}),
                {0.25f, 0.25f, 0.25f}, "RCC keeps the sign");
    ExpectColor(
        Run("!!VP1.1\nABS R0, v[TEX0];\nSUB R1, R0, v[TEX0].w;\n"
            "DPH o[COL0].x, R1, v[TEX0];\nMOV o[COL0].yz, R0;\nMOV o[HPOS], v[OPOS];\nEND\n",
            {-0.5f, 0.25f, 0.5f, 0.75f}),
        {0.625f, 0.25f, 0.5f}, "ABS, SUB, DPH");
}

}  // namespace
