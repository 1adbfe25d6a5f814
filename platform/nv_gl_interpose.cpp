// Core GL functions the NV program layer answers in part itself. They are
// defined here, in the program, so the program's own calls reach them first;
// everything they do not handle goes on to the driver's definitions.
//   glGetIntegerv: GL_PROGRAM_ERROR_POSITION_NV after glLoadProgramNV, and
//                  the NV program binding queries.
//   glGetError:    the errors the layer's entry points raise.
//   glBindTexture: a bound NV fragment program follows the depth comparison
//                  of the textures it samples.

#include "platform/nv_gl_interpose.h"

#include <GL/glew.h>

#include "platform/nv_layer_state.h"
#include "platform/nv_program_objects.h"
#include "platform/nv_real_gl.h"

namespace {

using nvlayer::ContextState;
using nvlayer::LayerState;

bool AnswerInteger(GLenum pname, GLint* data) {
    bool answered = false;
    nvlayer::WithCurrentContext([&](ContextState& c) {
        if (pname == GL_PROGRAM_ERROR_POSITION_NV && c.lastLoadWasNv) {
            *data = c.errorPosition;
        } else if (pname == GL_VERTEX_PROGRAM_BINDING_NV) {
            *data = static_cast<GLint>(c.bound[nvlayer::KindIndex(nvprog::ProgramKind::Vertex)]);
        } else if (pname == GL_FRAGMENT_PROGRAM_BINDING_NV) {
            *data = static_cast<GLint>(c.bound[nvlayer::KindIndex(nvprog::ProgramKind::Fragment)]);
        } else {
            return;
        }
        answered = true;
    });
    return answered;
}

}  // namespace

bool nvlayer::CoreInterposersReady() {
    const RealCoreGl& core = RealCore();
    return core.getIntegerv != nullptr && core.getError != nullptr && core.bindTexture != nullptr;
}

extern "C" {

void glGetIntegerv(GLenum pname, GLint* data) {
    const bool ours = pname == GL_PROGRAM_ERROR_POSITION_NV ||
                      pname == GL_VERTEX_PROGRAM_BINDING_NV ||
                      pname == GL_FRAGMENT_PROGRAM_BINDING_NV;
    if (ours && LayerState::Get().Installed() && AnswerInteger(pname, data))
        return;
    nvlayer::RealCore().getIntegerv(pname, data);
}

GLenum glGetError() {
    GLenum error = GL_NO_ERROR;
    if (LayerState::Get().HasPendingErrors()) {
        nvlayer::WithCurrentContext([&](ContextState& c) {
            error = c.pendingError;
            c.pendingError = GL_NO_ERROR;
        });
    }
    return error != GL_NO_ERROR ? error : nvlayer::RealCore().getError();
}

void glBindTexture(GLenum target, GLuint texture) {
    nvlayer::RealCore().bindTexture(target, texture);
    if (!LayerState::Get().Installed())
        return;
    nvlayer::WithCurrentContext(
        [&](ContextState& c) { nvlayer::TextureBindingChanged(c, target); });
}

}  // extern "C"
