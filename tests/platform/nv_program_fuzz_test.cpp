// Any input gives a result or an error inside the text, never a crash or a
// hang: random bytes, and every truncation and one-byte change of the five
// program texts, each written out as ARB text when it parses.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/nv_program_text.h"
#include "view/gpu_programs.h"

namespace {

using namespace nvprog;

void ParseAndWrite(const std::string& text, ProgramKind kind) {
    const ParseResult r = ParseNvProgram(text, kind);
    if (!r.ok) {
        ASSERT_LE(r.error.position, text.size()) << text;
        return;
    }
    const ArbText arb = kind == ProgramKind::Vertex ? WriteArbVertexProgram(r.program, {})
                                                    : WriteArbFragmentProgram(r.program, ~0u);
    ASSERT_EQ(arb.text.compare(0, 5, "!!ARB"), 0);
}

struct Source {
    const char* text;
    ProgramKind kind;
};

const Source SOURCES[] = {
    {g_strDepthVertexProgram, ProgramKind::Vertex},
    {g_strSceneVertexProgram, ProgramKind::Vertex},
    {g_strDepthFragmentProgram, ProgramKind::Fragment},
    {g_strSceneFragmentProgram, ProgramKind::Fragment},
    {g_strSceneFragmentProgramHQ, ProgramKind::Fragment},
};

TEST(NvProgramFuzz, TruncationsAndByteChangesOfTheProgramTexts) {
    const char replacements[] = {'\0', ' ', '\n', ';', ',', '.', '[', ']', '{',   '}',
                                 '|',  '-', '#',  'R', 'x', '9', '(', ')', '\xff'};
    for (const Source& s : SOURCES) {
        const std::string text = s.text;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            ParseAndWrite(text.substr(0, i), s.kind);
            if (i == text.size())
                break;
            std::string dropped = text;
            dropped.erase(i, 1);
            ParseAndWrite(dropped, s.kind);
            for (char r : replacements) {
                std::string changed = text;
                changed[i] = r;
                ParseAndWrite(changed, s.kind);
            }
        }
    }
}

TEST(NvProgramFuzz, RandomTokenSoup) {
    const char* const pieces[] = {"!!VP1.0", "!!FP1.0", "MOV", "DP4", "TXP", "KIL", "ARL", "A0",
                                  ".x",      ".xyzw",   "R0",  "H1",  "c[",  "v[",  "f[",  "o[",
                                  "]",       ",",       ";",   "{",   "}",   "|",   "-",   "0.5",
                                  "TEX1",    "RECT",    "GT",  "(",   ")",   "END", "\n",  "#"};
    std::mt19937 random(1234);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 60);
    for (int n = 0; n < 3000; ++n) {
        std::string text = n % 2 ? "!!VP1.0 " : "!!FP1.0 ";
        for (int i = length(random); i > 0; --i)
            text += std::string(pieces[pick(random)]) + " ";
        ParseAndWrite(text, n % 2 ? ProgramKind::Vertex : ProgramKind::Fragment);
    }
}

TEST(NvProgramFuzz, RandomBytes) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int n = 0; n < 2000; ++n) {
        std::string text = n % 3 == 0 ? "!!VP1.0" : n % 3 == 1 ? "!!FP1.0" : "";
        for (int i = n % 97; i > 0; --i)
            text += static_cast<char>(byte(random));
        ParseAndWrite(text, n % 2 ? ProgramKind::Vertex : ProgramKind::Fragment);
    }
}

}  // namespace
