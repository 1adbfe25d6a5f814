#include "platform/nv_real_gl.h"

#include <dlfcn.h>

namespace nvlayer {
namespace {

RealArbGl& MutableArb() {
    static RealArbGl arb;
    return arb;
}

// The definition after the layer's own; libGL's when the search order does
// not place it after the layer.
template <typename Fn>
Fn Next(const char* name) {
    void* next = dlsym(RTLD_NEXT, name);
    if (next == nullptr)
        next = dlsym(dlopen("libGL.so.1", RTLD_NOW | RTLD_GLOBAL), name);
    return reinterpret_cast<Fn>(next);
}

}  // namespace

void CaptureRealArbGl() {
    RealArbGl& arb = MutableArb();
    arb.bindProgram = __glewBindProgramARB;
    arb.genPrograms = __glewGenProgramsARB;
    arb.deletePrograms = __glewDeleteProgramsARB;
    arb.programString = __glewProgramStringARB;
    arb.getProgramiv = __glewGetProgramivARB;
    arb.envParameter4f = __glewProgramEnvParameter4fARB;
    arb.localParameter4f = __glewProgramLocalParameter4fARB;
    arb.localParameter4fv = __glewProgramLocalParameter4fvARB;
    arb.activeTexture =
        __glewActiveTexture != nullptr ? __glewActiveTexture : __glewActiveTextureARB;
}

const RealArbGl& RealArb() {
    return MutableArb();
}

const RealCoreGl& RealCore() {
    static const RealCoreGl core = {
        Next<void (*)(GLenum, GLint*)>("glGetIntegerv"),
        Next<GLenum (*)()>("glGetError"),
        Next<void (*)(GLenum, GLuint)>("glBindTexture"),
    };
    return core;
}

}  // namespace nvlayer
