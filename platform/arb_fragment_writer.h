// Writes an NV fragment program as ARB_fragment_program text. Lookups on the
// texture units marked depth-compared use the SHADOW targets of
// ARB_fragment_program_shadow; condition codes, conditional writes, KIL on a
// condition and the NV-only instructions are spelled out in ARB instructions.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/arb_text.h"
#include "platform/nv_program.h"

namespace nvprog {

// DECLAREd parameter k lives in program.local[NAMED_LOCAL_BASE + k]; p[n]
// in program.local[n].
constexpr int NAMED_LOCAL_BASE = FRAGMENT_LOCAL_COUNT;

struct SampledUnit {
    int unit = 0;
    TexTarget target = TexTarget::Tex2D;
};

// The texture units the program samples with a target that has a
// depth-compared (SHADOW) form: 1D, 2D or RECT.
std::vector<SampledUnit> ShadowCapableUnits(const Program& program);

// shadowUnits: bit u set when the texture on unit u compares depths.
ArbText WriteArbFragmentProgram(const Program& program, std::uint32_t shadowUnits);

}  // namespace nvprog
