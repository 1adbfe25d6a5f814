// NV fragment programs run through the layer: small programs whose result
// is known, for the constructs ARB programs spell differently (condition
// codes, conditional writes, KIL, set-on instructions, |x|, X2D, RFL,
// zero-initialised temporaries, named and local parameters). Alpha is listed
// but not read back. Inputs: colour (0.2, 0.4, 0.6, 0.8), f[TEX0] = (0.25, 0.5, 0.75, 1),
// f[TEX1] = (-0.5, 0.5, 2, 0). A killed fragment keeps the clear colour.

#include <string>

#include "platform/nv_program_layer.h"
#include "tests/platform/nv_gl_fixture.h"

namespace {

using Rgba = std::array<float, 4>;

constexpr Rgba CLEAR = {0.1f, 0.1f, 0.1f, 0.1f};

struct FragmentCase {
    const char* name;
    const char* body;  // between !!FP1.0 and END
    Rgba expected;
};

const FragmentCase CASES[] = {
    {"colour passes through", "MOV o[COLR], f[COL0];", {0.2f, 0.4f, 0.6f, 0.8f}},
    {"temporaries start at zero", "MOV R0.x, f[TEX0];\nMOV o[COLR], R0;", {0.25f, 0, 0, 0}},
    {"write where the condition is greater",
     "MOVC RC, f[TEX1];\nMOV R0, {0.1, 0.2, 0.3, 0.4};\nMOV R0 (GT), 0.9;\nMOV o[COLR], R0;",
     {0.1f, 0.9f, 0.9f, 0.4f}},
    {"condition with a swizzle",
     "MOVC RC, f[TEX1];\nMOV R0, 0.25;\nMOV R0.xz (LT.xxxx), 0.75;\nMOV o[COLR], R0;",
     {0.75f, 0.25f, 0.75f, 0.25f}},
    {"equal, not equal, greater or equal, less or equal",
     "MOVC RC, f[TEX1];\nMOV R0, 0;\nMOV R0.x (EQ.w), 1;\nMOV R0.y (NE.x), 1;\n"
     "MOV R0.z (GE.y), 1;\nMOV R0.w (LE.z), 1;\nMOV o[COLR], R0;",
     {1, 1, 1, 0}},
    {"condition code kept where not written",
     "MOVC RC.x, f[TEX1].y;\nMOV R0, 0.5;\nMOV R0 (GT), 1;\nMOV o[COLR], R0;",
     {1, 0.5f, 0.5f, 0.5f}},
    {"conditional write to the result",
     "MOVC RC, f[TEX1];\nMOV o[COLR], 0.25;\nMOV o[COLR] (GT), 0.75;",
     {0.25f, 0.75f, 0.75f, 0.25f}},
    {"kill on a condition", "MOVC RC, f[TEX1];\nKIL LT.x;\nMOV o[COLR], 1;", CLEAR},
    {"no kill when the condition fails",
     "MOVC RC, f[TEX1];\nKIL GT.w;\nMOV o[COLR], 1;",
     {1, 1, 1, 1}},
    {"set-on instructions",
     "SEQ R0.x, f[TEX0].y, 0.5;\nSNE R0.y, f[TEX0].y, 0.5;\nSGT R0.z, f[TEX0].z, f[TEX0].y;\n"
     "SLE R0.w, f[TEX0].z, f[TEX0].y;\nMOV o[COLR], R0;",
     {1, 0, 1, 0}},
    {"set false and set true",
     "SFL R0, f[TEX0], f[TEX0];\nSTR R1, f[TEX0], f[TEX0];\nMAD o[COLR], R1, 0.5, R0;",
     {0.5f, 0.5f, 0.5f, 0.5f}},
    {"absolute value", "MOV o[COLR], |f[TEX1]|;", {0.5f, 0.5f, 1, 0}},
    {"negated absolute value", "ADD o[COLR], -|f[TEX1]|, 1;", {0.5f, 0.5f, 0, 1}},
    {"saturation", "MUL_SAT R0, f[TEX1], 2;\nMUL o[COLR], R0, 0.5;", {0, 0.5f, 0.5f, 0}},
    {"2D coordinate transformation",
     "MOV o[COLR], 0;\nX2D o[COLR].xy, f[TEX0], {0.5, 0.25, 0, 0}, {0.2, 0.4, 0.2, 0.4};",
     {0.45f, 0.7f, 0, 0}},
    {"reflection",
     "RFL R0.xyz, {0, 0, 2, 0}, {0.6, 0, 0.8, 0};\nMOV o[COLR], 0;\n"
     "MAD o[COLR].xyz, R0, 0.5, 0.5;",
     {0.2f, 0.5f, 0.9f, 0}},
    {"fraction and floor",
     "FRC R0, {1.25, 2.5, -0.25, 3};\nFLR R1, {1.25, 2.5, -0.25, 3};\n"
     "MAD o[COLR], R1, 0.1, R0;",
     {0.35f, 0.7f, 0.65f, 0.3f}},
    {"scalar instructions",
     "RCP R0.x, 4;\nRSQ R0.y, 16;\nEX2 R0.z, -1;\nPOW R0.w, 0.5, 2;\nMOV o[COLR], R0;",
     {0.25f, 0.25f, 0.5f, 0.25f}},
    {"defined constants and half registers",
     "DEFINE k = {0.25, 0.5, 0.75, 1};\nMOVH H3, k;\nMOV o[COLR], H3.wzyx;",
     {1, 0.75f, 0.5f, 0.25f}},
    {"linear interpolation",
     "LRP o[COLR], 0.25, f[TEX0], {1, 1, 1, 1};",
     {0.8125f, 0.875f, 0.9375f, 1}},
};

class NvFragmentProgram : public NvGlTest {
  protected:
    void SetUp() override {
        NvGlTest::SetUp();
        if (IsSkipped())
            return;
        glClearColor(CLEAR[0], CLEAR[1], CLEAR[2], CLEAR[3]);
        glEnable(NV_FRAGMENT_PROGRAM_TARGET);
    }

    Rgba Run(const std::string& body) {
        Load(GL_FRAGMENT_PROGRAM_NV, "!!FP1.0\n" + body + "\nEND\n");
        return Draw();
    }

    Rgba Draw() {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
        glMultiTexCoord4fARB(GL_TEXTURE0_ARB, 0.25f, 0.5f, 0.75f, 1.0f);
        glMultiTexCoord4fARB(GL_TEXTURE1_ARB, -0.5f, 0.5f, 2.0f, 0.0f);
        DrawFullViewportQuad();
        return ReadColor(SIZE / 2, SIZE / 2);
    }
};

// Red, green and blue: the framebuffer has no alpha channel.
void ExpectColor(const Rgba& actual, const Rgba& expected, const char* name) {
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(actual[c], expected[c], COLOR_TOLERANCE) << name << ", component " << c;
    }
}

TEST_F(NvFragmentProgram, ProgramsComputeWhatTheNvInstructionsDefine) {
    for (const FragmentCase& c : CASES) {
        ExpectColor(Run(c.body), c.expected, c.name);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.name;
    }
}

TEST_F(NvFragmentProgram, NamedAndLocalParametersCanBeChangedAfterLoading) {
    const GLuint id = Load(GL_FRAGMENT_PROGRAM_NV,
                           "!!FP1.0\nDECLARE tint = {0.1, 0.2, 0.3, 0.4};\nDECLARE unused;\n"
                           "ADD o[COLR], tint, p[3];\nEND\n");
    ExpectColor(Draw(), {0.1f, 0.2f, 0.3f, 0.4f}, "declared value");
    const GLubyte name[] = "tint";
    glProgramNamedParameter4fNV(id, 4, name, 0.5f, 0.25f, 0.0f, 0.5f);
    glProgramLocalParameter4fARB(GL_FRAGMENT_PROGRAM_NV, 3, 0.25f, 0.25f, 0.25f, 0.25f);
    ExpectColor(Draw(), {0.75f, 0.5f, 0.25f, 0.75f}, "changed values");
    glProgramNamedParameter4fNV(id, 3, name, 0, 0, 0, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
}

TEST_F(NvFragmentProgram, ResultDepthComesFromTheZComponent) {
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    Run("MOV o[COLR], f[COL0];\nMOV o[DEPR].z, {0.9, 0.8, 0.25, 0.7};");
    EXPECT_NEAR(ReadDepth(SIZE / 2, SIZE / 2), 0.25f, 1e-5f);
}

}  // namespace
