#include "platform/arb_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace nvprog {
namespace {

constexpr char COMPONENTS[] = "xyzw";

bool IsTemp(RegFile file) {
    return file == RegFile::Temp || file == RegFile::HalfTemp;
}

std::uint8_t ComponentsRead(const SrcOperand& src) {
    std::uint8_t read = 0;
    for (std::uint8_t c : src.swizzle)
        read |= static_cast<std::uint8_t>(1u << c);
    return read;
}

}  // namespace

void ArbText::Line(const std::string& line, std::size_t nvPosition) {
    text += line;
    text += '\n';
    nvPositions.push_back(nvPosition);
}

void ArbText::Append(const ArbText& more) {
    text += more.text;
    nvPositions.insert(nvPositions.end(), more.nvPositions.begin(), more.nvPositions.end());
}

std::size_t ArbText::NvPosition(std::size_t arbPosition) const {
    const std::size_t end = std::min(arbPosition, text.size());
    const auto line = static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n'));
    if (nvPositions.empty())
        return 0;
    return nvPositions[std::min(line, nvPositions.size() - 1)];
}

std::string SwizzleText(const Swizzle& s) {
    if (s == IDENTITY_SWIZZLE)
        return "";
    std::string text = ".";
    if (s[0] == s[1] && s[0] == s[2] && s[0] == s[3])
        return text + COMPONENTS[s[0]];
    for (std::uint8_t c : s)
        text += COMPONENTS[c];
    return text;
}

std::string MaskText(std::uint8_t mask) {
    if (mask == MASK_XYZW)
        return "";
    std::string text = ".";
    for (int c = 0; c < 4; ++c) {
        if (mask & (1u << c))
            text += COMPONENTS[c];
    }
    return text;
}

std::string FloatText(float value) {
    if (std::isnan(value))
        value = 0.0f;
    if (std::isinf(value)) {
        value = std::copysign(std::numeric_limits<float>::max(), value);
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string VectorText(const std::array<float, 4>& v) {
    return "{" + FloatText(v[0]) + ", " + FloatText(v[1]) + ", " + FloatText(v[2]) + ", " +
           FloatText(v[3]) + "}";
}

Swizzle ComposeSwizzle(const Swizzle& inner, const Swizzle& outer) {
    return {inner[outer[0]], inner[outer[1]], inner[outer[2]], inner[outer[3]]};
}

std::vector<TempRef> TempsReadBeforeWritten(const Program& program) {
    std::map<TempRef, std::uint8_t> written;
    std::set<TempRef> needed;
    for (const Instruction& inst : program.code) {
        for (int i = 0; i < inst.numSrc; ++i) {
            const SrcOperand& s = inst.src[i];
            if (!IsTemp(s.file))
                continue;
            const TempRef ref{s.file, s.index};
            if ((ComponentsRead(s) & ~written[ref]) != 0)
                needed.insert(ref);
        }
        const bool unconditional = inst.dst.condition.code == CondCode::TR;
        if (IsTemp(inst.dst.file) && unconditional && inst.op != Opcode::KIL) {
            written[{inst.dst.file, inst.dst.index}] |= inst.dst.mask;
        }
    }
    return {needed.begin(), needed.end()};
}

std::vector<TempRef> TempsUsed(const Program& program) {
    std::set<TempRef> used;
    for (const Instruction& inst : program.code) {
        for (int i = 0; i < inst.numSrc; ++i) {
            if (IsTemp(inst.src[i].file))
                used.insert({inst.src[i].file, inst.src[i].index});
        }
        if (IsTemp(inst.dst.file) && inst.op != Opcode::KIL) {
            used.insert({inst.dst.file, inst.dst.index});
        }
    }
    return {used.begin(), used.end()};
}

}  // namespace nvprog
