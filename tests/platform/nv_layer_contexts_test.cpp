// Program objects are shared by contexts that share objects; tracking is
// each context's own; translations are made once and then only looked up.

#include <set>
#include <string>

#include "platform/nv_program_layer.h"
#include "tests/platform/nv_gl_fixture.h"
#include "view/gpu_programs.h"

namespace {

// Writes c[0] as its colour.
const char* const COLOR_FROM_C0 = "!!VP1.0\nMOV o[COL0], c[0];\nMOV o[HPOS], v[OPOS];\nEND\n";

class NvLayerContexts : public NvGlTest {
  protected:
    std::array<float, 4> DrawWith(GLuint program) {
        glEnable(NV_VERTEX_PROGRAM_TARGET);
        glBindProgramNV(GL_VERTEX_PROGRAM_NV, program);
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_QUADS);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
        return ReadColor(SIZE / 2, SIZE / 2);
    }

    // Modelview row 0 = (0.5, 0.25, 0.75, x) while c[0] tracks it.
    static void TrackModelview() {
        glMatrixMode(GL_MODELVIEW);
        const float m[16] = {0.5f, 0, 0, 0, 0.25f, 1, 0, 0, 0.75f, 0, 1, 0, 0, 0, 0, 1};
        glLoadMatrixf(m);
        glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV);
    }

    // The ARB program names in use among the first few hundred.
    static std::set<GLuint> ProgramNames() {
        std::set<GLuint> names;
        for (GLuint id = 1; id < 400; ++id) {
            if (glIsProgramARB(id))
                names.insert(id);
        }
        return names;
    }
};

void ExpectRgb(const std::array<float, 4>& c, float r, float g, float b, const char* what) {
    EXPECT_NEAR(c[0], r, COLOR_TOLERANCE) << what;
    EXPECT_NEAR(c[1], g, COLOR_TOLERANCE) << what;
    EXPECT_NEAR(c[2], b, COLOR_TOLERANCE) << what;
}

TEST_F(NvLayerContexts, ProgramsAreSharedAndTrackingIsPerContext) {
    const GLuint program = Load(GL_VERTEX_PROGRAM_NV, COLOR_FROM_C0);
    TrackModelview();
    ExpectRgb(DrawWith(program), 0.5f, 0.25f, 0.75f, "tracked in the first context");

    const GlxContext sharing = CreateContext(MainContext());
    MakeCurrent(sharing);
    EXPECT_TRUE(glIsProgramNV(program));
    glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 0, 0.1f, 0.2f, 0.3f, 1);
    ExpectRgb(DrawWith(program), 0.1f, 0.2f, 0.3f, "untracked in the sharing context");

    MakeCurrent(MainContext());
    ExpectRgb(DrawWith(program), 0.5f, 0.25f, 0.75f, "still tracked in the first context");

    const GlxContext separate = CreateContext(nullptr);
    MakeCurrent(separate);
    EXPECT_FALSE(glIsProgramNV(program));
}

TEST_F(NvLayerContexts, ALoadInOneContextServesTheSharingContextsTracking) {
    const GlxContext sharing = CreateContext(MainContext());
    MakeCurrent(sharing);
    TrackModelview();
    MakeCurrent(MainContext());
    const GLuint program = Load(GL_VERTEX_PROGRAM_NV, COLOR_FROM_C0);
    glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 0, 0.1f, 0.2f, 0.3f, 1);
    ExpectRgb(DrawWith(program), 0.1f, 0.2f, 0.3f, "untracked where loaded");
    MakeCurrent(sharing);
    ExpectRgb(DrawWith(program), 0.5f, 0.25f, 0.75f, "tracked where bound");
}

// Both passes' bindings and tracking, as one frame sets them, in one context.
void Frame(GLuint depthVp, GLuint depthFp, GLuint sceneVp, GLuint sceneFp) {
    glBindProgramNV(GL_VERTEX_PROGRAM_NV, depthVp);
    glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, depthFp);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 8, GL_MATRIX0_NV, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 4, GL_PROJECTION, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 12, GL_NONE, GL_IDENTITY_NV);
    glBindProgramNV(GL_VERTEX_PROGRAM_NV, sceneVp);
    glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, sceneFp);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 8, GL_MATRIX0_NV, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 16, GL_MATRIX1_NV, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 20, GL_MATRIX2_NV, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 4, GL_PROJECTION, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 12, GL_MODELVIEW, GL_INVERSE_TRANSPOSE_NV);
    glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 24, 1, 2, 3, 1);
}

TEST_F(NvLayerContexts, FramesAfterTheFirstMakeNoNewTranslations) {
    const GLuint depthVp = Load(GL_VERTEX_PROGRAM_NV, g_strDepthVertexProgram);
    const GLuint depthFp = Load(GL_FRAGMENT_PROGRAM_NV, g_strDepthFragmentProgram);
    const GLuint sceneVp = Load(GL_VERTEX_PROGRAM_NV, g_strSceneVertexProgram);
    const GLuint sceneFp = Load(GL_FRAGMENT_PROGRAM_NV, g_strSceneFragmentProgramHQ);
    Frame(depthVp, depthFp, sceneVp, sceneFp);
    const std::set<GLuint> afterFirstFrame = ProgramNames();
    for (int i = 0; i < 10; ++i)
        Frame(depthVp, depthFp, sceneVp, sceneFp);
    EXPECT_EQ(ProgramNames(), afterFirstFrame);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(NvLayerContexts, DeletingAProgramDeletesItsTranslations) {
    const std::set<GLuint> before = ProgramNames();
    const GLuint program = Load(GL_VERTEX_PROGRAM_NV, COLOR_FROM_C0);
    TrackModelview();
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_TRANSPOSE_NV);
    EXPECT_GT(ProgramNames().size(), before.size() + 1);
    glDeleteProgramsNV(1, &program);
    EXPECT_FALSE(glIsProgramNV(program));
    EXPECT_EQ(ProgramNames(), before);
}

}  // namespace
