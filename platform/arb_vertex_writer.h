// Writes an NV vertex program as ARB_vertex_program text. Each program
// parameter register c[n] becomes what the NV program would read there:
// a row of a tracked matrix (state.matrix.*) or, untracked, program.env[n].
#pragma once

#include <array>
#include <cstdint>

#include "platform/arb_text.h"
#include "platform/nv_program.h"

namespace nvprog {

enum class TrackedMatrix : std::uint8_t {
    None,
    Modelview,
    Projection,
    ModelviewProjection,
    Texture,
    Program
};
enum class TrackTransform : std::uint8_t { Identity, Inverse, Transpose, InverseTranspose };

// The matrix tracked into one block of four registers c[4b..4b+3].
struct MatrixTrack {
    TrackedMatrix matrix = TrackedMatrix::None;
    std::uint8_t index = 0;  // texture unit or program matrix number
    TrackTransform transform = TrackTransform::Identity;

    bool operator==(const MatrixTrack& o) const {
        return matrix == o.matrix && index == o.index && transform == o.transform;
    }
    bool operator!=(const MatrixTrack& o) const { return !(*this == o); }
};

constexpr int TRACK_BLOCK_COUNT = VERTEX_PARAM_COUNT / 4;
using TrackingTable = std::array<MatrixTrack, TRACK_BLOCK_COUNT>;

// Bit b set when the program reads a register of block b (all blocks when
// it addresses c[] relative to A0).
std::uint32_t ReferencedParamBlocks(const Program& program);

ArbText WriteArbVertexProgram(const Program& program, const TrackingTable& tracking);

}  // namespace nvprog
