// NV program objects on top of ARB program objects. A program's NV id is an
// ARB program name; the ARB text in it is the translation for the tracking
// (vertex) or depth-compared units (fragment) in force when it was loaded.
// Other translations, needed when a context's state differs, are made once
// and kept under further ARB names, so binding a program or re-tracking a
// matrix costs a lookup after the first time.
#pragma once

#include <GL/glew.h>

#include <array>
#include <string_view>

#include "platform/nv_layer_state.h"

namespace nvlayer {

GLenum ArbTarget(nvprog::ProgramKind kind);

// glLoadProgramNV: parses, translates and loads text into id; on failure
// sets the context's error position (a position in text) and leaves the
// program as it was.
void LoadProgram(ContextState& context, nvprog::ProgramKind kind, GLuint id, std::string_view text);

// glBindProgramNV: binds id (creating an empty program object for a new id).
void BindProgram(ContextState& context, nvprog::ProgramKind kind, GLuint id);

// Binds the variant of the bound NV program that the context's current
// state needs, if it differs from the one bound.
void RebindVariant(ContextState& context, nvprog::ProgramKind kind);

// After the tracking of register block changed: rebinds the bound vertex
// program's variant if the program reads that block.
void TrackingChanged(ContextState& context, int block);

// After glBindTexture(target, ...): rebinds the bound fragment program's
// variant if it samples that unit and target.
void TextureBindingChanged(ContextState& context, GLenum target);

// glDeleteProgramsNV: deletes the programs with all their variants.
void DeletePrograms(ContextState& context, GLsizei n, const GLuint* ids);

// Before ARB text is loaded into the bound program: an NV program bound
// there stops being one; its own name is bound, its other variants deleted.
void DetachBoundProgram(ContextState& context, nvprog::ProgramKind kind);

// Sets program.local[index] of a fragment program in all its variants.
void SetLocalParameter(ProgramObject& program, int index, const std::array<float, 4>& value);

}  // namespace nvlayer
