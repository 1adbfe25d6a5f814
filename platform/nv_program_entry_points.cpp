// Program object entry points: NV ids are ARB program names; binding and
// loading go through the translated variants.

#include <optional>
#include <string_view>

#include "platform/nv_entry_points.h"
#include "platform/nv_layer_state.h"
#include "platform/nv_program_objects.h"
#include "platform/nv_real_gl.h"

namespace nvlayer {
namespace {

using nvprog::ProgramKind;

// Both enum spellings of the fragment target name the same thing here.
std::optional<ProgramKind> KindOf(GLenum target) {
    if (target == GL_VERTEX_PROGRAM_NV)
        return ProgramKind::Vertex;
    if (target == GL_FRAGMENT_PROGRAM_NV || target == GL_FRAGMENT_PROGRAM_ARB) {
        return ProgramKind::Fragment;
    }
    return std::nullopt;
}

void GLAPIENTRY GenProgramsNV(GLsizei n, GLuint* ids) {
    WithCurrentContext([&](ContextState& c) {
        if (n < 0)
            return RaiseError(c, GL_INVALID_VALUE);
        RealArb().genPrograms(n, ids);
        for (GLsizei i = 0; i < n; ++i)
            c.group->programs.erase(ids[i]);
    });
}

void GLAPIENTRY DeleteProgramsNV(GLsizei n, const GLuint* ids) {
    WithCurrentContext([&](ContextState& c) {
        if (n < 0)
            return RaiseError(c, GL_INVALID_VALUE);
        DeletePrograms(c, n, ids);
    });
}

GLboolean GLAPIENTRY IsProgramNV(GLuint id) {
    GLboolean is = GL_FALSE;
    WithCurrentContext([&](ContextState& c) {
        is = id != 0 && c.group->programs.count(id) != 0 ? GL_TRUE : GL_FALSE;
    });
    return is;
}

void GLAPIENTRY BindProgramNV(GLenum target, GLuint id) {
    WithCurrentContext([&](ContextState& c) {
        const auto kind = KindOf(target);
        if (!kind)
            return RaiseError(c, GL_INVALID_ENUM);
        BindProgram(c, *kind, id);
    });
}

void GLAPIENTRY LoadProgramNV(GLenum target, GLuint id, GLsizei len, const GLubyte* program) {
    WithCurrentContext([&](ContextState& c) {
        const auto kind = KindOf(target);
        if (!kind)
            return RaiseError(c, GL_INVALID_ENUM);
        if (id == 0 || len < 0 || (len > 0 && program == nullptr)) {
            return RaiseError(c, GL_INVALID_VALUE);
        }
        const std::string_view text(reinterpret_cast<const char*>(program),
                                    static_cast<std::size_t>(len));
        LoadProgram(c, *kind, id, text);
    });
}

// An NV program bound through the ARB function takes the NV path; any
// other program is the driver's.
void GLAPIENTRY BindProgramARB(GLenum target, GLuint id) {
    const auto kind = KindOf(target);
    if (!kind)
        return RealArb().bindProgram(target, id);
    WithCurrentContext([&](ContextState& c) {
        if (target == GL_FRAGMENT_PROGRAM_NV || (id != 0 && c.group->programs.count(id) != 0)) {
            return BindProgram(c, *kind, id);
        }
        c.bound[KindIndex(*kind)] = 0;
        c.boundArb[KindIndex(*kind)] = id;
        RealArb().bindProgram(target, id);
    });
}

void GLAPIENTRY DeleteProgramsARB(GLsizei n, const GLuint* ids) {
    if (n < 0)
        return RealArb().deletePrograms(n, ids);
    WithCurrentContext([&](ContextState& c) { DeletePrograms(c, n, ids); });
}

// ARB text loaded over a bound NV program turns it into an ARB program; the
// driver's error position answers for it.
void GLAPIENTRY ProgramStringARB(GLenum target, GLenum format, GLsizei len, const void* string) {
    const auto kind = KindOf(target);
    WithCurrentContext([&](ContextState& c) {
        c.lastLoadWasNv = false;
        if (kind)
            DetachBoundProgram(c, *kind);
    });
    RealArb().programString(target, format, len, string);
}

}  // namespace

bool EntryPointsInstalled() {
    return __glewBindProgramARB == BindProgramARB;
}

void InstallProgramEntryPoints() {
    __glewGenProgramsNV = GenProgramsNV;
    __glewDeleteProgramsNV = DeleteProgramsNV;
    __glewIsProgramNV = IsProgramNV;
    __glewBindProgramNV = BindProgramNV;
    __glewLoadProgramNV = LoadProgramNV;
    __glewBindProgramARB = BindProgramARB;
    __glewDeleteProgramsARB = DeleteProgramsARB;
    __glewProgramStringARB = ProgramStringARB;
}

}  // namespace nvlayer
