// Translation of NV programs to ARB text: the five program texts, the
// register bindings that follow matrix tracking, and the constructs that
// have no one-to-one ARB form.

#include "platform/nv_program_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "view/gpu_programs.h"

namespace {

using namespace nvprog;
using ::testing::HasSubstr;
using ::testing::Not;

Program Parse(const std::string& text, ProgramKind kind) {
    const ParseResult r = ParseNvProgram(text, kind);
    EXPECT_TRUE(r.ok) << "position " << r.error.position << ": " << r.error.message;
    return r.program;
}

std::string Vertex(const std::string& text, const TrackingTable& tracking = {}) {
    return WriteArbVertexProgram(Parse(text, ProgramKind::Vertex), tracking).text;
}

std::string Fragment(const std::string& text, std::uint32_t shadowUnits = 0) {
    return WriteArbFragmentProgram(Parse(text, ProgramKind::Fragment), shadowUnits).text;
}

MatrixTrack Track(TrackedMatrix matrix, int index = 0,
                  TrackTransform transform = TrackTransform::Identity) {
    MatrixTrack t;
    t.matrix = matrix;
    t.index = static_cast<std::uint8_t>(index);
    t.transform = transform;
    return t;
}

// The scene pass's tracking: c[0] modelview, c[4] projection, c[8]
// program matrix 0, c[12] modelview inverse transpose, c[16] matrix 1,
// c[20] matrix 2; c[24] untracked.
TrackingTable SceneTracking() {
    TrackingTable t{};
    t[0] = Track(TrackedMatrix::Modelview);
    t[1] = Track(TrackedMatrix::Projection);
    t[2] = Track(TrackedMatrix::Program, 0);
    t[3] = Track(TrackedMatrix::Modelview, 0, TrackTransform::InverseTranspose);
    t[4] = Track(TrackedMatrix::Program, 1);
    t[5] = Track(TrackedMatrix::Program, 2);
    return t;
}

TEST(NvProgramText, TheFiveProgramTextsParse) {
    for (const char* text : {g_strDepthVertexProgram, g_strSceneVertexProgram}) {
        EXPECT_TRUE(ParseNvProgram(text, ProgramKind::Vertex).ok) << text;
    }
    for (const char* text :
         {g_strDepthFragmentProgram, g_strSceneFragmentProgram, g_strSceneFragmentProgramHQ}) {
        EXPECT_TRUE(ParseNvProgram(text, ProgramKind::Fragment).ok) << text;
    }
}

TEST(NvProgramText, ProgramTextsEndEveryLineWithALineFeed) {
    for (const char* text :
         {g_strDepthVertexProgram, g_strDepthFragmentProgram, g_strSceneVertexProgram,
          g_strSceneFragmentProgram, g_strSceneFragmentProgramHQ}) {
        const std::string s = text;
        EXPECT_EQ(s.substr(s.size() - 4), "END\n");
        EXPECT_THAT(s, Not(HasSubstr("\n\n")));
    }
}

TEST(NvProgramText, TrackedRegistersReadTheTrackedMatrixRows) {
    const std::string arb = Vertex(g_strSceneVertexProgram, SceneTracking());
    EXPECT_THAT(arb, HasSubstr("PARAM c0 = state.matrix.modelview.row[0];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c7 = state.matrix.projection.row[3];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c10 = state.matrix.program[0].row[2];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c13 = state.matrix.modelview.invtrans.row[1];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c19 = state.matrix.program[1].row[3];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c23 = state.matrix.program[2].row[3];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c24 = program.env[24];"));
    EXPECT_THAT(arb, HasSubstr("ADD result.texcoord[3], c24, -R0;"));
}

TEST(NvProgramText, UntrackedRegistersAreEnvironmentParameters) {
    const std::string arb = Vertex(g_strDepthVertexProgram);
    EXPECT_THAT(arb, HasSubstr("PARAM c0 = program.env[0];"));
    EXPECT_THAT(arb, HasSubstr("PARAM c11 = program.env[11];"));
    EXPECT_THAT(arb, Not(HasSubstr("c10")));  // the z row of N_T is never read
}

TEST(NvProgramText, EachTransformHasItsBinding) {
    struct Case {
        MatrixTrack track;
        const char* binding;
    };
    const Case cases[] = {
        {Track(TrackedMatrix::ModelviewProjection), "state.matrix.mvp.row[1]"},
        {Track(TrackedMatrix::Texture, 3, TrackTransform::Inverse),
         "state.matrix.texture[3].inverse.row[1]"},
        {Track(TrackedMatrix::Program, 7, TrackTransform::Transpose),
         "state.matrix.program[7].transpose.row[1]"},
        {Track(TrackedMatrix::Projection, 0, TrackTransform::InverseTranspose),
         "state.matrix.projection.invtrans.row[1]"},
    };
    for (const Case& c : cases) {
        TrackingTable t{};
        t[0] = c.track;
        EXPECT_THAT(Vertex("!!VP1.0\nDP4 o[HPOS].x, c[1], v[0];\nEND\n", t),
                    HasSubstr(std::string("PARAM c1 = ") + c.binding + ";"));
    }
}

TEST(NvProgramText, RelativeAddressingSeesTrackedAndUntrackedRegistersAsOneArray) {
    TrackingTable t{};
    t[1] = Track(TrackedMatrix::Modelview);
    const std::string arb = Vertex(
        "!!VP1.0\nARL A0.x, v[1].x;\nMOV o[HPOS], c[A0.x + 63];\nMOV o[COL0], c[A0.x - 64];\n"
        "MOV o[TEX0], c[5];\nEND\n",
        t);
    EXPECT_THAT(arb, HasSubstr("ADDRESS A0;"));
    EXPECT_THAT(arb,
                HasSubstr("PARAM c[96] = {program.env[0..3], state.matrix.modelview.row[0..3], "
                          "program.env[8..95]};"));
    EXPECT_THAT(arb, HasSubstr("MOV result.position, c[A0.x + 63];"));
    EXPECT_THAT(arb, HasSubstr("MOV result.color, c[A0.x - 64];"));
    EXPECT_THAT(arb, HasSubstr("MOV result.texcoord[0], c[5];"));
}

TEST(NvProgramText, TemporariesReadBeforeWrittenStartAtZero) {
    const std::string arb = Vertex(
        "!!VP1.0\nMOV R1.xy, v[0];\nMOV o[HPOS], R1;\nMOV R2, v[0];\nMOV o[COL0], R2;\nEND\n");
    EXPECT_THAT(arb, HasSubstr("MOV R1, {0, 0, 0, 0};"));
    EXPECT_THAT(arb, Not(HasSubstr("MOV R2, {0, 0, 0, 0};")));
}

TEST(NvProgramText, DepthComparedUnitsUseShadowTargets) {
    const std::string shadowed = Fragment(g_strSceneFragmentProgramHQ, 1u << 1);
    EXPECT_THAT(shadowed, HasSubstr("OPTION ARB_fragment_program_shadow;"));
    EXPECT_THAT(shadowed, HasSubstr("TXP R8, fragment.texcoord[1], texture[1], SHADOWRECT;"));
    EXPECT_THAT(shadowed, HasSubstr("TXP R0, fragment.texcoord[0], texture[0], 2D;"));

    const std::string plain = Fragment(g_strSceneFragmentProgram, 0);
    EXPECT_THAT(plain, Not(HasSubstr("OPTION")));
    EXPECT_THAT(plain, HasSubstr("TXP R1, fragment.texcoord[1], texture[1], RECT;"));
}

// Instruction lines of a program text: those ending in ';' that declare
// nothing.
int InstructionCount(const std::string& text) {
    int count = 0;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        const std::string line = text.substr(start, end - start);
        const bool declaration = line.rfind("DECLARE", 0) == 0 || line.rfind("OPTION", 0) == 0 ||
                                 line.rfind("TEMP", 0) == 0 || line.rfind("PARAM", 0) == 0;
        count += !declaration && !line.empty() && line.back() == ';';
    }
    return count;
}

// The scene's fragment programs run every pixel: their translations do what
// the NV text says and nothing more, one instruction for one, with the
// text's own temporaries.
TEST(NvProgramText, SceneFragmentProgramsTranslateOneForOne) {
    for (const char* text : {g_strSceneFragmentProgram, g_strSceneFragmentProgramHQ}) {
        const std::string arb = Fragment(text, 1u << 1);
        EXPECT_EQ(InstructionCount(arb), InstructionCount(text)) << arb;
        EXPECT_THAT(arb, Not(HasSubstr(" t0")));
    }
    EXPECT_THAT(Fragment(g_strSceneFragmentProgramHQ, 1u << 1),
                HasSubstr("TEMP R0, R1, R2, R4, R5, R6, R7, R8;\n"));
    EXPECT_EQ(InstructionCount(g_strSceneFragmentProgramHQ), 32);
}

TEST(NvProgramText, DeclaredParametersAreProgramLocalsAndLiteralsAreConstants) {
    const std::string arb = Fragment(g_strSceneFragmentProgramHQ, 2);
    EXPECT_THAT(arb, HasSubstr("PARAM n_ambient = program.local[64];"));
    EXPECT_THAT(arb, HasSubstr("PARAM n_offset4 = program.local[69];"));
    EXPECT_THAT(arb, HasSubstr("= {0.2, 0.2, 0.2, 0.2};"));
    const Program p = Parse(g_strSceneFragmentProgramHQ, ProgramKind::Fragment);
    ASSERT_EQ(p.named.size(), 6u);
    EXPECT_EQ(p.named[3].name, "offset2");
    EXPECT_EQ(p.named[3].value, (std::array<float, 4>{0.75f, 0.75f, 0.0f, 0.0f}));
}

TEST(NvProgramText, ConditionCodesBecomeSelectsOnACopyOfTheResults) {
    const std::string arb = Fragment(
        "!!FP1.0\nMOVRC RC.x, f[TEX0].y;\nMOVR o[COLR].xy (GT.x), {1, 0.5, 0, 1};\n"
        "KIL EQ.x;\nEND\n");
    EXPECT_THAT(arb, HasSubstr("MOV cc.x, t0;"));
    EXPECT_THAT(arb, HasSubstr("CMP o_color.xy, -cc.x, t0, o_color;"));
    EXPECT_THAT(arb, HasSubstr("MOV result.color, o_color;"));
    EXPECT_THAT(arb, HasSubstr("KIL -t0;"));
}

TEST(NvProgramText, ShadowCapableUnitsListEachUnitOnce) {
    const Program p = Parse(
        "!!FP1.0\nTEX R0, f[TEX0], TEX3, RECT;\nTXP R1, f[TEX0], TEX3, RECT;\n"
        "TEX R2, f[TEX0], TEX5, CUBE;\nTEX R3, f[TEX0], TEX0, 1D;\nMOV o[COLR], R0;\nEND\n",
        ProgramKind::Fragment);
    const auto units = ShadowCapableUnits(p);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].unit, 3);
    EXPECT_EQ(units[0].target, TexTarget::Rect);
    EXPECT_EQ(units[1].unit, 0);
}

TEST(NvProgramText, ReferencedBlocksCoverEveryRegisterRead) {
    EXPECT_EQ(ReferencedParamBlocks(Parse(g_strDepthVertexProgram, ProgramKind::Vertex)), 0x7u);
    EXPECT_EQ(ReferencedParamBlocks(Parse(g_strSceneVertexProgram, ProgramKind::Vertex)), 0x7Fu);
    EXPECT_EQ(ReferencedParamBlocks(Parse(
                  "!!VP1.0\nARL A0.x, v[0].x;\nMOV o[HPOS], c[A0.x];\nEND\n", ProgramKind::Vertex)),
              0xFFFFFFu);
}

TEST(NvProgramText, ArbErrorPositionsMapBackToTheNvInstruction) {
    const std::string nv = "!!VP1.0\nMOV o[HPOS], v[0];\nRCC R0.x, v[1].y;\nEND\n";
    const ParseResult r =
        ParseNvProgram(std::string("!!VP1.1") + nv.substr(7), ProgramKind::Vertex);
    ASSERT_TRUE(r.ok);
    const ArbText arb = WriteArbVertexProgram(r.program, {});
    const std::size_t abs = arb.text.find("ABS t0.y");
    ASSERT_NE(abs, std::string::npos);
    EXPECT_EQ(arb.NvPosition(abs + 3), nv.find("RCC"));
    EXPECT_EQ(arb.NvPosition(arb.text.find("END")), nv.find("END"));
}

}  // namespace
