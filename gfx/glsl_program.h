#pragma once

#include <GL/glew.h>

#include <string>

// Compiles and links a GLSL program in the current context. Without a
// vertex shader (an empty text) the vertex stage stays whatever vertex
// program is bound, so the fragment shader reads the texture coordinates that
// program writes. Returns the program, or 0 with the compiler's or the
// linker's log in error.
GLuint LinkGlslProgram(const std::string& vertexSource, const std::string& fragmentSource,
                       std::string& error);
