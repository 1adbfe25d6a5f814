#include "platform/arb_vertex_writer.h"

#include <set>
#include <string>

namespace nvprog {
namespace {

constexpr std::array<const char*, VERTEX_ATTRIB_COUNT> ATTRIBS = {
    "vertex.position",        "vertex.attrib[1]",   "vertex.normal",      "vertex.color",
    "vertex.color.secondary", "vertex.fogcoord",    "vertex.attrib[6]",   "vertex.attrib[7]",
    "vertex.texcoord[0]",     "vertex.texcoord[1]", "vertex.texcoord[2]", "vertex.texcoord[3]",
    "vertex.texcoord[4]",     "vertex.texcoord[5]", "vertex.texcoord[6]", "vertex.texcoord[7]"};

constexpr std::array<const char*, 15> OUTPUTS = {"result.position",
                                                 "result.color",
                                                 "result.color.secondary",
                                                 "result.color.back",
                                                 "result.color.back.secondary",
                                                 "result.fogcoord",
                                                 "result.pointsize",
                                                 "result.texcoord[0]",
                                                 "result.texcoord[1]",
                                                 "result.texcoord[2]",
                                                 "result.texcoord[3]",
                                                 "result.texcoord[4]",
                                                 "result.texcoord[5]",
                                                 "result.texcoord[6]",
                                                 "result.texcoord[7]"};

const char* OpcodeName(Opcode op) {
    switch (op) {
        case Opcode::ABS:
            return "ABS";
        case Opcode::ADD:
            return "ADD";
        case Opcode::ARL:
            return "ARL";
        case Opcode::DP3:
            return "DP3";
        case Opcode::DP4:
            return "DP4";
        case Opcode::DPH:
            return "DPH";
        case Opcode::DST:
            return "DST";
        case Opcode::EXP:
            return "EXP";
        case Opcode::LIT:
            return "LIT";
        case Opcode::LOG:
            return "LOG";
        case Opcode::MAD:
            return "MAD";
        case Opcode::MAX:
            return "MAX";
        case Opcode::MIN:
            return "MIN";
        case Opcode::MUL:
            return "MUL";
        case Opcode::RCP:
            return "RCP";
        case Opcode::RSQ:
            return "RSQ";
        case Opcode::SGE:
            return "SGE";
        case Opcode::SLT:
            return "SLT";
        case Opcode::SUB:
            return "SUB";
        default:
            return "MOV";
    }
}

std::string MatrixName(const MatrixTrack& t) {
    std::string name = "state.matrix.";
    switch (t.matrix) {
        case TrackedMatrix::Modelview:
            name += "modelview";
            break;
        case TrackedMatrix::Projection:
            name += "projection";
            break;
        case TrackedMatrix::ModelviewProjection:
            name += "mvp";
            break;
        case TrackedMatrix::Texture:
            name += "texture[" + std::to_string(t.index) + "]";
            break;
        default:
            name += "program[" + std::to_string(t.index) + "]";
            break;
    }
    switch (t.transform) {
        case TrackTransform::Inverse:
            return name + ".inverse";
        case TrackTransform::Transpose:
            return name + ".transpose";
        case TrackTransform::InverseTranspose:
            return name + ".invtrans";
        default:
            return name;
    }
}

bool UsesRelativeAddressing(const Program& program) {
    for (const Instruction& inst : program.code) {
        for (int i = 0; i < inst.numSrc; ++i) {
            if (inst.src[i].file == RegFile::ParamRel)
                return true;
        }
    }
    return false;
}

class VertexWriter {
  public:
    VertexWriter(const Program& program, const TrackingTable& tracking)
        : m_program(program), m_tracking(tracking), m_relative(UsesRelativeAddressing(program)) {}

    ArbText Run() {
        m_out.Line("!!ARBvp1.0", 0);
        if (m_program.positionInvariant)
            m_out.Line("OPTION ARB_position_invariant;", 0);
        DeclareTemps();
        DeclareParams();
        for (const TempRef& t : TempsReadBeforeWritten(m_program)) {
            m_out.Line("MOV R" + std::to_string(t.index) + ", {0, 0, 0, 0};", 0);
        }
        for (const Instruction& inst : m_program.code)
            WriteInstruction(inst);
        m_out.Line("END", m_program.endPosition);
        return m_out;
    }

  private:
    void DeclareTemps() {
        std::string temps;
        for (const TempRef& t : TempsUsed(m_program))
            temps += ", R" + std::to_string(t.index);
        if (Uses(Opcode::RCC))
            temps += ", t0";
        if (!temps.empty())
            m_out.Line("TEMP " + temps.substr(2) + ";", 0);
        if (Uses(Opcode::ARL))
            m_out.Line("ADDRESS A0;", 0);
        if (Uses(Opcode::RCC)) {
            m_out.Line("PARAM rcc = {1.884467e-19, 1.844674e+19, -2, 1};", 0);
        }
    }

    bool Uses(Opcode op) const {
        for (const Instruction& inst : m_program.code) {
            if (inst.op == op)
                return true;
        }
        return false;
    }

    // Row r of block b: a tracked matrix row, or the environment parameter.
    std::string ParamBinding(int n) const {
        const MatrixTrack& t = m_tracking[static_cast<std::size_t>(n / 4)];
        if (t.matrix == TrackedMatrix::None)
            return "program.env[" + std::to_string(n) + "]";
        return MatrixName(t) + ".row[" + std::to_string(n % 4) + "]";
    }

    void DeclareParams() {
        if (m_relative) {
            DeclareParamArray();
            return;
        }
        std::set<int> used;
        for (const Instruction& inst : m_program.code) {
            for (int i = 0; i < inst.numSrc; ++i) {
                if (inst.src[i].file == RegFile::Param)
                    used.insert(inst.src[i].index);
            }
        }
        for (int n : used) {
            m_out.Line("PARAM c" + std::to_string(n) + " = " + ParamBinding(n) + ";", 0);
        }
    }

    // Relative addressing needs all 96 registers as one array, written as
    // runs of environment parameters and tracked matrices.
    void DeclareParamArray() {
        std::string items;
        int runStart = -1;
        for (int b = 0; b < TRACK_BLOCK_COUNT; ++b) {
            const MatrixTrack& t = m_tracking[static_cast<std::size_t>(b)];
            if (t.matrix == TrackedMatrix::None) {
                if (runStart < 0)
                    runStart = b * 4;
                continue;
            }
            items += EnvRun(runStart, b * 4);
            runStart = -1;
            items += ", " + MatrixName(t) + ".row[0..3]";
        }
        items += EnvRun(runStart, VERTEX_PARAM_COUNT);
        m_out.Line(
            "PARAM c[" + std::to_string(VERTEX_PARAM_COUNT) + "] = {" + items.substr(2) + "};", 0);
    }

    static std::string EnvRun(int start, int end) {
        if (start < 0)
            return "";
        return ", program.env[" + std::to_string(start) + ".." + std::to_string(end - 1) + "]";
    }

    std::string Src(const SrcOperand& s) const {
        std::string text = s.negate ? "-" : "";
        switch (s.file) {
            case RegFile::Temp:
                text += "R" + std::to_string(s.index);
                break;
            case RegFile::Attrib:
                text += ATTRIBS[static_cast<std::size_t>(s.index)];
                break;
            case RegFile::Param:
                text += m_relative ? "c[" + std::to_string(s.index) + "]"
                                   : "c" + std::to_string(s.index);
                break;
            default:
                text += RelativeParam(s.index);
                break;
        }
        return text + SwizzleText(s.swizzle);
    }

    static std::string RelativeParam(int offset) {
        if (offset == 0)
            return "c[A0.x]";
        if (offset > 0)
            return "c[A0.x + " + std::to_string(offset) + "]";
        return "c[A0.x - " + std::to_string(-offset) + "]";
    }

    static std::string Dst(const DstOperand& d) {
        const std::string reg = d.file == RegFile::Temp
                                    ? "R" + std::to_string(d.index)
                                    : std::string(OUTPUTS[static_cast<std::size_t>(d.index)]);
        return reg + MaskText(d.mask);
    }

    void WriteInstruction(const Instruction& inst) {
        if (inst.op == Opcode::RCC) {
            WriteRcc(inst);
            return;
        }
        std::string line = std::string(OpcodeName(inst.op)) + " ";
        line += inst.op == Opcode::ARL ? "A0.x" : Dst(inst.dst);
        for (int i = 0; i < inst.numSrc; ++i)
            line += ", " + Src(inst.src[i]);
        m_out.Line(line + ";", inst.position);
    }

    // RCC: the reciprocal with its magnitude clamped to
    // [1.884467e-19, 1.844674e+19], keeping its sign.
    void WriteRcc(const Instruction& inst) {
        const std::size_t at = inst.position;
        m_out.Line("RCP t0.x, " + Src(inst.src[0]) + ";", at);
        m_out.Line("ABS t0.y, t0.x;", at);
        m_out.Line("MAX t0.y, t0.y, rcc.x;", at);
        m_out.Line("MIN t0.y, t0.y, rcc.y;", at);
        m_out.Line("SLT t0.z, t0.x, -t0.x;", at);
        m_out.Line("MAD t0.z, t0.z, rcc.z, rcc.w;", at);
        m_out.Line("MUL " + Dst(inst.dst) + ", t0.y, t0.z;", at);
    }

    const Program& m_program;
    const TrackingTable& m_tracking;
    const bool m_relative;
    ArbText m_out;
};

}  // namespace

std::uint32_t ReferencedParamBlocks(const Program& program) {
    std::uint32_t blocks = 0;
    for (const Instruction& inst : program.code) {
        for (int i = 0; i < inst.numSrc; ++i) {
            const SrcOperand& s = inst.src[i];
            if (s.file == RegFile::ParamRel)
                return (1u << TRACK_BLOCK_COUNT) - 1;
            if (s.file == RegFile::Param)
                blocks |= 1u << (s.index / 4);
        }
    }
    return blocks;
}

ArbText WriteArbVertexProgram(const Program& program, const TrackingTable& tracking) {
    return VertexWriter(program, tracking).Run();
}

}  // namespace nvprog
