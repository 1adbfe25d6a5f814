#include "measure/capture_programs.h"

const char* const g_strLookupCaptureProgram =
    "!!FP1.0\n"
    "MOV o[COLR], f[TEX1];\n"
    "END\n";

const char* const g_strLightVectorCaptureProgram =
    "!!FP1.0\n"
    "MOV o[COLR], f[TEX3];\n"
    "END\n";

namespace {

// R1 holds the shadow term when the shading begins.
constexpr const char* SHADING_TAIL = "MAX R1, R1, diffuse;\nMUL o[COLR], R1, R0;\nEND\n";

}  // namespace

std::string ShadowTermProgram(const std::string& sceneProgram) {
    const std::string tail = SHADING_TAIL;
    if (sceneProgram.size() < tail.size() ||
        sceneProgram.compare(sceneProgram.size() - tail.size(), tail.size(), tail) != 0) {
        return "";
    }
    return sceneProgram.substr(0, sceneProgram.size() - tail.size()) + "MOV o[COLR], R1;\nEND\n";
}
