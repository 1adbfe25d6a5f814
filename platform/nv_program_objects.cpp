#include "platform/nv_program_objects.h"

#include <climits>
#include <cstdio>
#include <utility>

#include "platform/nv_real_gl.h"

namespace nvlayer {
namespace {

using nvprog::ProgramKind;

GLenum TextureTarget(nvprog::TexTarget target) {
    switch (target) {
        case nvprog::TexTarget::Tex1D:
            return GL_TEXTURE_1D;
        case nvprog::TexTarget::Rect:
            return GL_TEXTURE_RECTANGLE_ARB;
        default:
            return GL_TEXTURE_2D;
    }
}

// Whether the texture bound to the active unit's target compares depths.
bool ComparesDepth(GLenum target) {
    GLint mode = GL_NONE;
    GLint depthBits = 0;
    glGetTexParameteriv(target, GL_TEXTURE_COMPARE_MODE_ARB, &mode);
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_DEPTH_SIZE, &depthBits);
    return mode == GL_COMPARE_R_TO_TEXTURE_ARB && depthBits > 0;
}

std::uint32_t DepthComparedUnits(const ProgramObject& program) {
    if (program.shadowCapableUnits.empty())
        return 0;
    GLint active = GL_TEXTURE0;
    RealCore().getIntegerv(GL_ACTIVE_TEXTURE, &active);
    std::uint32_t units = 0;
    for (const nvprog::SampledUnit& s : program.shadowCapableUnits) {
        const GLint unit = GL_TEXTURE0 + s.unit;
        if (unit != active)
            RealArb().activeTexture(static_cast<GLenum>(unit));
        if (ComparesDepth(TextureTarget(s.target)))
            units |= 1u << s.unit;
    }
    RealArb().activeTexture(static_cast<GLenum>(active));
    return units;
}

std::uint32_t Pack(const nvprog::MatrixTrack& t) {
    return static_cast<std::uint32_t>(t.matrix) | static_cast<std::uint32_t>(t.index) << 8 |
           static_cast<std::uint32_t>(t.transform) << 16;
}

VariantKey KeyFor(const ContextState& context, const ProgramObject& program) {
    VariantKey key{};
    if (program.kind == ProgramKind::Fragment) {
        key[0] = DepthComparedUnits(program);
        return key;
    }
    for (std::size_t b = 0; b < key.size(); ++b) {
        if (program.referencedBlocks & (1u << b))
            key[b] = Pack(context.tracking[b]);
    }
    return key;
}

nvprog::ArbText Translate(const ContextState& context, const ProgramObject& program,
                          const VariantKey& key) {
    if (program.kind == ProgramKind::Vertex) {
        return nvprog::WriteArbVertexProgram(*program.program, context.tracking);
    }
    return nvprog::WriteArbFragmentProgram(*program.program, key[0]);
}

// Runs body with arbId bound to target, then restores the previous binding.
template <typename Body>
void WithArbProgram(GLenum target, GLuint arbId, Body body) {
    GLint previous = 0;
    RealArb().getProgramiv(target, GL_PROGRAM_BINDING_ARB, &previous);
    RealArb().bindProgram(target, arbId);
    body();
    RealArb().bindProgram(target, static_cast<GLuint>(previous));
}

void ApplyLocals(GLenum target, const ProgramObject& program) {
    for (const auto& [index, value] : program.locals) {
        RealArb().localParameter4fv(target, static_cast<GLuint>(index), value.data());
    }
}

// Loads arb into the ARB program arbId. Returns -1, or the NV position of
// the line the driver rejected (it has raised GL_INVALID_OPERATION).
GLint LoadArb(const ProgramObject& program, GLuint arbId, const nvprog::ArbText& arb) {
    const GLenum target = ArbTarget(program.kind);
    GLint position = -1;
    WithArbProgram(target, arbId, [&] {
        RealArb().programString(target, GL_PROGRAM_FORMAT_ASCII_ARB,
                                static_cast<GLsizei>(arb.text.size()), arb.text.data());
        RealCore().getIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &position);
        if (position < 0)
            ApplyLocals(target, program);
    });
    return position < 0 ? -1
                        : static_cast<GLint>(arb.NvPosition(static_cast<std::size_t>(position)));
}

GLuint VariantFor(const ContextState& context, GLuint id, ProgramObject& program) {
    const VariantKey key = KeyFor(context, program);
    const auto found = program.variants.find(key);
    if (found != program.variants.end())
        return found->second;
    GLuint arbId = 0;
    RealArb().genPrograms(1, &arbId);
    const GLint position = LoadArb(program, arbId, Translate(context, program, key));
    if (position != -1) {
        std::fprintf(stderr, "NV program %u: the driver rejected a variant at position %d\n", id,
                     position);
        RealArb().deletePrograms(1, &arbId);
        return id;
    }
    program.variants.emplace(key, arbId);
    return arbId;
}

ProgramObject MakeProgram(ProgramKind kind, nvprog::Program parsed, const ProgramObject* old) {
    ProgramObject program;
    program.kind = kind;
    program.referencedBlocks = nvprog::ReferencedParamBlocks(parsed);
    program.shadowCapableUnits = nvprog::ShadowCapableUnits(parsed);
    if (old != nullptr) {
        for (const auto& [index, value] : old->locals) {
            if (index < nvprog::NAMED_LOCAL_BASE)
                program.locals[index] = value;
        }
    }
    for (std::size_t k = 0; k < parsed.named.size(); ++k) {
        program.locals[nvprog::NAMED_LOCAL_BASE + static_cast<int>(k)] = parsed.named[k].value;
    }
    program.program = std::make_shared<const nvprog::Program>(std::move(parsed));
    return program;
}

void DeleteVariants(const ProgramObject& program, GLuint id) {
    for (const auto& [key, arbId] : program.variants) {
        if (arbId != id)
            RealArb().deletePrograms(1, &arbId);
    }
}

// Deletes the variants other than the NV id's own and forgets the program.
void Forget(ContextState& context, GLuint id) {
    const auto found = context.group->programs.find(id);
    if (found == context.group->programs.end())
        return;
    DeleteVariants(found->second, id);
    context.group->programs.erase(found);
}

GLint ClampPosition(std::size_t position) {
    return position > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<GLint>(position);
}

}  // namespace

GLenum ArbTarget(ProgramKind kind) {
    return kind == ProgramKind::Vertex ? GL_VERTEX_PROGRAM_ARB : GL_FRAGMENT_PROGRAM_ARB;
}

void LoadProgram(ContextState& context, ProgramKind kind, GLuint id, std::string_view text) {
    auto& programs = context.group->programs;
    const auto existing = programs.find(id);
    const ProgramObject* old = existing != programs.end() ? &existing->second : nullptr;
    if (old != nullptr && old->kind != kind)
        return RaiseError(context, GL_INVALID_OPERATION);
    context.lastLoadWasNv = true;
    nvprog::ParseResult parsed = nvprog::ParseNvProgram(text, kind);
    if (!parsed.ok) {
        context.errorPosition = ClampPosition(parsed.error.position);
        return RaiseError(context, GL_INVALID_OPERATION);
    }
    ProgramObject program = MakeProgram(kind, std::move(parsed.program), old);
    const VariantKey key = KeyFor(context, program);
    context.errorPosition = LoadArb(program, id, Translate(context, program, key));
    if (context.errorPosition != -1)
        return;
    if (old != nullptr)
        DeleteVariants(*old, id);
    program.variants.emplace(key, id);
    programs[id] = std::move(program);
    if (context.bound[KindIndex(kind)] == id) {
        context.boundArb[KindIndex(kind)] = 0;
        RebindVariant(context, kind);
    }
}

void BindProgram(ContextState& context, ProgramKind kind, GLuint id) {
    const std::size_t k = KindIndex(kind);
    if (id != 0) {
        const auto [it, created] = context.group->programs.try_emplace(id);
        if (created)
            it->second.kind = kind;
        if (it->second.kind != kind)
            return RaiseError(context, GL_INVALID_OPERATION);
    }
    context.bound[k] = id;
    context.boundArb[k] = 0;
    RebindVariant(context, kind);
}

void RebindVariant(ContextState& context, ProgramKind kind) {
    const std::size_t k = KindIndex(kind);
    const GLuint id = context.bound[k];
    GLuint arbId = id;
    if (id != 0) {
        const auto found = context.group->programs.find(id);
        if (found == context.group->programs.end())
            return;
        if (found->second.program)
            arbId = VariantFor(context, id, found->second);
    }
    if (arbId == context.boundArb[k] && id != 0)
        return;
    RealArb().bindProgram(ArbTarget(kind), arbId);
    context.boundArb[k] = arbId;
}

void TrackingChanged(ContextState& context, int block) {
    const GLuint id = context.bound[KindIndex(ProgramKind::Vertex)];
    if (id == 0)
        return;
    const auto found = context.group->programs.find(id);
    if (found != context.group->programs.end() && (found->second.referencedBlocks >> block & 1u)) {
        RebindVariant(context, ProgramKind::Vertex);
    }
}

void TextureBindingChanged(ContextState& context, GLenum target) {
    const GLuint id = context.bound[KindIndex(ProgramKind::Fragment)];
    if (id == 0)
        return;
    const auto found = context.group->programs.find(id);
    if (found == context.group->programs.end())
        return;
    GLint active = GL_TEXTURE0;
    RealCore().getIntegerv(GL_ACTIVE_TEXTURE, &active);
    for (const nvprog::SampledUnit& s : found->second.shadowCapableUnits) {
        if (GL_TEXTURE0 + s.unit == active && TextureTarget(s.target) == target) {
            return RebindVariant(context, ProgramKind::Fragment);
        }
    }
}

void DetachBoundProgram(ContextState& context, ProgramKind kind) {
    const std::size_t k = KindIndex(kind);
    const GLuint id = context.bound[k];
    if (id == 0)
        return;
    Forget(context, id);
    context.bound[k] = 0;
    context.boundArb[k] = id;
    RealArb().bindProgram(ArbTarget(kind), id);
}

void DeletePrograms(ContextState& context, GLsizei n, const GLuint* ids) {
    for (GLsizei i = 0; i < n; ++i) {
        Forget(context, ids[i]);
        for (std::size_t k = 0; k < 2; ++k) {
            if (context.bound[k] == ids[i])
                context.bound[k] = context.boundArb[k] = 0;
        }
    }
    RealArb().deletePrograms(n, ids);
}

void SetLocalParameter(ProgramObject& program, int index, const std::array<float, 4>& value) {
    program.locals[index] = value;
    const GLenum target = ArbTarget(program.kind);
    for (const auto& [key, arbId] : program.variants) {
        WithArbProgram(target, arbId, [&] {
            RealArb().localParameter4fv(target, static_cast<GLuint>(index), value.data());
        });
    }
}

}  // namespace nvlayer
