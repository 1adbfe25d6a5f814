#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <string>

#include "gfx/gl_context.h"
#include "gfx/gl_context_fltk.h"
#include "platform/message_box.h"
#include "platform/nv_program_layer.h"

namespace {

constexpr int EXIT_REJECTED = 255;  // exit(-1) as the parent sees it

const std::string VERTEX_PROGRAM =
    "!!VP1.0\n"
    "DP4 o[HPOS].x, c[0], v[OPOS];\n"
    "DP4 o[HPOS].y, c[1], v[OPOS];\n"
    "DP4 o[HPOS].z, c[2], v[OPOS];\n"
    "DP4 o[HPOS].w, c[3], v[OPOS];\n"
    "MOV o[COL0], v[COL0];\n"
    "END\n";

const std::string FRAGMENT_PROGRAM =
    "!!FP1.0\n"
    "MOV o[COLR], f[COL0];\n"
    "END\n";

class TestWindow : public Fl_Gl_Window {
  public:
    TestWindow() : Fl_Gl_Window(64, 64, "KVX Demo") {}
    void draw() override {}
};

// The escaped text matches itself in a POSIX extended regular expression.
std::string Literal(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (std::string(".[]{}()*+?^$|\\").find(c) != std::string::npos) {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// The one line a rejected program leaves on standard error in batch mode.
std::string ReportLine(const char* kind, std::size_t position, const std::string& line) {
    return "^" +
           Literal("OpenGL Error: Load of NV " + std::string(kind) +
                   " program failed on position " + std::to_string(position) + ":" + line) +
           "\n$";
}

// Each test, and each child process of a death test, gets its own window and context.
class ProgramLoading : public ::testing::Test {
  protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        SetMessageBoxBatchMode(true);
        m_window.show();
        Fl::check();
        ASSERT_TRUE(m_context.Create(&m_window));
        ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
        InstallNvProgramLayer();
        ASSERT_TRUE(GLEW_NV_vertex_program && GLEW_NV_fragment_program);
    }

    TestWindow m_window;
    GLContext m_context;
};

TEST_F(ProgramLoading, ReturnsNewProgramsBoundToTheirTargets) {
    const GLuint vertex = m_context.LoadVertexProgram(VERTEX_PROGRAM);
    const GLuint fragment = m_context.LoadFragmentProgram(FRAGMENT_PROGRAM);
    const GLuint secondVertex = m_context.LoadVertexProgram(VERTEX_PROGRAM);
    EXPECT_NE(vertex, 0u);
    EXPECT_NE(fragment, 0u);
    EXPECT_NE(secondVertex, vertex);
    GLint boundVertex = 0;
    GLint boundFragment = 0;
    glGetIntegerv(GL_VERTEX_PROGRAM_BINDING_NV, &boundVertex);
    glGetIntegerv(GL_FRAGMENT_PROGRAM_BINDING_NV, &boundFragment);
    EXPECT_EQ(static_cast<GLuint>(boundVertex), secondVertex);
    EXPECT_EQ(static_cast<GLuint>(boundFragment), fragment);
}

TEST_F(ProgramLoading, RejectedVertexProgramReportsTheLineAndExits) {
    const std::string badHeader = "!!VP9.9\n" + VERTEX_PROGRAM.substr(8);
    EXPECT_EXIT(m_context.LoadVertexProgram(badHeader), ::testing::ExitedWithCode(EXIT_REJECTED),
                ReportLine("vertex", 0, "!!VP9.9"));

    std::string badMiddle = VERTEX_PROGRAM;
    badMiddle.replace(badMiddle.find("c[1]"), 4, "c[X]");
    EXPECT_EXIT(m_context.LoadVertexProgram(badMiddle), ::testing::ExitedWithCode(EXIT_REJECTED),
                ReportLine("vertex", badMiddle.find("X]"), "DP4 o[HPOS].y, c[X], v[OPOS];"));

    // Without END the error lies at the end of the text, after its last line feed.
    const std::string noEnd = VERTEX_PROGRAM.substr(0, VERTEX_PROGRAM.find("END"));
    EXPECT_EXIT(m_context.LoadVertexProgram(noEnd), ::testing::ExitedWithCode(EXIT_REJECTED),
                ReportLine("vertex", noEnd.size(), ""));
}

TEST_F(ProgramLoading, RejectedFragmentProgramReportsTheLineAndExits) {
    const std::string badOpcode = "!!FP1.0\nMOV o[COLR], f[COL0];\nFOO R0, R1;\nEND\n";
    EXPECT_EXIT(m_context.LoadFragmentProgram(badOpcode), ::testing::ExitedWithCode(EXIT_REJECTED),
                ReportLine("fragment", badOpcode.find("FOO"), "FOO R0, R1;"));
}

}  // namespace
