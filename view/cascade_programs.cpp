#include "view/cascade_programs.h"

const char* const CASCADE_EYE_DEPTH = "cascadeEyeDepth";
const char* const CASCADE_SPLITS = "cascadeSplits";
const char* const CASCADE_SCALE[4] = {"cascadeScale0", "cascadeScale1", "cascadeScale2",
                                      "cascadeScale3"};

namespace {

constexpr const char* HEADER = "!!FP1.0\n";
constexpr const char* LOOKUP = "f[TEX1]";
// R10 ends up holding the cascade's lookup coordinates; R11 to R13 are
// scratch. The scene programs use R0 to R8.
constexpr const char* COORDINATES = "R10";

// Cascade i's scale is scale0 plus the steps up to i: each SGE mask that is
// set adds the difference to the next cascade.
constexpr const char* PROLOGUE =
    "DECLARE cascadeEyeDepth = {0, 0, 0, 0};\n"
    "DECLARE cascadeSplits = {0, 0, 0, 0};\n"
    "DECLARE cascadeScale0 = {1, 1, 0, 0};\n"
    "DECLARE cascadeScale1 = {1, 1, 0, 0};\n"
    "DECLARE cascadeScale2 = {1, 1, 0, 0};\n"
    "DECLARE cascadeScale3 = {1, 1, 0, 0};\n"
    "DP3 R10.x, f[TEX3], cascadeEyeDepth;\n"
    "ADD R10.x, R10.x, cascadeEyeDepth.w;\n"
    "SGE R11, R10.x, cascadeSplits;\n"
    "MOV R12, cascadeScale0;\n"
    "ADD R13, cascadeScale1, -cascadeScale0;\n"
    "MAD R12, R11.x, R13, R12;\n"
    "ADD R13, cascadeScale2, -cascadeScale1;\n"
    "MAD R12, R11.y, R13, R12;\n"
    "ADD R13, cascadeScale3, -cascadeScale2;\n"
    "MAD R12, R11.z, R13, R12;\n"
    "MUL R10, f[TEX1], R12;\n"
    "MAD R10.xy, f[TEX1].w, R12.zwzw, R10;\n"
    "MOV R10.zw, f[TEX1];\n";

}  // namespace

std::string CascadeLookupProgram(const std::string& program) {
    const std::string header = HEADER;
    if (program.compare(0, header.size(), header) != 0)
        return "";
    std::string body = program.substr(header.size());
    const std::string lookup = LOOKUP;
    for (size_t at = body.find(lookup); at != std::string::npos; at = body.find(lookup, at + 1)) {
        body.replace(at, lookup.size(), COORDINATES);
    }
    return header + PROLOGUE + body;
}
