#include "platform/nv_vertex_parser.h"

#include <array>
#include <string>

#include "platform/nv_parse_cursor.h"

namespace nvprog {
namespace {

constexpr std::size_t MAX_INSTRUCTIONS = 128;

enum class Shape { Address, Vector, Scalar, Binary, Ternary };

struct OpcodeInfo {
    std::string_view name;
    Opcode op;
    Shape shape;
    bool version11Only;
};

constexpr std::array<OpcodeInfo, 21> OPCODES = {{
    {"ARL", Opcode::ARL, Shape::Address, false}, {"MOV", Opcode::MOV, Shape::Vector, false},
    {"LIT", Opcode::LIT, Shape::Vector, false},  {"ABS", Opcode::ABS, Shape::Vector, true},
    {"RCP", Opcode::RCP, Shape::Scalar, false},  {"RSQ", Opcode::RSQ, Shape::Scalar, false},
    {"EXP", Opcode::EXP, Shape::Scalar, false},  {"LOG", Opcode::LOG, Shape::Scalar, false},
    {"RCC", Opcode::RCC, Shape::Scalar, true},   {"MUL", Opcode::MUL, Shape::Binary, false},
    {"ADD", Opcode::ADD, Shape::Binary, false},  {"DP3", Opcode::DP3, Shape::Binary, false},
    {"DP4", Opcode::DP4, Shape::Binary, false},  {"DST", Opcode::DST, Shape::Binary, false},
    {"MIN", Opcode::MIN, Shape::Binary, false},  {"MAX", Opcode::MAX, Shape::Binary, false},
    {"SLT", Opcode::SLT, Shape::Binary, false},  {"SGE", Opcode::SGE, Shape::Binary, false},
    {"DPH", Opcode::DPH, Shape::Binary, true},   {"SUB", Opcode::SUB, Shape::Binary, true},
    {"MAD", Opcode::MAD, Shape::Ternary, false},
}};

constexpr std::array<std::string_view, VERTEX_ATTRIB_COUNT> ATTRIB_NAMES = {
    "OPOS", "WGHT", "NRML", "COL0", "COL1", "FOGC", "6",    "7",
    "TEX0", "TEX1", "TEX2", "TEX3", "TEX4", "TEX5", "TEX6", "TEX7"};

constexpr std::array<std::string_view, 15> OUTPUT_NAMES = {"HPOS", "COL0", "COL1", "BFC0", "BFC1",
                                                           "FOGC", "PSIZ", "TEX0", "TEX1", "TEX2",
                                                           "TEX3", "TEX4", "TEX5", "TEX6", "TEX7"};

const OpcodeInfo* FindOpcode(std::string_view name) {
    for (const OpcodeInfo& info : OPCODES) {
        if (info.name == name)
            return &info;
    }
    return nullptr;
}

bool SameRegister(const SrcOperand& a, const SrcOperand& b) {
    return a.file == b.file && a.index == b.index;
}

class VertexParser {
  public:
    VertexParser(std::string_view text, std::size_t start, bool version11)
        : m_in(Tokenize(text, start)), m_version11(version11) {
        m_program.kind = ProgramKind::Vertex;
    }

    Program Run() {
        if (m_version11)
            ParseOptions();
        while (!m_in.Peek().Is("END"))
            ParseInstruction();
        Finish(m_in.Take());
        return m_program;
    }

  private:
    void ParseOptions() {
        while (m_in.AcceptWord("OPTION")) {
            m_in.ExpectWord("NV_position_invariant");
            m_in.Expect(';');
            m_program.positionInvariant = true;
        }
    }

    void Finish(const Token& end) {
        m_program.endPosition = end.position;
        if (m_program.code.empty())
            m_in.Fail(end, "a program needs at least one instruction");
        if (!m_program.positionInvariant && !m_writesPosition) {
            m_in.Fail(end, "the program does not write o[HPOS]");
        }
        const Token& after = m_in.Peek();
        if (after.kind != TokenKind::End)
            m_in.Fail(after, "text after END");
    }

    void ParseInstruction() {
        const Token& opToken = m_in.Take();
        const OpcodeInfo* info = FindOpcode(opToken.text);
        if (opToken.kind != TokenKind::Word || info == nullptr) {
            m_in.Fail(opToken, "expected an instruction or END");
        }
        if (info->version11Only && !m_version11) {
            m_in.Fail(opToken, std::string(info->name) + " needs !!VP1.1");
        }
        if (m_program.code.size() == MAX_INSTRUCTIONS)
            m_in.Fail(opToken, "too many instructions");
        Instruction inst;
        inst.op = info->op;
        inst.position = opToken.position;
        ParseOperands(*info, inst);
        m_in.Expect(';');
        m_program.code.push_back(inst);
    }

    void ParseOperands(const OpcodeInfo& info, Instruction& inst) {
        if (info.shape == Shape::Address) {
            ParseAddressRegister();
        } else {
            inst.dst = ParseDst();
        }
        m_in.Expect(',');
        const int count = info.shape == Shape::Binary ? 2 : info.shape == Shape::Ternary ? 3 : 1;
        const bool scalar = info.shape == Shape::Scalar || info.shape == Shape::Address;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                m_in.Expect(',');
            inst.src[i] = ParseSrc(scalar);
            CheckUniqueRegisters(inst, i);
        }
        inst.numSrc = count;
    }

    void ParseAddressRegister() {
        m_in.ExpectWord("A0");
        m_in.Expect('.');
        m_in.ExpectWord("x");
    }

    // An instruction may read only one program parameter and one vertex
    // attribute register, each as often as it likes.
    void CheckUniqueRegisters(const Instruction& inst, int last) {
        const SrcOperand& s = inst.src[last];
        const bool param = s.file == RegFile::Param || s.file == RegFile::ParamRel;
        if (!param && s.file != RegFile::Attrib)
            return;
        for (int i = 0; i < last; ++i) {
            const SrcOperand& o = inst.src[i];
            const bool otherParam = o.file == RegFile::Param || o.file == RegFile::ParamRel;
            if (param && otherParam && !SameRegister(o, s)) {
                m_in.Fail(TokenAt(s), "an instruction may read only one program parameter");
            }
            if (!param && o.file == RegFile::Attrib && !SameRegister(o, s)) {
                m_in.Fail(TokenAt(s), "an instruction may read only one vertex attribute");
            }
        }
    }

    static Token TokenAt(const SrcOperand& s) { return {TokenKind::Word, {}, s.position}; }

    SrcOperand ParseSrc(bool scalar) {
        SrcOperand src;
        src.position = m_in.Peek().position;
        src.negate = m_in.Accept('-');
        const Token& reg = m_in.Peek();
        if (IsRegisterName(reg, "R")) {
            src.file = RegFile::Temp;
            src.index = m_in.RegisterNumber(m_in.Take(), "R", VERTEX_TEMP_COUNT);
        } else if (reg.Is("v")) {
            m_in.Take();
            src.file = RegFile::Attrib;
            src.index = ParseAttribute();
        } else if (reg.Is("c")) {
            m_in.Take();
            ParseParameter(src);
        } else {
            m_in.Fail(reg, "expected a source register");
        }
        if (scalar) {
            src.swizzle = m_in.ScalarSuffix();
        } else if (m_in.Peek().Is('.')) {
            src.swizzle = m_in.SwizzleSuffix();
        }
        return src;
    }

    int ParseAttribute() {
        m_in.Expect('[');
        const Token& name = m_in.Peek();
        int index = -1;
        if (name.kind == TokenKind::Number) {
            index = m_in.Integer(VERTEX_ATTRIB_COUNT);
        } else {
            for (std::size_t i = 0; i < ATTRIB_NAMES.size(); ++i) {
                if (name.Is(ATTRIB_NAMES[i]))
                    index = static_cast<int>(i);
            }
            if (index < 0)
                m_in.Fail(name, "unknown vertex attribute");
            m_in.Take();
        }
        m_in.Expect(']');
        return index;
    }

    void ParseParameter(SrcOperand& src) {
        m_in.Expect('[');
        if (m_in.Peek().Is("A0")) {
            ParseAddressRegister();
            src.file = RegFile::ParamRel;
            src.index = 0;
            if (m_in.Accept('+')) {
                src.index = m_in.Integer(64);
            } else if (m_in.Accept('-')) {
                src.index = -m_in.Integer(65);
            }
        } else {
            src.file = RegFile::Param;
            src.index = m_in.Integer(VERTEX_PARAM_COUNT);
        }
        m_in.Expect(']');
    }

    DstOperand ParseDst() {
        DstOperand dst;
        const Token& reg = m_in.Take();
        if (IsRegisterName(reg, "R")) {
            dst.file = RegFile::Temp;
            dst.index = m_in.RegisterNumber(reg, "R", VERTEX_TEMP_COUNT);
        } else if (reg.Is("o")) {
            dst.file = RegFile::Output;
            dst.index = ParseOutput();
        } else {
            m_in.Fail(reg, "expected a destination register");
        }
        dst.mask = m_in.OptionalWriteMask();
        return dst;
    }

    int ParseOutput() {
        m_in.Expect('[');
        const Token& name = m_in.Take();
        int index = -1;
        for (std::size_t i = 0; i < OUTPUT_NAMES.size(); ++i) {
            if (name.Is(OUTPUT_NAMES[i]))
                index = static_cast<int>(i);
        }
        if (index < 0)
            m_in.Fail(name, "unknown vertex result register");
        if (index == O_HPOS && m_program.positionInvariant) {
            m_in.Fail(name, "a position-invariant program may not write o[HPOS]");
        }
        m_writesPosition = m_writesPosition || index == O_HPOS;
        m_in.Expect(']');
        return index;
    }

    TokenCursor m_in;
    bool m_version11;
    bool m_writesPosition = false;
    Program m_program;
};

}  // namespace

Program ParseVertexProgram(std::string_view text, std::size_t headerLength, bool version11) {
    return VertexParser(text, headerLength, version11).Run();
}

}  // namespace nvprog
