#include "platform/nv_fragment_parser.h"

#include <array>
#include <map>
#include <string>

#include "platform/nv_fragment_opcodes.h"
#include "platform/nv_parse_cursor.h"

namespace nvprog {
namespace {

constexpr std::size_t MAX_INSTRUCTIONS = 1024;

constexpr std::array<std::string_view, 12> ATTRIB_NAMES = {
    "WPOS", "COL0", "COL1", "FOGC", "TEX0", "TEX1", "TEX2", "TEX3", "TEX4", "TEX5", "TEX6", "TEX7"};
constexpr std::array<std::string_view, 3> OUTPUT_NAMES = {"COLR", "COLH", "DEPR"};
constexpr std::array<std::string_view, 8> COND_NAMES = {"TR", "FL", "EQ", "NE",
                                                        "LT", "LE", "GT", "GE"};
constexpr std::array<std::string_view, 5> TARGET_NAMES = {"1D", "2D", "3D", "CUBE", "RECT"};

template <std::size_t N>
int FindName(const std::array<std::string_view, N>& names, const Token& token) {
    for (std::size_t i = 0; i < N; ++i) {
        if (token.Is(names[i]))
            return static_cast<int>(i);
    }
    return -1;
}

bool IsReservedName(const Token& name) {
    return IsRegisterName(name, "R") || IsRegisterName(name, "H") || name.Is("RC") ||
           name.Is("HC") || name.Is("END") || name.Is("DEFINE") || name.Is("DECLARE");
}

class FragmentParser {
  public:
    FragmentParser(std::string_view text, std::size_t start) : m_in(Tokenize(text, start)) {
        m_program.kind = ProgramKind::Fragment;
        m_unitTargets.fill(-1);
    }

    Program Run() {
        while (!m_in.Peek().Is("END"))
            ParseStatement();
        Finish(m_in.Take());
        return m_program;
    }

  private:
    void Finish(const Token& end) {
        m_program.endPosition = end.position;
        if (m_outputs == 0)
            m_in.Fail(end, "the program writes no result register");
        const Token& after = m_in.Peek();
        if (after.kind != TokenKind::End)
            m_in.Fail(after, "text after END");
    }

    void ParseStatement() {
        if (m_in.AcceptWord("DEFINE")) {
            ParseConstant(true);
        } else if (m_in.AcceptWord("DECLARE")) {
            ParseConstant(false);
        } else {
            ParseInstruction();
        }
        m_in.Expect(';');
    }

    // DEFINE name = constant; DECLARE name [= constant];
    void ParseConstant(bool define) {
        const Token& name = m_in.Take();
        if (name.kind != TokenKind::Word || IsReservedName(name))
            m_in.Fail(name, "expected a name");
        if (m_names.count(std::string(name.text)) != 0)
            m_in.Fail(name, "name already declared");
        std::array<float, 4> value{};
        if (define)
            m_in.Expect('=');
        if (define || m_in.Accept('='))
            value = ConstantValue();
        if (define) {
            m_names[std::string(name.text)] = {RegFile::Literal, AddLiteral(value)};
        } else {
            m_names[std::string(name.text)] = {RegFile::Named,
                                               static_cast<int>(m_program.named.size())};
            m_program.named.push_back({std::string(name.text), value});
        }
    }

    // A signed number (replicated) or {x[, y[, z[, w]]]}, missing components
    // taken from (0, 0, 0, 1).
    std::array<float, 4> ConstantValue() {
        if (!m_in.Accept('{')) {
            const float v = m_in.SignedNumber();
            return {v, v, v, v};
        }
        std::array<float, 4> value = {0.0f, 0.0f, 0.0f, 1.0f};
        for (std::size_t i = 0; i < 4; ++i) {
            if (i > 0 && !m_in.Accept(','))
                break;
            value[i] = m_in.SignedNumber();
        }
        m_in.Expect('}');
        return value;
    }

    int AddLiteral(const std::array<float, 4>& value) {
        m_program.literals.push_back(value);
        return static_cast<int>(m_program.literals.size()) - 1;
    }

    void ParseInstruction() {
        const Token& opToken = m_in.Take();
        const auto decoded =
            opToken.kind == TokenKind::Word ? DecodeFragmentOpcode(opToken.text) : std::nullopt;
        if (!decoded)
            m_in.Fail(opToken, "expected an instruction or END");
        if (decoded->shape == FragmentShape::Unsupported) {
            m_in.Fail(opToken, "instruction has no ARB_fragment_program equivalent");
        }
        if (m_program.code.size() == MAX_INSTRUCTIONS)
            m_in.Fail(opToken, "too many instructions");
        Instruction inst;
        inst.op = decoded->op;
        inst.position = opToken.position;
        inst.saturate = decoded->saturate;
        inst.updatesCondition = decoded->updatesCondition;
        ParseOperands(decoded->shape, inst);
        m_program.code.push_back(inst);
    }

    void ParseOperands(FragmentShape shape, Instruction& inst) {
        if (shape == FragmentShape::Kill) {
            inst.kill = ParseCondition();
            return;
        }
        inst.dst = ParseDst();
        const bool scalar = shape == FragmentShape::Scalar1 || shape == FragmentShape::Scalar2;
        inst.numSrc = shape == FragmentShape::Vector3                                      ? 3
                      : shape == FragmentShape::Vector2 || shape == FragmentShape::Scalar2 ? 2
                                                                                           : 1;
        for (int i = 0; i < inst.numSrc; ++i) {
            m_in.Expect(',');
            inst.src[i] = ParseSrc(scalar);
        }
        if (shape == FragmentShape::Texture)
            ParseTextureImage(inst);
    }

    // TEXn, target; a texture unit is used with one target only.
    void ParseTextureImage(Instruction& inst) {
        m_in.Expect(',');
        inst.texUnit = m_in.RegisterNumber(m_in.Take(), "TEX", TEXTURE_UNIT_COUNT);
        m_in.Expect(',');
        const Token& target = m_in.Take();
        const int t = FindName(TARGET_NAMES, target);
        if (t < 0)
            m_in.Fail(target, "expected a texture target");
        int& used = m_unitTargets[static_cast<std::size_t>(inst.texUnit)];
        if (used >= 0 && used != t)
            m_in.Fail(target, "texture unit used with two targets");
        used = t;
        inst.texTarget = static_cast<TexTarget>(t);
    }

    Condition ParseCondition() {
        const Token& code = m_in.Take();
        const int c = FindName(COND_NAMES, code);
        if (c < 0)
            m_in.Fail(code, "expected a condition");
        Condition condition;
        condition.code = static_cast<CondCode>(c);
        if (m_in.Peek().Is('.'))
            condition.swizzle = m_in.SwizzleSuffix();
        return condition;
    }

    DstOperand ParseDst() {
        DstOperand dst;
        const Token& reg = m_in.Take();
        if (reg.Is("RC") || reg.Is("HC")) {
            dst.file = RegFile::CondDummy;
        } else if (IsRegisterName(reg, "R")) {
            dst.file = RegFile::Temp;
            dst.index = m_in.RegisterNumber(reg, "R", FRAGMENT_TEMP_COUNT);
        } else if (IsRegisterName(reg, "H")) {
            dst.file = RegFile::HalfTemp;
            dst.index = m_in.RegisterNumber(reg, "H", FRAGMENT_HALF_TEMP_COUNT);
        } else if (reg.Is("o") && m_in.Peek().Is('[')) {
            dst.file = RegFile::Output;
            dst.index = ParseOutput();
        } else {
            m_in.Fail(reg, "expected a destination register");
        }
        dst.mask = m_in.OptionalWriteMask();
        if (m_in.Accept('(')) {
            dst.condition = ParseCondition();
            m_in.Expect(')');
        }
        return dst;
    }

    int ParseOutput() {
        m_in.Expect('[');
        const Token& name = m_in.Take();
        const int index = FindName(OUTPUT_NAMES, name);
        if (index < 0)
            m_in.Fail(name, "unknown fragment result register");
        m_outputs |= 1u << index;
        if ((m_outputs & 3u) == 3u)
            m_in.Fail(name, "o[COLR] and o[COLH] both written");
        m_in.Expect(']');
        return index;
    }

    // [-|+] ( "|" [-|+] base "|" | base ); base = register or constant
    // with an optional swizzle; a scalar source needs a one-component
    // swizzle, except a plain number.
    SrcOperand ParseSrc(bool scalar) {
        SrcOperand src;
        src.position = m_in.Peek().position;
        src.negate = m_in.Accept('-');
        if (!src.negate)
            m_in.Accept('+');
        src.absolute = m_in.Accept('|');
        if (src.absolute && !m_in.Accept('-'))
            m_in.Accept('+');
        const bool number = ParseBase(src);
        if (m_in.Peek().Is('.')) {
            src.swizzle = scalar ? m_in.ScalarSuffix() : m_in.SwizzleSuffix();
        } else if (scalar && !number) {
            m_in.ScalarSuffix();
        } else if (scalar) {
            src.swizzle = {0, 0, 0, 0};
        }
        if (src.absolute)
            m_in.Expect('|');
        return src;
    }

    // Returns whether the base was a plain number.
    bool ParseBase(SrcOperand& src) {
        const Token& token = m_in.Peek();
        if (token.kind == TokenKind::Number) {
            const float v = m_in.SignedNumber();
            src.file = RegFile::Literal;
            src.index = AddLiteral({v, v, v, v});
            return true;
        }
        if (token.Is('{')) {
            src.file = RegFile::Literal;
            src.index = AddLiteral(ConstantValue());
        } else if (IsRegisterName(token, "R")) {
            src.file = RegFile::Temp;
            src.index = m_in.RegisterNumber(m_in.Take(), "R", FRAGMENT_TEMP_COUNT);
        } else if (IsRegisterName(token, "H")) {
            src.file = RegFile::HalfTemp;
            src.index = m_in.RegisterNumber(m_in.Take(), "H", FRAGMENT_HALF_TEMP_COUNT);
        } else if (token.Is("f") && m_in.Peek(1).Is('[')) {
            ParseAttribute(src);
        } else if (token.Is("p") && m_in.Peek(1).Is('[')) {
            ParseLocal(src);
        } else {
            ParseName(src);
        }
        return false;
    }

    void ParseAttribute(SrcOperand& src) {
        m_in.Take();
        m_in.Expect('[');
        const Token& name = m_in.Take();
        src.file = RegFile::Attrib;
        src.index = FindName(ATTRIB_NAMES, name);
        if (src.index < 0)
            m_in.Fail(name, "unknown fragment attribute");
        m_in.Expect(']');
    }

    void ParseLocal(SrcOperand& src) {
        m_in.Take();
        m_in.Expect('[');
        src.file = RegFile::Local;
        src.index = m_in.Integer(FRAGMENT_LOCAL_COUNT);
        m_in.Expect(']');
    }

    void ParseName(SrcOperand& src) {
        const Token& name = m_in.Take();
        const auto found = m_names.find(std::string(name.text));
        if (name.kind != TokenKind::Word || found == m_names.end()) {
            m_in.Fail(name, "expected a source register or constant");
        }
        src.file = found->second.first;
        src.index = found->second.second;
    }

    TokenCursor m_in;
    Program m_program;
    std::map<std::string, std::pair<RegFile, int>> m_names;
    std::array<int, TEXTURE_UNIT_COUNT> m_unitTargets{};
    unsigned m_outputs = 0;
};

}  // namespace

Program ParseFragmentProgram(std::string_view text, std::size_t headerLength) {
    return FragmentParser(text, headerLength).Run();
}

}  // namespace nvprog
