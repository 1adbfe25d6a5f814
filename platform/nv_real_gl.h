// The driver's own entry points the NV program layer builds on: the ARB
// program functions as GLEW loaded them (captured before the layer replaces
// some of them), and the core functions the layer interposes, found past
// the layer's own definitions.
#pragma once

#include <GL/glew.h>

namespace nvlayer {

struct RealArbGl {
    PFNGLBINDPROGRAMARBPROC bindProgram = nullptr;
    PFNGLGENPROGRAMSARBPROC genPrograms = nullptr;
    PFNGLDELETEPROGRAMSARBPROC deletePrograms = nullptr;
    PFNGLPROGRAMSTRINGARBPROC programString = nullptr;
    PFNGLGETPROGRAMIVARBPROC getProgramiv = nullptr;
    PFNGLPROGRAMENVPARAMETER4FARBPROC envParameter4f = nullptr;
    PFNGLPROGRAMLOCALPARAMETER4FARBPROC localParameter4f = nullptr;
    PFNGLPROGRAMLOCALPARAMETER4FVARBPROC localParameter4fv = nullptr;
    PFNGLACTIVETEXTUREPROC activeTexture = nullptr;
};

struct RealCoreGl {
    void (*getIntegerv)(GLenum, GLint*) = nullptr;
    GLenum (*getError)() = nullptr;
    void (*bindTexture)(GLenum, GLuint) = nullptr;
};

// Copies GLEW's current ARB entry points; called once, before installing.
void CaptureRealArbGl();
const RealArbGl& RealArb();
const RealCoreGl& RealCore();

}  // namespace nvlayer
