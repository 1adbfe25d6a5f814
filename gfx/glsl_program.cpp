#include "gfx/glsl_program.h"

#include <utility>
#include <vector>

namespace {

// The compiler's log of a shader, or the linker's of a program.
std::string InfoLog(GLuint object, PFNGLGETSHADERIVPROC getValue,
                    PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getValue(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length) + 1, '\0');
    getLog(object, length, nullptr, log.data());
    return log.data();
}

// A compiled shader, or 0 with the compiler's log in error.
GLuint CompileShader(GLenum kind, const std::string& source, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE)
        return shader;
    error = (kind == GL_VERTEX_SHADER ? "vertex shader: " : "fragment shader: ") +
            InfoLog(shader, glGetShaderiv, glGetShaderInfoLog);
    glDeleteShader(shader);
    return 0;
}

}  // namespace

GLuint LinkGlslProgram(const std::string& vertexSource, const std::string& fragmentSource,
                       std::string& error) {
    if (glCreateShader == nullptr) {
        error = "this OpenGL has no GLSL";
        return 0;
    }
    const GLuint program = glCreateProgram();
    for (const auto& [kind, source] : {std::make_pair(GL_VERTEX_SHADER, &vertexSource),
                                       std::make_pair(GL_FRAGMENT_SHADER, &fragmentSource)}) {
        if (source->empty())
            continue;
        const GLuint shader = CompileShader(kind, *source, error);
        if (shader == 0) {
            glDeleteProgram(program);
            return 0;
        }
        glAttachShader(program, shader);
        glDeleteShader(shader);  // freed with the program
    }
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        error = "GLSL program: " + InfoLog(program, glGetProgramiv, glGetProgramInfoLog);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}
