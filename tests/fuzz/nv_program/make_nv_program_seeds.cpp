// Writes the seed corpus of the NV program fuzz target into SEED_DIR/nv_program: the program's
// five GPU programs and small programs that reach the rest of both languages.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/fuzz/seed_folder.h"
#include "view/gpu_programs.h"

namespace {

struct Seed {
    const char* name;
    const char* text;
};

const Seed SEEDS[] = {
    {"depth-vertex", g_strDepthVertexProgram},
    {"depth-fragment", g_strDepthFragmentProgram},
    {"scene-vertex", g_strSceneVertexProgram},
    {"scene-fragment", g_strSceneFragmentProgram},
    {"scene-fragment-hq", g_strSceneFragmentProgramHQ},
    {"vertex-relative",
     "!!VP1.0\nARL A0.x, v[1].x;\nMOV o[HPOS], c[A0.x + 63];\nMOV o[COL0], c[A0.x - 64];\n"
     "MAD R0, v[0], c[1], -R1.wzyx;\nDST R2, R0, R0;\nLIT o[COL1], R2;\nEND\n"},
    {"vertex-1.1",
     "!!VP1.1\nOPTION NV_position_invariant;\nRCC R0.x, v[1].y;\nDPH o[TEX0], v[0], c[0];\n"
     "ABS R1, -v[2];\nSUB o[FOGC].x, R1, R0.x;\nEND\n"},
    {"fragment-conditions",
     "!!FP1.0\nMOVRC RC.x, f[TEX0].y;\nMOVR o[COLR].xy (GT.x), {1, 0.5, 0, 1};\n"
     "KIL LT.xyzw;\nMOVH_SAT H0 (EQ), |f[COL1]|;\nEND\n"},
    {"fragment-textures",
     "!!FP1.0\nDEFINE half = 0.5;\nDECLARE tint = {0.1, 0.2, 0.3, 0.4};\n"
     "TEX R0, f[TEX0], TEX3, RECT;\nTXP R1, f[TEX1], TEX2, CUBE;\nLRP R2, half, R0, R1;\n"
     "POW R3.x, R2.x, p[0].y;\nMUL o[COLR], R3.x, tint;\nMOV o[DEPR].z, f[WPOS].z;\nEND\n"},
    {"fragment-scalar-ops",
     "!!FP1.0\nSIN R0.x, f[TEX0].x;\nCOS R0.y, f[TEX0].y;\nEX2 R0.z, -R0.x;\nLG2 R0.w, 2;\n"
     "FLR R1, R0;\nFRC R2, R0;\nX2D R3, R1, R2, R0;\nRFL R4, R3, R2;\nSTR R5, R0, R1;\nSFL R6, R1, "
     "R0;\n"
     "SEQ R7, R4, R5;\nSNE o[COLR], R7, R6;\nEND\n"},
};

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = SeedFolder(argc, argv, "nv_program");
    for (const Seed& seed : SEEDS) {
        std::ofstream(dir / seed.name, std::ios::binary) << seed.text;
    }
    return EXIT_SUCCESS;
}
