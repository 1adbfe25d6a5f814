// A parsed NV_vertex_program 1.0/1.1 or NV_fragment_program 1.0 program: the
// instructions with their operands, the constants, and the byte position of
// every instruction in the NV text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nvprog {

enum class ProgramKind { Vertex, Fragment };

enum class Opcode : std::uint8_t {
    // Vertex and fragment programs.
    ABS,
    ADD,
    DP3,
    DP4,
    DST,
    LIT,
    MAD,
    MAX,
    MIN,
    MOV,
    MUL,
    RCP,
    RSQ,
    SGE,
    SLT,
    SUB,
    // Vertex programs only.
    ARL,
    DPH,
    EXP,
    LOG,
    RCC,
    // Fragment programs only.
    COS,
    EX2,
    FLR,
    FRC,
    KIL,
    LG2,
    LRP,
    POW,
    RFL,
    SEQ,
    SFL,
    SGT,
    SIN,
    SLE,
    SNE,
    STR,
    TEX,
    TXP,
    X2D,
};

enum class RegFile : std::uint8_t {
    None,
    Temp,       // R0..R11 (vertex), R0..R31 (fragment)
    HalfTemp,   // H0..H63 (fragment)
    Attrib,     // v[n] (vertex) or f[n] (fragment), by attribute number
    Param,      // c[n] (vertex), absolute
    ParamRel,   // c[A0.x + offset] (vertex)
    Local,      // p[n] (fragment)
    Named,      // a DECLAREd parameter, index into Program::named
    Literal,    // a constant, index into Program::literals (DEFINE, scalar, {vector})
    Output,     // o[n], by output number
    CondDummy,  // RC or HC: only the condition code is written (fragment)
};

// Vertex attribute numbers follow v[0..15]; fragment attribute numbers:
enum FragmentAttrib { F_WPOS, F_COL0, F_COL1, F_FOGC, F_TEX0 };
// Vertex output numbers:
enum VertexOutput { O_HPOS, O_COL0, O_COL1, O_BFC0, O_BFC1, O_FOGC, O_PSIZ, O_TEX0 };
// Fragment output numbers:
enum FragmentOutput { O_COLR, O_COLH, O_DEPR };

enum class CondCode : std::uint8_t { TR, FL, EQ, NE, LT, LE, GT, GE };
enum class TexTarget : std::uint8_t { Tex1D, Tex2D, Tex3D, Cube, Rect };

using Swizzle = std::array<std::uint8_t, 4>;
constexpr Swizzle IDENTITY_SWIZZLE = {0, 1, 2, 3};
constexpr std::uint8_t MASK_XYZW = 0xF;

struct SrcOperand {
    RegFile file = RegFile::None;
    int index = 0;  // register number; for ParamRel the signed offset
    Swizzle swizzle = IDENTITY_SWIZZLE;
    bool negate = false;
    bool absolute = false;  // |x| (fragment); negate applies after it
    std::size_t position = 0;
};

struct Condition {
    CondCode code = CondCode::TR;
    Swizzle swizzle = IDENTITY_SWIZZLE;
};

struct DstOperand {
    RegFile file = RegFile::None;
    int index = 0;
    std::uint8_t mask = MASK_XYZW;  // bit 0 = x ... bit 3 = w
    Condition condition;            // conditional write (fragment)
};

struct Instruction {
    Opcode op = Opcode::MOV;
    std::size_t position = 0;  // byte position of the opcode in the NV text
    DstOperand dst;
    std::array<SrcOperand, 3> src;
    int numSrc = 0;
    bool saturate = false;
    bool updatesCondition = false;
    Condition kill;  // KIL's condition
    int texUnit = 0;
    TexTarget texTarget = TexTarget::Tex2D;
};

struct NamedParam {
    std::string name;
    std::array<float, 4> value{};
};

struct Program {
    ProgramKind kind = ProgramKind::Vertex;
    bool positionInvariant = false;  // OPTION NV_position_invariant (VP1.1)
    std::vector<Instruction> code;
    std::vector<std::array<float, 4>> literals;
    std::vector<NamedParam> named;  // DECLAREd parameters, in order of declaration
    std::size_t endPosition = 0;    // position of END
};

constexpr int VERTEX_PARAM_COUNT = 96;
constexpr int VERTEX_TEMP_COUNT = 12;
constexpr int VERTEX_ATTRIB_COUNT = 16;
constexpr int FRAGMENT_TEMP_COUNT = 32;
constexpr int FRAGMENT_HALF_TEMP_COUNT = 64;
constexpr int FRAGMENT_LOCAL_COUNT = 64;
constexpr int TEXTURE_UNIT_COUNT = 16;

}  // namespace nvprog
