// Parses arbitrary text as a vertex and as a fragment program. Any text gives a program or an
// error at a byte position inside the text or at its end; a program is written out as ARB text
// whose every line maps back to a position inside the NV text. Hangs are caught by the fuzzer's
// time limit.
#include <cstdlib>
#include <string_view>

#include "platform/nv_program_text.h"

namespace {

using namespace nvprog;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Every block of four registers tracks a matrix, cycling through the matrices and transforms.
TrackingTable EveryBlockTracked() {
    TrackingTable table;
    for (int b = 0; b < TRACK_BLOCK_COUNT; ++b) {
        table[b].matrix = static_cast<TrackedMatrix>(1 + b % 5);
        table[b].index = static_cast<std::uint8_t>(b % 4);
        table[b].transform = static_cast<TrackTransform>(b % 4);
    }
    return table;
}

void CheckArb(const ArbText& arb, std::size_t textSize) {
    Require(arb.text.compare(0, 5, "!!ARB") == 0);
    std::size_t lines = 0;
    for (char c : arb.text) {
        lines += c == '\n';
    }
    Require(arb.nvPositions.size() == lines);
    for (std::size_t position : arb.nvPositions) {
        Require(position <= textSize);
    }
    for (std::size_t at : {std::size_t{0}, arb.text.size() / 2, arb.text.size()}) {
        Require(arb.NvPosition(at) <= textSize);
    }
}

void CheckProgram(const Program& program, ProgramKind kind, std::size_t textSize) {
    Require(program.kind == kind);
    Require(program.endPosition < textSize);
    for (const Instruction& instruction : program.code) {
        Require(instruction.position < program.endPosition);
    }
    if (kind == ProgramKind::Vertex) {
        CheckArb(WriteArbVertexProgram(program, {}), textSize);
        CheckArb(WriteArbVertexProgram(program, EveryBlockTracked()), textSize);
    } else {
        CheckArb(WriteArbFragmentProgram(program, 0), textSize);
        CheckArb(WriteArbFragmentProgram(program, ~0u), textSize);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (ProgramKind kind : {ProgramKind::Vertex, ProgramKind::Fragment}) {
        const ParseResult result = ParseNvProgram(text, kind);
        if (result.ok) {
            CheckProgram(result.program, kind, size);
        } else {
            Require(result.error.position <= size && !result.error.message.empty());
        }
    }
    return 0;
}
