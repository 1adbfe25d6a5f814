#include "platform/nv_fragment_opcodes.h"

#include <array>

namespace nvprog {
namespace {

enum Suffix : unsigned { PRECISION = 1, HALF_ONLY = 2, COND = 4, SAT = 8 };
constexpr unsigned ALL = PRECISION | COND | SAT;
constexpr unsigned NO_FIXED = HALF_ONLY | COND | SAT;
constexpr unsigned COND_SAT = COND | SAT;

struct Entry {
    std::string_view name;
    Opcode op;
    FragmentShape shape;
    unsigned suffixes;
};

using S = FragmentShape;
constexpr std::array<Entry, 45> TABLE = {{
    {"ADD", Opcode::ADD, S::Vector2, ALL},      {"COS", Opcode::COS, S::Scalar1, NO_FIXED},
    {"DDX", Opcode::MOV, S::Unsupported, 0},    {"DDY", Opcode::MOV, S::Unsupported, 0},
    {"DP3", Opcode::DP3, S::Vector2, ALL},      {"DP4", Opcode::DP4, S::Vector2, ALL},
    {"DST", Opcode::DST, S::Vector2, NO_FIXED}, {"EX2", Opcode::EX2, S::Scalar1, NO_FIXED},
    {"FLR", Opcode::FLR, S::Vector1, ALL},      {"FRC", Opcode::FRC, S::Vector1, ALL},
    {"KIL", Opcode::KIL, S::Kill, 0},           {"LG2", Opcode::LG2, S::Scalar1, NO_FIXED},
    {"LIT", Opcode::LIT, S::Vector1, NO_FIXED}, {"LRP", Opcode::LRP, S::Vector3, ALL},
    {"MAD", Opcode::MAD, S::Vector3, ALL},      {"MAX", Opcode::MAX, S::Vector2, ALL},
    {"MIN", Opcode::MIN, S::Vector2, ALL},      {"MOV", Opcode::MOV, S::Vector1, ALL},
    {"MUL", Opcode::MUL, S::Vector2, ALL},      {"PK2H", Opcode::MOV, S::Unsupported, 0},
    {"PK2US", Opcode::MOV, S::Unsupported, 0},  {"PK4B", Opcode::MOV, S::Unsupported, 0},
    {"PK4UB", Opcode::MOV, S::Unsupported, 0},  {"POW", Opcode::POW, S::Scalar2, NO_FIXED},
    {"RCP", Opcode::RCP, S::Scalar1, NO_FIXED}, {"RFL", Opcode::RFL, S::Vector2, NO_FIXED},
    {"RSQ", Opcode::RSQ, S::Scalar1, NO_FIXED}, {"SEQ", Opcode::SEQ, S::Vector2, ALL},
    {"SFL", Opcode::SFL, S::Vector2, ALL},      {"SGE", Opcode::SGE, S::Vector2, ALL},
    {"SGT", Opcode::SGT, S::Vector2, ALL},      {"SIN", Opcode::SIN, S::Scalar1, NO_FIXED},
    {"SLE", Opcode::SLE, S::Vector2, ALL},      {"SLT", Opcode::SLT, S::Vector2, ALL},
    {"SNE", Opcode::SNE, S::Vector2, ALL},      {"STR", Opcode::STR, S::Vector2, ALL},
    {"SUB", Opcode::SUB, S::Vector2, ALL},      {"TEX", Opcode::TEX, S::Texture, COND_SAT},
    {"TXD", Opcode::MOV, S::Unsupported, 0},    {"TXP", Opcode::TXP, S::Texture, COND_SAT},
    {"UP2H", Opcode::MOV, S::Unsupported, 0},   {"UP2US", Opcode::MOV, S::Unsupported, 0},
    {"UP4B", Opcode::MOV, S::Unsupported, 0},   {"UP4UB", Opcode::MOV, S::Unsupported, 0},
    {"X2D", Opcode::X2D, S::Vector3, NO_FIXED},
}};

// Matches [R|H|X][C][_SAT] against what the opcode allows.
bool DecodeSuffix(std::string_view rest, unsigned allowed, FragmentOpcode& out) {
    if (!rest.empty() && (rest[0] == 'R' || rest[0] == 'H' || rest[0] == 'X')) {
        const bool fixed = rest[0] == 'X';
        if (!(allowed & (PRECISION | HALF_ONLY)) || (fixed && !(allowed & PRECISION))) {
            return false;
        }
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest[0] == 'C') {
        if (!(allowed & COND))
            return false;
        out.updatesCondition = true;
        rest.remove_prefix(1);
    }
    if (rest == "_SAT") {
        if (!(allowed & SAT))
            return false;
        out.saturate = true;
        rest = {};
    }
    return rest.empty();
}

}  // namespace

std::optional<FragmentOpcode> DecodeFragmentOpcode(std::string_view word) {
    for (const Entry& e : TABLE) {
        if (word.substr(0, e.name.size()) != e.name)
            continue;
        FragmentOpcode decoded{e.op, e.shape};
        if (e.shape == S::Unsupported)
            return decoded;
        if (DecodeSuffix(word.substr(e.name.size()), e.suffixes, decoded))
            return decoded;
    }
    return std::nullopt;
}

}  // namespace nvprog
