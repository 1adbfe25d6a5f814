#include <cstdlib>

#include "gfx/gl_context.h"
#include "gfx/program_error_report.h"
#include "platform/message_box.h"

namespace {

// Loads text into a new program bound to target. A rejected text ends the process after the
// report of its error position and line.
GLuint LoadProgram(GLenum target, const char* kind, const std::string& text) {
    GLuint id = 0;
    glGenProgramsNV(1, &id);
    glBindProgramNV(target, id);
    glLoadProgramNV(target, id, static_cast<GLsizei>(text.size()),
                    reinterpret_cast<const GLubyte*>(text.data()));
    GLint position = -1;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_NV, &position);
    if (position == -1) {
        return id;
    }
    ShowMessageBox(ProgramErrorReport(kind, text, position));
    std::exit(-1);
}

}  // namespace

GLuint GLContext::LoadVertexProgram(std::string text) {
    return LoadProgram(GL_VERTEX_PROGRAM_NV, "vertex", text);
}

GLuint GLContext::LoadFragmentProgram(std::string text) {
    return LoadProgram(GL_FRAGMENT_PROGRAM_NV, "fragment", text);
}
