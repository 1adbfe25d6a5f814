// Loading NV programs through the layer: the five program texts, the error
// position of a rejected text, and the GL errors of wrong arguments.

#include <string>

#include "platform/nv_program_layer.h"
#include "tests/platform/nv_gl_fixture.h"
#include "view/gpu_programs.h"

namespace {

struct ProgramText {
    const char* text;
    GLenum target;
};

const ProgramText FIVE_PROGRAMS[] = {
    {g_strDepthVertexProgram, GL_VERTEX_PROGRAM_NV},
    {g_strDepthFragmentProgram, GL_FRAGMENT_PROGRAM_NV},
    {g_strSceneVertexProgram, GL_VERTEX_PROGRAM_NV},
    {g_strSceneFragmentProgram, GL_FRAGMENT_PROGRAM_NV},
    {g_strSceneFragmentProgramHQ, GL_FRAGMENT_PROGRAM_NV},
};

using NvProgramLoad = NvGlTest;

TEST_F(NvProgramLoad, LayerStandsInForTheMissingExtensions) {
    EXPECT_TRUE(GLEW_NV_vertex_program);
    EXPECT_TRUE(GLEW_NV_fragment_program);
    EXPECT_TRUE(glewIsSupported("GL_NV_vertex_program GL_NV_fragment_program"));
    EXPECT_EQ(NV_FRAGMENT_PROGRAM_TARGET, static_cast<GLenum>(GL_FRAGMENT_PROGRAM_ARB));
    EXPECT_EQ(NV_MATRIX2, static_cast<GLenum>(GL_MATRIX2_ARB));
}

TEST_F(NvProgramLoad, EachOfTheFiveProgramsLoadsAndStaysBound) {
    for (const ProgramText& p : FIVE_PROGRAMS) {
        const GLuint id = Load(p.target, p.text);
        EXPECT_NE(id, 0u) << p.text;
        EXPECT_TRUE(glIsProgramNV(id));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << p.text;
    }
}

// '@' marks the expected error position (the character after it, or the
// end of the text).
struct BrokenText {
    const char* name;
    GLenum target;
    const char* marked;
};

const BrokenText BROKEN_TEXTS[] = {
    {"error on the first line", GL_VERTEX_PROGRAM_NV, "!!VP1.0 @DP5 R0, v[0], c[0];\nEND\n"},
    {"error right after a line feed", GL_VERTEX_PROGRAM_NV,
     "!!VP1.0\nDP4 R0.x, c[0], v[OPOS]\n@DP4 R0.y, c[1], v[OPOS];\nMOV o[HPOS], R0;\nEND\n"},
    {"error in the middle of a line", GL_FRAGMENT_PROGRAM_NV,
     "!!FP1.0\nDECLARE ambient = {0.8, 0.78, 0.78, 1.0};\nMUL o[COLR], f[COL0], @ambiant;\nEND\n"},
    {"garbage", GL_FRAGMENT_PROGRAM_NV, "@\x7f\x45LF garbage"},
    {"empty", GL_VERTEX_PROGRAM_NV, "@"},
    {"truncated", GL_VERTEX_PROGRAM_NV, "!!VP1.0\nDP4 R0.x, c[0], v[OPOS]@"},
    {"truncated after a line feed", GL_FRAGMENT_PROGRAM_NV, "!!FP1.0\nMOV o[COLR], f[COL0];\n@"},
    {"wrong target", GL_FRAGMENT_PROGRAM_NV, "@!!VP1.0\nMOV o[HPOS], v[0];\nEND\n"},
};

TEST_F(NvProgramLoad, RejectedTextsReportTheirErrorPosition) {
    for (const BrokenText& b : BROKEN_TEXTS) {
        std::string text = b.marked;
        const auto expected = static_cast<GLint>(text.find('@'));
        text.erase(static_cast<std::size_t>(expected), 1);
        EXPECT_EQ(ErrorPositionOfLoad(b.target, text), expected) << b.name;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION)) << b.name;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << b.name;
    }
    EXPECT_EQ(ErrorPositionOfLoad(GL_VERTEX_PROGRAM_NV, g_strDepthVertexProgram), -1);
}

TEST_F(NvProgramLoad, AFailedLoadKeepsTheProgramItReplaced) {
    const GLuint id = Load(GL_FRAGMENT_PROGRAM_NV, "!!FP1.0\nMOV o[COLR], {0, 1, 0, 1};\nEND\n");
    const std::string broken = "!!FP1.0\nMOV o[COLR], {1, 0, 0, 1}\nEND\n";
    glLoadProgramNV(GL_FRAGMENT_PROGRAM_NV, id, static_cast<GLsizei>(broken.size()),
                    reinterpret_cast<const GLubyte*>(broken.data()));
    GLint position = -1;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_NV, &position);
    EXPECT_EQ(position, static_cast<GLint>(broken.find("END")));

    glEnable(NV_FRAGMENT_PROGRAM_TARGET);
    DrawFullViewportQuad();
    const auto color = ReadColor(SIZE / 2, SIZE / 2);
    EXPECT_NEAR(color[0], 0.0f, COLOR_TOLERANCE);
    EXPECT_NEAR(color[1], 1.0f, COLOR_TOLERANCE);
}

TEST_F(NvProgramLoad, AnArbLoadAfterAnNvLoadReportsItsOwnPosition) {
    EXPECT_EQ(ErrorPositionOfLoad(GL_VERTEX_PROGRAM_NV, "!!VP1.0\n"), 8);
    GLuint arb = 0;
    glGenProgramsARB(1, &arb);
    glBindProgramARB(GL_VERTEX_PROGRAM_ARB, arb);
    const std::string text = "!!ARBvp1.0\nMOV result.position, vertex.position;\nEND\n";
    glProgramStringARB(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB,
                       static_cast<GLsizei>(text.size()), text.data());
    GLint position = 0;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_NV, &position);
    EXPECT_EQ(position, -1);
    glGetError();
}

struct BadCall {
    const char* name;
    void (*call)();
    GLenum error;
};

const GLubyte MOV_TEXT[] = "!!VP1.0\nMOV o[HPOS], v[0];\nEND\n";

const BadCall BAD_CALLS[] = {
    {"bind to an unknown target", [] { glBindProgramNV(GL_TEXTURE_2D, 1); }, GL_INVALID_ENUM},
    {"load into id 0", [] { glLoadProgramNV(GL_VERTEX_PROGRAM_NV, 0, 31, MOV_TEXT); },
     GL_INVALID_VALUE},
    {"load a negative length", [] { glLoadProgramNV(GL_VERTEX_PROGRAM_NV, 7, -1, MOV_TEXT); },
     GL_INVALID_VALUE},
    {"load a vertex state program",
     [] { glLoadProgramNV(GL_VERTEX_STATE_PROGRAM_NV, 7, 31, MOV_TEXT); }, GL_INVALID_ENUM},
    {"track at an address that is no multiple of four",
     [] { glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 6, GL_MODELVIEW, GL_IDENTITY_NV); },
     GL_INVALID_VALUE},
    {"track past the last register",
     [] { glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 96, GL_MODELVIEW, GL_IDENTITY_NV); },
     GL_INVALID_VALUE},
    {"track the colour matrix",
     [] { glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_COLOR, GL_IDENTITY_NV); }, GL_INVALID_ENUM},
    {"track with an unknown transform",
     [] { glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_MODELVIEW); }, GL_INVALID_ENUM},
    {"track for the fragment target",
     [] { glTrackMatrixNV(GL_FRAGMENT_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV); },
     GL_INVALID_ENUM},
    {"set parameter 96", [] { glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 96, 0, 0, 0, 0); },
     GL_INVALID_VALUE},
    {"set a parameter of the fragment target",
     [] { glProgramParameter4fNV(GL_FRAGMENT_PROGRAM_NV, 0, 0, 0, 0, 0); }, GL_INVALID_ENUM},
    {"bind a vertex program to the fragment target",
     [] {
         glBindProgramNV(GL_VERTEX_PROGRAM_NV, 9);
         glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, 9);
     },
     GL_INVALID_OPERATION},
    {"name a parameter of a vertex program",
     [] {
         glBindProgramNV(GL_VERTEX_PROGRAM_NV, 9);
         glProgramNamedParameter4fNV(9, 1, reinterpret_cast<const GLubyte*>("a"), 0, 0, 0, 0);
     },
     GL_INVALID_OPERATION},
};

TEST_F(NvProgramLoad, WrongArgumentsRaiseTheirGlError) {
    for (const BadCall& b : BAD_CALLS) {
        b.call();
        EXPECT_EQ(glGetError(), b.error) << b.name;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << b.name;
    }
}

TEST_F(NvProgramLoad, TrackingIsReportedAsRequested) {
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 20, GL_MATRIX2_NV, GL_INVERSE_TRANSPOSE_NV);
    GLint matrix = 0;
    GLint transform = 0;
    glGetTrackMatrixivNV(GL_VERTEX_PROGRAM_NV, 20, GL_TRACK_MATRIX_NV, &matrix);
    glGetTrackMatrixivNV(GL_VERTEX_PROGRAM_NV, 20, GL_TRACK_MATRIX_TRANSFORM_NV, &transform);
    EXPECT_EQ(matrix, GL_MATRIX2_NV);
    EXPECT_EQ(transform, GL_INVERSE_TRANSPOSE_NV);
    glGetTrackMatrixivNV(GL_VERTEX_PROGRAM_NV, 24, GL_TRACK_MATRIX_NV, &matrix);
    EXPECT_EQ(matrix, GL_NONE);
}

}  // namespace
