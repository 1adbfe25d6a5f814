// Texts the NV grammar or its semantic rules reject, each with the position
// of the token at fault. In the table, '@' marks that position and is not
// part of the text; '@' at the end stands for the end of the text.

#include <gtest/gtest.h>

#include <string>

#include "platform/nv_program_text.h"

namespace {

using nvprog::ParseNvProgram;
using nvprog::ProgramKind;

struct BadText {
    const char* name;
    ProgramKind kind;
    const char* marked;
};

constexpr ProgramKind V = ProgramKind::Vertex;
constexpr ProgramKind F = ProgramKind::Fragment;

const BadText BAD_TEXTS[] = {
    {"empty", V, "@"},
    {"garbage", V, "@\x01\xff garbage"},
    {"wrong header", V, "@!!VP2.0\nMOV o[HPOS], v[0];\nEND\n"},
    {"fragment text for a vertex program", V, "@!!FP1.0\nMOV o[COLR], f[COL0];\nEND\n"},
    {"vertex text for a fragment program", F, "@!!VP1.0\nMOV o[HPOS], v[0];\nEND\n"},
    {"error on the first line", V, "!!VP1.0 @FOO o[HPOS], v[0];\nEND\n"},
    {"missing semicolon: the next line's token", V,
     "!!VP1.0\nMOV o[HPOS], v[0]\n@MOV o[COL0], v[3];\nEND\n"},
    {"garbage after the header", V, "!!VP1.0\n@\x01\x02\x03"},
    {"truncated after an operand", V, "!!VP1.0\nMOV o[HPOS], v[OPOS]@"},
    {"truncated inside a register", V, "!!VP1.0\nMOV o[HPOS], v[@OP"},
    {"no END", V, "!!VP1.0\nMOV o[HPOS], v[OPOS];\n@"},
    {"unknown attribute in the middle", V,
     "!!VP1.0\nDP4 R0.x, c[0], v[OPOS];\nDP4 R0.y, c[1], v[@OPSO];\nMOV o[HPOS], R0;\nEND\n"},
    {"temporary out of range", V, "!!VP1.0\nMOV @R12, v[0];\nMOV o[HPOS], R12;\nEND\n"},
    {"parameter out of range", V, "!!VP1.0\nMOV o[HPOS], c[@96];\nEND\n"},
    {"relative offset too large", V,
     "!!VP1.0\nARL A0.x, v[0].x;\nMOV o[HPOS], c[A0.x + @64];\nEND\n"},
    {"relative offset too small", V,
     "!!VP1.0\nARL A0.x, v[0].x;\nMOV o[HPOS], c[A0.x - @65];\nEND\n"},
    {"two program parameters", V, "!!VP1.0\nADD o[HPOS], c[0], @-c[1];\nEND\n"},
    {"two vertex attributes", V, "!!VP1.0\nMAD o[HPOS], v[0], c[1], @v[2];\nEND\n"},
    {"two-component swizzle", V, "!!VP1.0\nMOV o[HPOS], v[0].@xy;\nEND\n"},
    {"write mask out of order", V, "!!VP1.0\nMOV o[HPOS].@yx, v[0];\nEND\n"},
    {"scalar source without component", V, "!!VP1.0\nRCP o[HPOS], v[0]@;\nEND\n"},
    {"scalar source with four components", V, "!!VP1.0\nRCP o[HPOS], v[0].@xyzw;\nEND\n"},
    {"VP1.1 instruction in VP1.0", V, "!!VP1.0\n@DPH o[HPOS], v[0], c[0];\nEND\n"},
    {"unknown instruction", V, "!!VP1.0\n@FOO o[HPOS], v[0];\nEND\n"},
    {"writing an attribute", V, "!!VP1.0\nMOV @v[0], c[0];\nEND\n"},
    {"reading a result", V, "!!VP1.0\nMOV o[HPOS], v[0];\nMOV R0, @o[HPOS];\nEND\n"},
    {"o[HPOS] never written", V, "!!VP1.0\nMOV o[COL0], v[3];\n@END\n"},
    {"no instructions", V, "!!VP1.0\n@END\n"},
    {"text after END", V, "!!VP1.0\nMOV o[HPOS], v[0];\nEND\n@MOV o[COL0], v[3];\n"},
    {"position-invariant program writes o[HPOS]", V,
     "!!VP1.1\nOPTION NV_position_invariant;\nMOV o[@HPOS], v[0];\nEND\n"},
    {"unknown option", V, "!!VP1.1\nOPTION @NV_everything;\nMOV o[HPOS], v[0];\nEND\n"},
    {"fragment attribute out of range", F, "!!FP1.0\nMOV o[COLR], f[@TEX8];\nEND\n"},
    {"fragment temporary out of range", F, "!!FP1.0\nMOV @R32, f[COL0];\nMOV o[COLR], R0;\nEND\n"},
    {"half temporary out of range", F, "!!FP1.0\nMOV @H64, f[COL0];\nMOV o[COLR], R0;\nEND\n"},
    {"texture unit out of range", F, "!!FP1.0\nTEX o[COLR], f[TEX0], @TEX16, 2D;\nEND\n"},
    {"unknown texture target", F, "!!FP1.0\nTEX o[COLR], f[TEX0], TEX0, @4D;\nEND\n"},
    {"one unit with two targets", F,
     "!!FP1.0\nTEX R0, f[TEX0], TEX0, 2D;\nTEX o[COLR], f[TEX0], TEX0, @RECT;\nEND\n"},
    {"undeclared name", F, "!!FP1.0\nMUL o[COLR], f[COL0], @ambient;\nEND\n"},
    {"name declared twice", F, "!!FP1.0\nDECLARE a;\nDECLARE @a;\nMOV o[COLR], a;\nEND\n"},
    {"register as a name", F, "!!FP1.0\nDECLARE @R1 = 1;\nMOV o[COLR], R1;\nEND\n"},
    {"DEFINE without a value", F, "!!FP1.0\nDEFINE x@;\nMOV o[COLR], x;\nEND\n"},
    {"both colour results", F, "!!FP1.0\nMOV o[COLR], f[COL0];\nMOV o[@COLH], f[COL0];\nEND\n"},
    {"no result written", F, "!!FP1.0\nMOV R0, f[COL0];\n@END\n"},
    {"derivatives have no ARB form", F, "!!FP1.0\n@DDX o[COLR], f[TEX0];\nEND\n"},
    {"precision suffix on TEX", F, "!!FP1.0\n@TEXR o[COLR], f[TEX0], TEX0, 2D;\nEND\n"},
    {"unknown condition", F, "!!FP1.0\nMOV o[COLR] (@XX), f[COL0];\nEND\n"},
    {"absolute value not closed", F, "!!FP1.0\nMOV o[COLR], |f[COL0]@;\nEND\n"},
    {"name inside a vector constant", F, "!!FP1.0\nMOV o[COLR], {1, @x};\nEND\n"},
    {"number out of range", F, "!!FP1.0\nMOV o[COLR], @1e99999;\nEND\n"},
    {"fragment scalar source without component", F, "!!FP1.0\nRCP o[COLR], f[COL0]@;\nEND\n"},
};

class NvProgramErrors : public ::testing::TestWithParam<BadText> {};

TEST_P(NvProgramErrors, ReportsTheOffendingTokensPosition) {
    std::string text = GetParam().marked;
    const std::size_t expected = text.find('@');
    ASSERT_NE(expected, std::string::npos);
    text.erase(expected, 1);
    const auto r = ParseNvProgram(text, GetParam().kind);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error.position, expected) << r.error.message;
    EXPECT_FALSE(r.error.message.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, NvProgramErrors, ::testing::ValuesIn(BAD_TEXTS),
                         [](const ::testing::TestParamInfo<BadText>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

TEST(NvProgramLimits, TheHundredAndTwentyNinthVertexInstructionIsRejected) {
    std::string text = "!!VP1.0\n";
    for (int i = 0; i < 128; ++i)
        text += "MOV o[HPOS], v[0];\n";
    ASSERT_TRUE(ParseNvProgram(text + "END\n", ProgramKind::Vertex).ok);
    const std::size_t extra = text.size();
    text += "MOV o[HPOS], v[0];\nEND\n";
    const auto r = ParseNvProgram(text, ProgramKind::Vertex);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error.position, extra);
}

// Constructs of the two languages beyond the five program texts.
const char* const GOOD_VERTEX_TEXTS[] = {
    "!!VP1.0 MOV o[HPOS],v[0];END",
    "!!VP1.0\r\n# comment\r\nMOV o[HPOS], -v[OPOS].wzyx; # trailing\r\nEND\r\n# after\n",
    "!!VP1.0\nARL A0.x, v[1].w;\nMAD o[HPOS], c[A0.x + 63], v[1], c[A0.x + 63].x;\n"
    "MOV o[COL0], c[A0.x - 64];\nEND\n",
    "!!VP1.0\nLIT R0, v[0];\nEXP R1, v[0].x;\nLOG R2, -v[0].y;\nDST R3, R0, R1;\n"
    "MIN R4, R2, R3;\nMAX R5, R4, c[95];\nSLT R6, R5, R4;\nSGE R7, R6, R5;\n"
    "RSQ R8.w, R7.z;\nMUL R9.xyw, R8, R8;\nDP3 R10.xz, R9, R9;\nADD R11.yzw, R10, R9;\n"
    "MOV o[HPOS], R11;\nMOV o[COL1], R1;\nMOV o[BFC0], R2;\nMOV o[BFC1], R3;\n"
    "MOV o[FOGC].x, R4;\nMOV o[PSIZ].x, R5;\nMOV o[TEX7], v[TEX7];\nEND\n",
    "!!VP1.1\nOPTION NV_position_invariant;\nABS R0, v[2];\nDPH R1.x, R0, c[3];\n"
    "SUB R2, R1, v[2];\nRCC o[COL0], R2.y;\nEND\n",
};

const char* const GOOD_FRAGMENT_TEXTS[] = {
    "!!FP1.0\nDEFINE half = 0.5;\nDEFINE v = {1, -2.5e-1, .5};\nDECLARE d;\n"
    "MADR_SAT R0, half, v.xxyz, -d;\nMOVH H5.xy, |R0|;\nMOVX o[COLR], -|-H5.w|;\nEND\n",
    "!!FP1.0\nMOVRC RC, f[TEX0];\nMOVR R0 (GT), f[TEX1];\nMOVR R0.xw (LE.zyxw), p[63];\n"
    "KIL NE.x;\nKIL TR;\nMOV o[COLR], R0;\nMOV o[DEPR].z, R0;\nEND\n",
    "!!FP1.0\nSEQ R0, f[TEX0], f[TEX1];\nSNE R1, R0, 1;\nSGT R2, R1, R0;\nSLE R3, R2, R1;\n"
    "SFL R4, R3, R2;\nSTR R5, R4, R3;\nRFL R6, R5, R4;\nX2D R7, R6, R5, R4;\nLRP R8, R7, R6, R5;\n"
    "FLR R9, R8;\nFRC R10, R9;\nLIT R11, R10;\nDST R12, R11, R10;\nPOW R13.x, R12.x, 2;\n"
    "EX2 R14, R13.y;\nLG2 R15, R14.z;\nCOS R16, R15.w;\nSIN R17, 3.14;\nRCP R18, R17.x;\n"
    "RSQ R19, R18.x;\nSUB R20, R19, R18;\nDP4 R21, R20, R19;\nDP3C R22, R21, R20;\n"
    "TEX R23, f[WPOS], TEX15, CUBE;\nTXP R24, f[FOGC], TEX14, 3D;\nTEX R25, f[COL1], TEX13, 1D;\n"
    "MOV o[COLH], R25;\nEND\n",
};

TEST(NvProgramGrammar, AcceptsTheWholeInstructionSetsAndTheirSyntax) {
    for (const char* text : GOOD_VERTEX_TEXTS) {
        const auto r = ParseNvProgram(text, ProgramKind::Vertex);
        EXPECT_TRUE(r.ok) << text << "\nposition " << r.error.position << ": " << r.error.message;
    }
    for (const char* text : GOOD_FRAGMENT_TEXTS) {
        const auto r = ParseNvProgram(text, ProgramKind::Fragment);
        EXPECT_TRUE(r.ok) << text << "\nposition " << r.error.position << ": " << r.error.message;
    }
}

}  // namespace
