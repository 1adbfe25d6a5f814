// Parser for NV_vertex_program 1.0 and 1.1 text ("!!VP1.0", "!!VP1.1").
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/nv_program.h"

namespace nvprog {

// Parses the text after its header (which is headerLength bytes long).
// Throws ProgramError for text the grammar or its semantic rules reject.
Program ParseVertexProgram(std::string_view text, std::size_t headerLength, bool version11);

}  // namespace nvprog
