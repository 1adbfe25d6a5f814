// Parser for NV_fragment_program 1.0 text ("!!FP1.0").
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/nv_program.h"

namespace nvprog {

// Parses the text after its header (which is headerLength bytes long).
// Throws ProgramError for text the grammar or its semantic rules reject,
// and for the instructions and registers that have no ARB_fragment_program
// equivalent (derivatives, pack and unpack, TXD).
Program ParseFragmentProgram(std::string_view text, std::size_t headerLength);

}  // namespace nvprog
