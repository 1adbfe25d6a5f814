#include "platform/nv_program_text.h"

#include "platform/nv_fragment_parser.h"
#include "platform/nv_vertex_parser.h"

namespace nvprog {
namespace {

constexpr std::string_view VP10 = "!!VP1.0";
constexpr std::string_view VP11 = "!!VP1.1";
constexpr std::string_view FP10 = "!!FP1.0";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

Program Parse(std::string_view text, ProgramKind kind) {
    if (kind == ProgramKind::Vertex) {
        if (StartsWith(text, VP10))
            return ParseVertexProgram(text, VP10.size(), false);
        if (StartsWith(text, VP11))
            return ParseVertexProgram(text, VP11.size(), true);
        throw ProgramError{0, "expected !!VP1.0 or !!VP1.1"};
    }
    if (StartsWith(text, FP10))
        return ParseFragmentProgram(text, FP10.size());
    throw ProgramError{0, "expected !!FP1.0"};
}

}  // namespace

ParseResult ParseNvProgram(std::string_view text, ProgramKind kind) {
    ParseResult result;
    try {
        result.program = Parse(text, kind);
        result.ok = true;
    } catch (const ProgramError& error) {
        result.error = error;
    }
    return result;
}

}  // namespace nvprog
