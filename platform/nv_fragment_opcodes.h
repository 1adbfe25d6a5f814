// The NV_fragment_program 1.0 instruction set: each opcode's operand shape
// and the suffixes it accepts (precision R, H or X; C; _SAT).
#pragma once

#include <optional>
#include <string_view>

#include "platform/nv_program.h"

namespace nvprog {

enum class FragmentShape {
    Vector1,  // dst, vector
    Vector2,  // dst, vector, vector
    Vector3,  // dst, vector, vector, vector
    Scalar1,  // dst, scalar
    Scalar2,  // dst, scalar, scalar
    Texture,  // dst, vector, TEXn, target
    Kill,     // condition
    Unsupported,
};

struct FragmentOpcode {
    Opcode op = Opcode::MOV;
    FragmentShape shape = FragmentShape::Vector1;
    bool saturate = false;
    bool updatesCondition = false;
};

// Decodes an opcode token such as "MULR_SAT" or "MOVC"; nothing for a word
// that is no opcode or carries a suffix its opcode does not accept.
std::optional<FragmentOpcode> DecodeFragmentOpcode(std::string_view word);

}  // namespace nvprog
