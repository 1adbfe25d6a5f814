// Matrix tracking and program parameter entry points.

#include <array>
#include <string_view>

#include "platform/nv_entry_points.h"
#include "platform/nv_layer_state.h"
#include "platform/nv_program_objects.h"
#include "platform/nv_real_gl.h"
#include "platform/nv_track_matrix.h"

namespace nvlayer {
namespace {

using nvprog::ProgramKind;

constexpr GLuint PARAM_COUNT = nvprog::VERTEX_PARAM_COUNT;

bool ValidBlockAddress(GLuint address) {
    return address % 4 == 0 && address < PARAM_COUNT;
}

void GLAPIENTRY TrackMatrixNV(GLenum target, GLuint address, GLenum matrix, GLenum transform) {
    WithCurrentContext([&](ContextState& c) {
        if (target != GL_VERTEX_PROGRAM_NV)
            return RaiseError(c, GL_INVALID_ENUM);
        if (!ValidBlockAddress(address))
            return RaiseError(c, GL_INVALID_VALUE);
        GLint active = GL_TEXTURE0;
        if (matrix == GL_TEXTURE)
            RealCore().getIntegerv(GL_ACTIVE_TEXTURE, &active);
        const auto track = DecodeTrack(matrix, transform, active - GL_TEXTURE0);
        if (!track)
            return RaiseError(c, GL_INVALID_ENUM);
        const std::size_t block = address / 4;
        c.requests[block] = {matrix, transform};
        if (c.tracking[block] == *track)
            return;
        c.tracking[block] = *track;
        TrackingChanged(c, static_cast<int>(block));
    });
}

void GLAPIENTRY GetTrackMatrixivNV(GLenum target, GLuint address, GLenum pname, GLint* params) {
    WithCurrentContext([&](ContextState& c) {
        if (target != GL_VERTEX_PROGRAM_NV)
            return RaiseError(c, GL_INVALID_ENUM);
        if (!ValidBlockAddress(address))
            return RaiseError(c, GL_INVALID_VALUE);
        const TrackRequest& r = c.requests[address / 4];
        if (pname == GL_TRACK_MATRIX_NV) {
            *params = static_cast<GLint>(r.matrix);
        } else if (pname == GL_TRACK_MATRIX_TRANSFORM_NV) {
            *params = static_cast<GLint>(r.transform);
        } else {
            RaiseError(c, GL_INVALID_ENUM);
        }
    });
}

// c[index..index+count-1] = values; the untracked registers are the
// vertex programs' environment parameters.
template <typename T>
void SetParameters(GLenum target, GLuint index, GLsizei count, const T* values) {
    WithCurrentContext([&](ContextState& c) {
        if (target != GL_VERTEX_PROGRAM_NV)
            return RaiseError(c, GL_INVALID_ENUM);
        if (count < 0 || index >= PARAM_COUNT || static_cast<GLuint>(count) > PARAM_COUNT - index) {
            return RaiseError(c, GL_INVALID_VALUE);
        }
        for (GLsizei i = 0; i < count; ++i) {
            const T* v = values + 4 * i;
            RealArb().envParameter4f(GL_VERTEX_PROGRAM_ARB, index + static_cast<GLuint>(i),
                                     static_cast<GLfloat>(v[0]), static_cast<GLfloat>(v[1]),
                                     static_cast<GLfloat>(v[2]), static_cast<GLfloat>(v[3]));
        }
    });
}

void GLAPIENTRY ProgramParameter4fNV(GLenum target, GLuint index, GLfloat x, GLfloat y, GLfloat z,
                                     GLfloat w) {
    const GLfloat v[] = {x, y, z, w};
    SetParameters(target, index, 1, v);
}

void GLAPIENTRY ProgramParameter4fvNV(GLenum target, GLuint index, const GLfloat* v) {
    SetParameters(target, index, 1, v);
}

void GLAPIENTRY ProgramParameter4dNV(GLenum target, GLuint index, GLdouble x, GLdouble y,
                                     GLdouble z, GLdouble w) {
    const GLdouble v[] = {x, y, z, w};
    SetParameters(target, index, 1, v);
}

void GLAPIENTRY ProgramParameter4dvNV(GLenum target, GLuint index, const GLdouble* v) {
    SetParameters(target, index, 1, v);
}

void GLAPIENTRY ProgramParameters4fvNV(GLenum target, GLuint index, GLsizei count,
                                       const GLfloat* v) {
    SetParameters(target, index, count, v);
}

void GLAPIENTRY ProgramParameters4dvNV(GLenum target, GLuint index, GLsizei count,
                                       const GLdouble* v) {
    SetParameters(target, index, count, v);
}

// A DECLAREd parameter of a loaded fragment program, by name.
void GLAPIENTRY ProgramNamedParameter4fNV(GLuint id, GLsizei len, const GLubyte* name, GLfloat x,
                                          GLfloat y, GLfloat z, GLfloat w) {
    WithCurrentContext([&](ContextState& c) {
        const auto found = c.group->programs.find(id);
        if (found == c.group->programs.end() || found->second.kind != ProgramKind::Fragment ||
            !found->second.program) {
            return RaiseError(c, GL_INVALID_OPERATION);
        }
        if (len <= 0 || name == nullptr)
            return RaiseError(c, GL_INVALID_VALUE);
        const std::string_view wanted(reinterpret_cast<const char*>(name),
                                      static_cast<std::size_t>(len));
        const auto& named = found->second.program->named;
        for (std::size_t k = 0; k < named.size(); ++k) {
            if (named[k].name != wanted)
                continue;
            return SetLocalParameter(found->second, nvprog::NAMED_LOCAL_BASE + static_cast<int>(k),
                                     {x, y, z, w});
        }
        RaiseError(c, GL_INVALID_VALUE);
    });
}

void GLAPIENTRY ProgramNamedParameter4fvNV(GLuint id, GLsizei len, const GLubyte* name,
                                           const GLfloat* v) {
    ProgramNamedParameter4fNV(id, len, name, v[0], v[1], v[2], v[3]);
}

// p[index] of the bound NV fragment program: set with the NV fragment
// target, or with the ARB one while an NV program is bound.
void GLAPIENTRY ProgramLocalParameter4fvARB(GLenum target, GLuint index, const GLfloat* v) {
    bool handled = false;
    WithCurrentContext([&](ContextState& c) {
        const GLuint id = c.bound[KindIndex(ProgramKind::Fragment)];
        if (target != GL_FRAGMENT_PROGRAM_NV && (target != GL_FRAGMENT_PROGRAM_ARB || id == 0)) {
            return;
        }
        handled = true;
        const auto found = c.group->programs.find(id);
        if (found == c.group->programs.end())
            return RaiseError(c, GL_INVALID_OPERATION);
        if (index >= static_cast<GLuint>(nvprog::FRAGMENT_LOCAL_COUNT)) {
            return RaiseError(c, GL_INVALID_VALUE);
        }
        SetLocalParameter(found->second, static_cast<int>(index), {v[0], v[1], v[2], v[3]});
    });
    if (!handled)
        RealArb().localParameter4fv(target, index, v);
}

void GLAPIENTRY ProgramLocalParameter4fARB(GLenum target, GLuint index, GLfloat x, GLfloat y,
                                           GLfloat z, GLfloat w) {
    const GLfloat v[] = {x, y, z, w};
    ProgramLocalParameter4fvARB(target, index, v);
}

}  // namespace

void InstallParameterEntryPoints() {
    __glewTrackMatrixNV = TrackMatrixNV;
    __glewGetTrackMatrixivNV = GetTrackMatrixivNV;
    __glewProgramParameter4fNV = ProgramParameter4fNV;
    __glewProgramParameter4fvNV = ProgramParameter4fvNV;
    __glewProgramParameter4dNV = ProgramParameter4dNV;
    __glewProgramParameter4dvNV = ProgramParameter4dvNV;
    __glewProgramParameters4fvNV = ProgramParameters4fvNV;
    __glewProgramParameters4dvNV = ProgramParameters4dvNV;
    __glewProgramNamedParameter4fNV = ProgramNamedParameter4fNV;
    __glewProgramNamedParameter4fvNV = ProgramNamedParameter4fvNV;
    __glewProgramLocalParameter4fARB = ProgramLocalParameter4fARB;
    __glewProgramLocalParameter4fvARB = ProgramLocalParameter4fvARB;
}

}  // namespace nvlayer
