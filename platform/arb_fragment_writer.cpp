#include "platform/arb_fragment_writer.h"

#include <map>
#include <set>
#include <string>

namespace nvprog {
namespace {

constexpr std::array<const char*, 12> ATTRIBS = {
    "fragment.position",    "fragment.color",       "fragment.color.secondary",
    "fragment.fogcoord",    "fragment.texcoord[0]", "fragment.texcoord[1]",
    "fragment.texcoord[2]", "fragment.texcoord[3]", "fragment.texcoord[4]",
    "fragment.texcoord[5]", "fragment.texcoord[6]", "fragment.texcoord[7]"};
constexpr std::array<const char*, 5> TARGETS = {"1D", "2D", "3D", "CUBE", "RECT"};
constexpr const char* ZERO = "{0, 0, 0, 0}";

constexpr Swizzle XXXX = {0, 0, 0, 0};
constexpr Swizzle YYYY = {1, 1, 1, 1};
constexpr Swizzle XZXZ = {0, 2, 0, 2};
constexpr Swizzle YWYW = {1, 3, 1, 3};
constexpr Swizzle XYXY = {0, 1, 0, 1};

// A source as the ARB program spells it.
struct Operand {
    std::string reg;
    Swizzle swizzle = IDENTITY_SWIZZLE;
    bool negate = false;

    std::string Text() const { return (negate ? "-" : "") + reg + SwizzleText(swizzle); }
    Operand Swizzled(const Swizzle& outer) const {
        return {reg, ComposeSwizzle(swizzle, outer), negate};
    }
    Operand Negated() const { return {reg, swizzle, !negate}; }
};

const char* OpcodeName(Opcode op) {
    switch (op) {
        case Opcode::ADD:
            return "ADD";
        case Opcode::COS:
            return "COS";
        case Opcode::DP3:
            return "DP3";
        case Opcode::DP4:
            return "DP4";
        case Opcode::DST:
            return "DST";
        case Opcode::EX2:
            return "EX2";
        case Opcode::FLR:
            return "FLR";
        case Opcode::FRC:
            return "FRC";
        case Opcode::LG2:
            return "LG2";
        case Opcode::LIT:
            return "LIT";
        case Opcode::LRP:
            return "LRP";
        case Opcode::MAD:
            return "MAD";
        case Opcode::MAX:
            return "MAX";
        case Opcode::MIN:
            return "MIN";
        case Opcode::MUL:
            return "MUL";
        case Opcode::POW:
            return "POW";
        case Opcode::RCP:
            return "RCP";
        case Opcode::RSQ:
            return "RSQ";
        case Opcode::SGE:
            return "SGE";
        case Opcode::SIN:
            return "SIN";
        case Opcode::SLT:
            return "SLT";
        case Opcode::SUB:
            return "SUB";
        case Opcode::TEX:
            return "TEX";
        case Opcode::TXP:
            return "TXP";
        default:
            return "MOV";
    }
}

bool HasShadowForm(TexTarget t) {
    return t == TexTarget::Tex1D || t == TexTarget::Tex2D || t == TexTarget::Rect;
}

bool IsTexture(Opcode op) {
    return op == Opcode::TEX || op == Opcode::TXP;
}

// result.color (COLR and COLH) or result.depth.
int ResultSlot(int output) {
    return output == O_DEPR ? 1 : 0;
}

class FragmentWriter {
  public:
    FragmentWriter(const Program& program, std::uint32_t shadowUnits)
        : m_program(program), m_shadowUnits(shadowUnits) {
        FindShadowedResults();
    }

    ArbText Run() {
        InitialiseRegisters();
        for (const Instruction& inst : m_program.code)
            WriteInstruction(inst);
        for (int slot = 0; slot < 2; ++slot) {
            if (m_shadowed[slot])
                Emit("MOV " + ResultName(slot) + ", " + ShadowName(slot) + ";");
        }
        m_position = m_program.endPosition;
        Emit("END");
        ArbText out;
        WriteHeader(out);
        out.Append(m_body);
        return out;
    }

  private:
    // Results written under a condition keep their value in a temporary,
    // copied to the result at the end, because ARB results cannot be read.
    void FindShadowedResults() {
        for (const Instruction& inst : m_program.code) {
            if (inst.dst.file == RegFile::Output && inst.dst.condition.code != CondCode::TR) {
                m_shadowed[ResultSlot(inst.dst.index)] = true;
            }
            m_usesCondition = m_usesCondition || inst.updatesCondition || inst.op == Opcode::KIL ||
                              inst.dst.condition.code != CondCode::TR;
        }
    }

    void InitialiseRegisters() {
        for (const TempRef& t : TempsReadBeforeWritten(m_program)) {
            Emit("MOV " + TempName(t.file, t.index) + ", " + ZERO + ";");
        }
        if (m_usesCondition)
            Emit(std::string("MOV cc, ") + ZERO + ";");
        for (int slot = 0; slot < 2; ++slot) {
            if (m_shadowed[slot])
                Emit("MOV " + ShadowName(slot) + ", " + ZERO + ";");
        }
    }

    void WriteHeader(ArbText& out) const {
        out.Line("!!ARBfp1.0", 0);
        if (m_usesShadow)
            out.Line("OPTION ARB_fragment_program_shadow;", 0);
        std::string temps;
        for (const TempRef& t : TempsUsed(m_program))
            temps += ", " + TempName(t.file, t.index);
        for (int i = 0; i < m_helperCount; ++i)
            temps += ", t" + std::to_string(i);
        if (m_usesCondition)
            temps += ", cc";
        for (int slot = 0; slot < 2; ++slot) {
            if (m_shadowed[slot])
                temps += ", " + ShadowName(slot);
        }
        if (!temps.empty())
            out.Line("TEMP " + temps.substr(2) + ";", 0);
        for (const auto& [value, name] : m_literals) {
            out.Line("PARAM " + name + " = " + VectorText(value) + ";", 0);
        }
        for (int n : m_locals) {
            out.Line("PARAM p" + std::to_string(n) + " = program.local[" + std::to_string(n) + "];",
                     0);
        }
        for (std::size_t k = 0; k < m_program.named.size(); ++k) {
            out.Line("PARAM n_" + m_program.named[k].name + " = program.local[" +
                         std::to_string(NAMED_LOCAL_BASE + static_cast<int>(k)) + "];",
                     0);
        }
    }

    static std::string TempName(RegFile file, int index) {
        return (file == RegFile::HalfTemp ? "H" : "R") + std::to_string(index);
    }
    static std::string ResultName(int slot) { return slot == 1 ? "result.depth" : "result.color"; }
    static std::string ShadowName(int slot) { return slot == 1 ? "o_depth" : "o_color"; }

    void Emit(const std::string& line) { m_body.Line(line, m_position); }

    std::string Helper() {
        const int n = m_nextHelper++;
        if (n >= m_helperCount)
            m_helperCount = n + 1;
        return "t" + std::to_string(n);
    }

    std::string LiteralName(const std::array<float, 4>& value) {
        const auto found = m_literals.find(value);
        if (found != m_literals.end())
            return found->second;
        const std::string name = "k" + std::to_string(m_literals.size());
        m_literals.emplace(value, name);
        return name;
    }

    std::string Register(const SrcOperand& s) {
        const auto index = static_cast<std::size_t>(s.index);
        switch (s.file) {
            case RegFile::Temp:
            case RegFile::HalfTemp:
                return TempName(s.file, s.index);
            case RegFile::Attrib:
                return ATTRIBS[index];
            case RegFile::Local:
                m_locals.insert(s.index);
                return "p" + std::to_string(s.index);
            case RegFile::Named:
                return "n_" + m_program.named[index].name;
            default:
                return LiteralName(m_program.literals[index]);
        }
    }

    // |x| has no ARB source modifier: it is computed into a helper first.
    Operand Source(const SrcOperand& s) {
        Operand op{Register(s), s.swizzle, s.negate};
        if (!s.absolute)
            return op;
        const std::string t = Helper();
        Emit("ABS " + t + ", " + Operand{op.reg, op.swizzle, false}.Text() + ";");
        return {t, IDENTITY_SWIZZLE, s.negate};
    }

    std::string DstRegister(const DstOperand& d) const {
        if (d.file == RegFile::Output) {
            const int slot = ResultSlot(d.index);
            return m_shadowed[slot] ? ShadowName(slot) : ResultName(slot);
        }
        return TempName(d.file, d.index);
    }

    void WriteInstruction(const Instruction& inst) {
        m_nextHelper = 0;
        m_position = inst.position;
        if (inst.op == Opcode::KIL) {
            WriteKill(inst.kill);
            return;
        }
        if (inst.dst.condition.code == CondCode::FL)
            return;
        std::array<Operand, 3> src;
        for (int i = 0; i < inst.numSrc; ++i)
            src[i] = Source(inst.src[i]);
        const bool viaHelper = inst.dst.condition.code != CondCode::TR || inst.updatesCondition ||
                               inst.dst.file == RegFile::CondDummy;
        const std::string target = viaHelper ? Helper() : DstRegister(inst.dst);
        WriteOperation(inst, target + MaskText(inst.dst.mask), src);
        if (viaHelper)
            Merge(inst, target);
    }

    void WriteOperation(const Instruction& inst, const std::string& d,
                        const std::array<Operand, 3>& s) {
        const std::string sat = inst.saturate ? "_SAT" : "";
        switch (inst.op) {
            case Opcode::SGT:
                return Emit("SLT" + sat + " " + d + ", " + s[1].Text() + ", " + s[0].Text() + ";");
            case Opcode::SLE:
                return Emit("SGE" + sat + " " + d + ", " + s[1].Text() + ", " + s[0].Text() + ";");
            case Opcode::SEQ:
                return WritePairTest("SGE", "MUL" + sat, d, s);
            case Opcode::SNE:
                return WritePairTest("SLT", "ADD" + sat, d, s);
            case Opcode::SFL:
                return Emit("MOV" + sat + " " + d + ", " + ZERO + ";");
            case Opcode::STR:
                return Emit("MOV" + sat + " " + d + ", {1, 1, 1, 1};");
            case Opcode::RFL:
                return WriteReflect(sat, d, s);
            case Opcode::X2D:
                return WriteX2d(sat, d, s);
            default:
                break;
        }
        std::string line = std::string(OpcodeName(inst.op)) + sat + " " + d;
        for (int i = 0; i < inst.numSrc; ++i)
            line += ", " + s[i].Text();
        if (IsTexture(inst.op))
            line += ", texture[" + std::to_string(inst.texUnit) + "], " + Target(inst);
        Emit(line + ";");
    }

    std::string Target(const Instruction& inst) {
        const std::string name = TARGETS[static_cast<std::size_t>(inst.texTarget)];
        if (!HasShadowForm(inst.texTarget) || !(m_shadowUnits & (1u << inst.texUnit)))
            return name;
        m_usesShadow = true;
        return "SHADOW" + name;
    }

    // SEQ = (a >= b) * (b >= a); SNE = (a < b) + (b < a).
    void WritePairTest(const std::string& test, const std::string& combine, const std::string& d,
                       const std::array<Operand, 3>& s) {
        const std::string t1 = Helper();
        const std::string t2 = Helper();
        Emit(test + " " + t1 + ", " + s[0].Text() + ", " + s[1].Text() + ";");
        Emit(test + " " + t2 + ", " + s[1].Text() + ", " + s[0].Text() + ";");
        Emit(combine + " " + d + ", " + t1 + ", " + t2 + ";");
    }

    // RFL: 2 * dot(a, b) / dot(a, a) * a - b over x, y and z.
    void WriteReflect(const std::string& sat, const std::string& d,
                      const std::array<Operand, 3>& s) {
        const std::string t = Helper();
        Emit("DP3 " + t + ".w, " + s[0].Text() + ", " + s[0].Text() + ";");
        Emit("DP3 " + t + ".x, " + s[0].Text() + ", " + s[1].Text() + ";");
        Emit("RCP " + t + ".w, " + t + ".w;");
        Emit("MUL " + t + ".x, " + t + ".x, " + t + ".w;");
        Emit("ADD " + t + ".x, " + t + ".x, " + t + ".x;");
        Emit("MAD" + sat + " " + d + ", " + t + ".x, " + s[0].Text() + ", " +
             s[1].Negated().Text() + ";");
    }

    // X2D: (a.x + b.x * c.x + b.y * c.y, a.y + b.x * c.z + b.y * c.w), repeated in z, w.
    void WriteX2d(const std::string& sat, const std::string& d, const std::array<Operand, 3>& s) {
        const std::string t = Helper();
        Emit("MAD " + t + ", " + s[1].Swizzled(XXXX).Text() + ", " + s[2].Swizzled(XZXZ).Text() +
             ", " + s[0].Swizzled(XYXY).Text() + ";");
        Emit("MAD" + sat + " " + d + ", " + s[1].Swizzled(YYYY).Text() + ", " +
             s[2].Swizzled(YWYW).Text() + ", " + t + ";");
    }

    // Writes the helper's value to the destination and to the condition
    // code, each only where the write condition holds (tested on the old
    // condition code).
    void Merge(const Instruction& inst, const std::string& value) {
        const std::string mask = MaskText(inst.dst.mask);
        if (inst.dst.file != RegFile::CondDummy) {
            const std::string reg = DstRegister(inst.dst);
            Select(inst.dst.condition, reg + mask, value, reg);
        }
        if (inst.updatesCondition)
            Select(inst.dst.condition, "cc" + mask, value, "cc");
    }

    void Select(const Condition& c, const std::string& d, const std::string& pass,
                const std::string& keep) {
        if (c.code == CondCode::TR)
            return Emit("MOV " + d + ", " + pass + ";");
        const Operand cc{"cc", c.swizzle, false};
        std::string test;
        bool passWhenNegative = true;
        switch (c.code) {
            case CondCode::GT:
                test = cc.Negated().Text();
                break;
            case CondCode::LT:
                test = cc.Text();
                break;
            case CondCode::GE:
                test = cc.Text();
                passWhenNegative = false;
                break;
            case CondCode::LE:
                test = cc.Negated().Text();
                passWhenNegative = false;
                break;
            default: {
                const std::string t = Helper();
                Emit("ABS " + t + ", " + cc.Text() + ";");
                test = "-" + t;
                passWhenNegative = c.code == CondCode::NE;
            }
        }
        const std::string& a = passWhenNegative ? pass : keep;
        const std::string& b = passWhenNegative ? keep : pass;
        Emit("CMP " + d + ", " + test + ", " + a + ", " + b + ";");
    }

    // KIL kills when any component of its source is negative.
    void WriteKill(const Condition& c) {
        const Operand cc{"cc", c.swizzle, false};
        switch (c.code) {
            case CondCode::FL:
                return;
            case CondCode::TR:
                return Emit("KIL {-1, -1, -1, -1};");
            case CondCode::GT:
                return Emit("KIL " + cc.Negated().Text() + ";");
            case CondCode::LT:
                return Emit("KIL " + cc.Text() + ";");
            case CondCode::NE:
                return KillOn("ABS", cc.Text(), false);
            case CondCode::GE:
                return KillOn("SGE", cc.Text(), true);
            case CondCode::LE:
                return KillOn("SGE", cc.Negated().Text(), true);
            default:
                return KillOnZero(cc);
        }
    }

    // Kills where t = op(x) is positive; with compare, t = (x >= 0).
    void KillOn(const std::string& op, const std::string& x, bool compare) {
        const std::string t = Helper();
        Emit(op + " " + t + ", " + x + (compare ? std::string(", ") + ZERO : "") + ";");
        Emit("KIL -" + t + ";");
    }

    void KillOnZero(const Operand& cc) {
        const std::string t = Helper();
        Emit("ABS " + t + ", " + cc.Text() + ";");
        Emit("SGE " + t + ", -" + t + ", " + ZERO + ";");
        Emit("KIL -" + t + ";");
    }

    const Program& m_program;
    const std::uint32_t m_shadowUnits;
    ArbText m_body;
    std::size_t m_position = 0;
    std::map<std::array<float, 4>, std::string> m_literals;
    std::set<int> m_locals;
    std::array<bool, 2> m_shadowed{};
    bool m_usesCondition = false;
    bool m_usesShadow = false;
    int m_nextHelper = 0;
    int m_helperCount = 0;
};

}  // namespace

std::vector<SampledUnit> ShadowCapableUnits(const Program& program) {
    std::vector<SampledUnit> units;
    std::uint32_t seen = 0;
    for (const Instruction& inst : program.code) {
        if (!IsTexture(inst.op) || !HasShadowForm(inst.texTarget))
            continue;
        if (seen & (1u << inst.texUnit))
            continue;
        seen |= 1u << inst.texUnit;
        units.push_back({inst.texUnit, inst.texTarget});
    }
    return units;
}

ArbText WriteArbFragmentProgram(const Program& program, std::uint32_t shadowUnits) {
    return FragmentWriter(program, shadowUnits).Run();
}

}  // namespace nvprog
