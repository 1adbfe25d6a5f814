// The GL-free side of the NV program layer: NV_vertex_program 1.0/1.1 and
// NV_fragment_program 1.0 text is parsed and validated here, and written out
// as equivalent ARB_vertex_program / ARB_fragment_program text by
// arb_vertex_writer.h and arb_fragment_writer.h.
//
// Invalid text gives the byte position of the offending token: the first
// byte of the token the grammar or a semantic rule rejects, 0 for a missing
// or wrong header, and the length of the text when the text ends too early.
// Any input, however malformed, gives a result or an error.
#pragma once

#include <string_view>

#include "platform/arb_fragment_writer.h"
#include "platform/arb_vertex_writer.h"
#include "platform/nv_parse_cursor.h"
#include "platform/nv_program.h"

namespace nvprog {

struct ParseResult {
    bool ok = false;
    Program program;     // when ok
    ProgramError error;  // when not
};

// Parses a vertex program ("!!VP1.0", "!!VP1.1") or a fragment program
// ("!!FP1.0"), as kind asks; a text of the other kind is rejected at 0.
ParseResult ParseNvProgram(std::string_view text, ProgramKind kind);

}  // namespace nvprog
